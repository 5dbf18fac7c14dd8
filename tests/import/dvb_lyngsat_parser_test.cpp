#include "import/list_parsers.h"
#include "list_builders.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <string_view>

namespace velk {
namespace {

using test::DvbChannel;
using test::DvbSatellite;

ImportStaging ParseDvb(const std::vector<test::DvbRecord>& records)
{
    test::ScriptedUi ui;
    ImportStaging st;
    ParseDvb2000Bytes(ui, test::JoinDvb(records), 1, st);
    return st;
}

ImportStaging ParseLyngsat(std::string_view text)
{
    test::ScriptedUi ui;
    ImportStaging st;
    ParseLyngsatBytes(ui, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 1, st);
    return st;
}

TEST(Dvb2000Parser, SatelliteFieldAndSatelliteRecords)
{
    const auto st = ParseDvb({DvbSatellite("Astra 1-0192.0E"), DvbSatellite("Astra again-0192.0E"),
                              DvbChannel("ARD", 11836, 28106), DvbSatellite("Hotbird-0130.0W-"),
                              DvbChannel("RAI", 11766, 1), DvbSatellite("NoHyphen")});
    ASSERT_EQ(st.satellites.size(), 3u);  // the same position in a row opens one satellite
    EXPECT_EQ(st.satellites[0].name, "Astra 1");
    EXPECT_EQ(st.satellites[0].position, 192.0);
    EXPECT_EQ(st.satellites[0].hemisphere, 1u);
    EXPECT_EQ(st.satellites[1].name, "Hotbird");
    EXPECT_EQ(st.satellites[1].hemisphere, 0u);  // "W" before the last hyphen
    EXPECT_EQ(st.satellites[2].name, "NoHyphen");
    EXPECT_EQ(st.satellites[2].position, 0.0);
    ASSERT_EQ(st.carriers.size(), 2u);
    EXPECT_EQ(st.carriers[1].satellite, 2u);
    EXPECT_EQ(st.carriers[1].name, "Carrier1_S2");
}

TEST(Dvb2000Parser, EmptyNamesAndShortFiles)
{
    const auto st = ParseDvb({DvbSatellite("-0192.0E"), DvbChannel("X", 11836, 1)});
    EXPECT_EQ(st.satellites[0].name, "Satellite0");
    test::ScriptedUi ui;
    ImportStaging none;
    const Bytes shortFile{'D', 'V', 'S', 'O', 0, 0};
    ParseDvb2000Bytes(ui, shortFile, 1, none);
    EXPECT_TRUE(none.satellites.empty());
}

TEST(Dvb2000Parser, ChannelFieldsAndFecTable)
{
    std::vector<test::DvbRecord> records{DvbSatellite("Astra-0192.0E")};
    const std::uint8_t fecs[] = {2, 3, 4, 5, 6, 7, 1};
    for (std::uint16_t i = 0; i < 7; ++i) {
        auto c = DvbChannel("Service name is long", static_cast<std::uint16_t>(11000 + 10 * i), 7, 0, 102);
        c.fec = fecs[i];
        records.push_back(c);
    }
    const auto st = ParseDvb(records);
    ASSERT_EQ(st.carriers.size(), 7u);
    const std::uint8_t expected[] = {1, 2, 3, 0, 4, 5, 0};
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(st.carriers[i].fec, expected[i]) << i;
    EXPECT_EQ(st.carriers[0].polarization, 1u);
    EXPECT_EQ(st.carriers[0].access, 0u);
    EXPECT_EQ(st.services[0].videoPid, kImportNoPid);  // 0 means none
    EXPECT_EQ(st.services[0].name, "Service name is lo");
    EXPECT_EQ(st.services[0].serviceId, 7u);
    EXPECT_EQ(st.services[0].type, 1u);
}

TEST(Dvb2000Parser, RecurringTransponderJoinsItsCarrier)
{
    const auto st = ParseDvb({DvbSatellite("Astra-0192.0E"), DvbChannel("A", 11836, 1, 101, 102),
                              DvbChannel("B", 12000, 2, 201, 202), DvbChannel("C", 11837, 3, 301, 302),
                              DvbChannel("A", 11836, 1, 101, 102)});
    ASSERT_EQ(st.carriers.size(), 2u);
    ASSERT_EQ(st.services.size(), 3u);
    EXPECT_EQ(st.services[2].carrier, 1u);
}

TEST(LyngsatParser, SatellitesTranspondersAndChannels)
{
    const auto st = ParseLyngsat(
        ":SAT \"Astra 1\" 19.2 E\r\n"
        ":TRP 11778V 27500S V 3/4\r\n"
        ":CHN \"ARD\" 28106 T\n"
        ":CHN \"ARD\" 28106 T\n"
        ":CHN \"Other\" 28106 R\n"
        "ignored line\n"
        ":TRP 1177800 275000 R 9/10\n"
        ":SAT \"West  \" 30.0 W\n");
    ASSERT_EQ(st.satellites.size(), 2u);
    EXPECT_EQ(st.satellites[0].name, "Astra 1");
    EXPECT_EQ(st.satellites[0].position, 192.0);
    EXPECT_EQ(st.satellites[0].hemisphere, 0u);
    EXPECT_EQ(st.satellites[1].name, "West");
    EXPECT_EQ(st.satellites[1].hemisphere, 1u);
    ASSERT_EQ(st.carriers.size(), 2u);
    EXPECT_EQ(st.carriers[0].frequencyMhz, 11778u);
    EXPECT_EQ(st.carriers[0].symbolRateKs, 27500u);
    EXPECT_EQ(st.carriers[0].polarization, 1u);
    EXPECT_EQ(st.carriers[0].fec, 3u);
    EXPECT_EQ(st.carriers[0].ordinal, 0u);
    EXPECT_EQ(st.carriers[0].name, "Carrier1_S1");
    EXPECT_EQ(st.carriers[1].frequencyMhz, 11778u);  // 117780 is above 15000: two characters cut
    EXPECT_EQ(st.carriers[1].symbolRateKs, 27500u);
    EXPECT_EQ(st.carriers[1].polarization, 3u);
    EXPECT_EQ(st.carriers[1].fec, 0u);
    ASSERT_EQ(st.services.size(), 2u);  // the identical line is staged once
    EXPECT_EQ(st.services[0].type, 1u);
    EXPECT_EQ(st.services[1].type, 2u);
    EXPECT_EQ(st.services[1].serviceId, 28107u);  // 0xFFFF, renumbered when its carrier closed
    EXPECT_EQ(st.services[1].videoPid, kImportNoPid);
}

TEST(LyngsatParser, ChannelBeforeAnyTransponderAndLongLines)
{
    const std::string longLine = ":CHN \"" + std::string(300, 'x') + "\" 5 T\n";
    const auto st = ParseLyngsat(":SAT \"S\" 1.0 E\n:CHN \"Early\" 1 T\n" + longLine);
    ASSERT_EQ(st.services.size(), 2u);
    EXPECT_EQ(st.services[0].carrier, 0u);
    EXPECT_EQ(st.services[1].name.size(), 23u);  // cut to the staging field
}

}  // namespace
}  // namespace velk
