#include "import/list_parsers.h"
#include "import/staging_files.h"
#include "list_builders.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using test::SdxRecord;

ImportStaging Parse(const Bytes& file, std::uint8_t selected = 1)
{
    test::ScriptedUi ui;
    ImportStaging staging;
    ParseSatcoDxBytes(ui, file, selected, staging);
    return staging;
}

ImportStaging Parse(const std::vector<SdxRecord>& records, std::uint8_t selected = 1)
{
    return Parse(test::JoinSdx(records, false), selected);
}

SdxRecord Carrier(std::string frequency, std::string name = "TP")
{
    SdxRecord r;
    r.type = '_';
    r.frequencyMhz = std::move(frequency);
    r.name = std::move(name);
    return r;
}

SdxRecord Service(std::string name, std::string frequency, std::string serviceId, std::string video = "0101")
{
    SdxRecord r;
    r.name = std::move(name);
    r.frequencyMhz = std::move(frequency);
    r.serviceId = std::move(serviceId);
    r.videoPid = std::move(video);
    return r;
}

std::vector<std::string> ServiceNames(const ImportStaging& st)
{
    std::vector<std::string> names;
    for (const auto& s : st.services)
        names.push_back(s.name);
    return names;
}

TEST(SatcoDxParser, StagingFilesHoldTheRecordsByteForByte)
{
    SdxRecord carrier = Carrier("011778", "TP1");
    carrier.satellite = "ASTRA             ";
    carrier.tail = "            ";
    SdxRecord service = Service("ARD", "011778", "28106");
    service.satellite = carrier.satellite;
    service.tail = carrier.tail;
    const auto st = Parse({carrier, service});
    test::TempDir dir;
    ASSERT_TRUE(st.Save(dir.Path()));

    Bytes sat{1, 0, 'A', 'S', 'T', 'R', 'A'};
    sat.resize(26, 0);
    sat.insert(sat.end(), {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x68, 0x40});
    EXPECT_EQ(test::ReadBytes(dir / staging_file::kSatellites), sat);

    Bytes car{1, 0, 0, 0, 0x6C, 0x6B, 0, 0, 1, 0, 0, 0, 0x02, 0x2E, 0, 0, 0, 0, 0, 0, 'T', 'P', '1'};
    car.resize(44, 0);
    car.insert(car.end(), {0, 3, 1, 1});
    EXPECT_EQ(test::ReadBytes(dir / staging_file::kCarriers), car);

    Bytes ser{1, 0, 0, 0, 'A', 'R', 'D'};
    ser.resize(28, 0);
    ser.insert(ser.end(), {0, 1, 0x65, 0, 0x66, 0, 0x65, 0, 0xCA, 0x6D, 0, 1});
    EXPECT_EQ(test::ReadBytes(dir / staging_file::kServices), ser);

    EXPECT_EQ(test::ReadBytes(dir / staging_file::kCarrierCounts), (Bytes{'1', 0, 0, 0}));
    EXPECT_EQ(test::ReadBytes(dir / staging_file::kServiceCounts), (Bytes{'1', 0, 0, 0}));
}

TEST(SatcoDxParser, SeparatedAndPackedRecordsStageAlike)
{
    const std::vector<SdxRecord> records{Service("ARD", "011778", "1"), Service("ZDF", "011954", "2"),
                                         Service("RTL", "012188", "3")};
    test::TempDir packed, separated, lastUnseparated;
    ASSERT_TRUE(Parse(test::JoinSdx(records, false)).Save(packed.Path()));
    ASSERT_TRUE(Parse(test::JoinSdx(records, true)).Save(separated.Path()));
    auto cut = test::JoinSdx(records, true);
    cut.pop_back();  // the last record lacks its separator: still a whole record
    ASSERT_TRUE(Parse(cut).Save(lastUnseparated.Path()));
    for (const auto name : {staging_file::kSatellites, staging_file::kCarriers, staging_file::kServices,
                            staging_file::kCarrierCounts, staging_file::kServiceCounts}) {
        EXPECT_EQ(test::ReadBytes(packed / name), test::ReadBytes(separated / name)) << name;
        EXPECT_EQ(test::ReadBytes(packed / name), test::ReadBytes(lastUnseparated / name)) << name;
    }
    EXPECT_EQ(Parse(records).services.size(), 3u);
}

TEST(SatcoDxParser, ShortFilesStageNothing)
{
    Bytes head{'S', 'A', 'T', 'C', 'O', 'D', 'X', '_', '0', '3'};
    EXPECT_TRUE(Parse(head).satellites.empty());
    EXPECT_TRUE(Parse(Bytes{}).satellites.empty());
    // One record without separator is a whole list.
    EXPECT_EQ(Parse({Service("ARD", "011778", "1")}).services.size(), 1u);
}

TEST(SatcoDxParser, SatellitesSplitByPositionAndByRawName)
{
    auto a = Service("ARD", "011778", "1");
    auto b = Service("ZDF", "011954", "2");
    b.position = "0130";  // same name, other position: a second satellite
    auto c = Service("RTL", "012188", "3");
    c.position = "____";  // position 0 with another raw name: a third satellite
    c.satellite = "HOTBIRD";
    auto d = Service("SAT1", "012480", "4");
    d.position = "____";  // same raw name: continues it
    d.satellite = "HOTBIRD";
    const auto st = Parse({a, b, c, d});
    ASSERT_EQ(st.satellites.size(), 3u);
    EXPECT_EQ(st.satellites[0].name, "ASTRA_____________");
    EXPECT_EQ(st.satellites[1].name, "ASTRA____________1");  // the counter fits in the width
    EXPECT_EQ(st.satellites[1].position, 130.0);
    EXPECT_EQ(st.satellites[2].position, 0.0);
    EXPECT_EQ(st.carriers[3].satellite, 3u);
}

TEST(SatcoDxParser, UnnamedSatellitesAndTheOlderLayout)
{
    auto a = Service("ARD", "011778", "1");
    a.satellite = "";
    auto b = Service("ZDF", "011954", "2");
    b.satellite = "";
    b.position = "0130";
    const auto st = Parse({a, b});
    ASSERT_EQ(st.satellites.size(), 2u);
    EXPECT_EQ(st.satellites[0].name, "Satellite0");
    EXPECT_EQ(st.satellites[1].name, "Satellite1");

    auto old = Service("ARD", "011778", "1");
    old.version = "01";
    old.satellite = "__Astra 19.2";
    const auto older = Parse({old});
    EXPECT_EQ(older.satellites[0].name, "Astra 19.2");
    EXPECT_EQ(older.services[0].name, "ARD");  // no name continuation in this layout
}

TEST(SatcoDxParser, UniqueNamesWithSuffixesEnd)
{
    std::vector<SdxRecord> records;
    for (int i = 0; i < 12; ++i) {
        auto r = Service("S", "011778", "1");
        r.satellite = "ABCDEFGHIJKLMNOPQR";  // fills the compared width
        r.position = std::to_string(1000 + i);
        records.push_back(r);
    }
    const auto st = Parse(records);
    ASSERT_EQ(st.satellites.size(), 12u);
    EXPECT_EQ(st.satellites[1].name, "ABCDEFGHIJKLMNOPQ1");
    EXPECT_EQ(st.satellites[11].name, "ABCDEFGHIJKLMNOP11");
}

TEST(SatcoDxParser, CarriersNamedByServicesAndOneMegahertzDuplicates)
{
    auto first = Service("A", "011778", "1");
    first.position = "0100";
    auto s1 = Service("B", "010700", "1");
    s1.position = "0200";
    auto s2 = Service("C", "010800", "1");
    s2.position = "0200";
    auto s3 = Service("D", "010900", "1");
    s3.position = "0200";
    auto near = Carrier("010901");
    near.position = "0200";
    const auto st = Parse({first, s1, s2, s3, near});
    ASSERT_EQ(st.carriers.size(), 4u);
    EXPECT_EQ(st.carriers[3].name, "Carrier3_S2");
    EXPECT_EQ(st.carriers[0].name, "Carrier1_S1");
}

TEST(SatcoDxParser, RecurringTransponderKeepsEveryChannel)
{
    // Ordered by channel number: transponders recur; nothing is lost, and a
    // transponder 1 MHz away from a staged one is that one.
    const auto st = Parse({Service("One", "011778", "1"), Service("Two", "011954", "2"), Service("Three", "011779", "3"),
                           Service("Four", "011954", "4"), Service("One", "011778", "1")});
    ASSERT_EQ(st.carriers.size(), 2u);
    EXPECT_EQ(ServiceNames(st), (std::vector<std::string>{"One", "Two", "Three", "Four"}));
    EXPECT_EQ(st.services[2].carrier, 1u);
    EXPECT_EQ(st.services[3].carrier, 2u);
    test::TempDir dir;
    ASSERT_TRUE(st.Save(dir.Path()));
    EXPECT_EQ(test::ReadBytes(dir / staging_file::kServiceCounts), (Bytes{'2', 0, 0, 0, '2', 0, 0, 0}));
}

TEST(SatcoDxParser, DuplicateServiceTable)
{
    const auto staged = [](std::vector<SdxRecord> records) { return Parse(records).services; };
    auto radio = [](std::string name, std::string id, std::string audio) {
        auto r = Service(std::move(name), "011778", std::move(id), "____");
        r.audioPid = std::move(audio);
        r.type = 'R';
        return r;
    };
    // Same ID and the same real video PID: dropped.
    EXPECT_EQ(staged({Service("A", "011778", "5"), Service("B", "011778", "5")}).size(), 1u);
    // Same ID, both without video: the second gets a fresh ID above the largest.
    auto radios = staged({radio("R1", "7", "0200"), radio("R2", "7", "0201"), radio("R3", "3", "0202")});
    ASSERT_EQ(radios.size(), 3u);
    EXPECT_EQ(radios[1].serviceId, 8u);
    // Different video, same real audio: dropped; same audio without PID: kept with its ID.
    auto a = Service("A", "011778", "5", "0101");
    auto b = Service("B", "011778", "5", "0102");
    EXPECT_EQ(staged({a, b}).size(), 1u);
    a.audioPid = b.audioPid = "____";
    const auto kept = staged({a, b});
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].serviceId, 5u);
    // Different video and audio: fresh ID.
    b.audioPid = "0300";
    EXPECT_EQ(staged({a, b})[1].serviceId, 6u);
    // Video PID 0 on both: no change, kept.
    a.videoPid = b.videoPid = "0000";
    EXPECT_EQ(staged({a, b})[1].serviceId, 5u);
    // The same ID on another carrier is no duplicate.
    EXPECT_EQ(staged({Service("A", "011778", "5"), Service("B", "012000", "5")}).size(), 2u);
}

TEST(SatcoDxParser, MissingServiceIdsNumberedPerCarrier)
{
    std::vector<SdxRecord> records{Service("A", "011778", "_____"), Service("B", "011778", "_____"),
                                   Service("C", "011778", "_____"), Service("D", "012000", "00040"),
                                   Service("E", "012000", "_____")};
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].videoPid = "010" + std::to_string(i);
        records[i].audioPid = "020" + std::to_string(i);
    }
    const auto st = Parse(records);
    ASSERT_EQ(st.services.size(), 5u);
    EXPECT_EQ(st.services[0].serviceId, 1u);
    EXPECT_EQ(st.services[1].serviceId, 2u);
    EXPECT_EQ(st.services[2].serviceId, 3u);
    EXPECT_EQ(st.services[4].serviceId, 41u);
}

TEST(SatcoDxParser, NamesAndFieldCodes)
{
    auto padded = Service("ARD", "011778", "1");  // "ARD" then underscores
    auto inner = Service("A", "011778", "2", "0102");
    inner.tail = "_B";
    auto scrambled = Service("C", "011778", "3", "0103");
    scrambled.access = "0D05";
    scrambled.type = 'D';
    const auto st = Parse({padded, inner, scrambled});
    EXPECT_EQ(st.services[0].name, "ARD");
    EXPECT_EQ(st.services[1].name, "A_B__________");  // underscores inside the name stay
    EXPECT_EQ(st.services[2].scrambled, 1u);
    EXPECT_EQ(st.services[2].type, 1u);  // another kind of service with video: TV
    EXPECT_EQ(st.carriers[0].access, 1u);

    auto c = Carrier("011778");
    c.polarization = '0';
    c.fec = '5';
    auto d = Carrier("012000");
    d.polarization = '1';
    d.fec = '7';
    auto e = Carrier("012100");
    e.fec = '_';
    const auto codes = Parse({c, d, e});
    EXPECT_EQ(codes.carriers[0].polarization, 1u);
    EXPECT_EQ(codes.carriers[0].fec, 4u);
    EXPECT_EQ(codes.carriers[1].polarization, 0u);
    EXPECT_EQ(codes.carriers[1].fec, 5u);
    EXPECT_EQ(codes.carriers[2].fec, 0u);
}

TEST(SatcoDxParser, RecordsWithoutSymbolRateOnlyFollowSatellites)
{
    auto none = Service("X", "011778", "1");
    none.symbolRateKs = "00000";
    none.position = "0130";
    const auto st = Parse({Service("A", "011778", "1"), none});
    EXPECT_EQ(st.satellites.size(), 2u);
    EXPECT_EQ(st.services.size(), 1u);
}

TEST(SatcoDxParser, ModeMarksEveryRecord)
{
    const std::vector<SdxRecord> records{Carrier("011778"), Service("A", "011778", "1")};
    const auto all = Parse(records, 1);
    const auto none = Parse(records, 0);
    EXPECT_EQ(all.satellites[0].selected + all.carriers[0].selected + all.services[0].selected, 3);
    EXPECT_EQ(none.satellites[0].selected + none.carriers[0].selected + none.services[0].selected, 0);
}

TEST(SatcoDxParser, UnreadableFileFails)
{
    test::ScriptedUi ui;
    ImportStaging st;
    test::TempDir dir;
    EXPECT_FALSE(ParseSatcoDxFile(ui, dir / "missing.sdx", 1, st));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Error in Opening File"});
}

}  // namespace
}  // namespace velk
