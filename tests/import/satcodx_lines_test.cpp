// SatcoDX lists as written today: one record per line, versions 103 and 105.
#include "common/charset.h"
#include "database/records.h"
#include "import/list_parsers.h"
#include "list_builders.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using test::SdxRecord;

struct Parsed {
    bool ok = false;
    ImportStaging staging;
    test::ScriptedUi ui;
};

std::unique_ptr<Parsed> Parse(const Bytes& file)
{
    auto p = std::make_unique<Parsed>();
    p->ok = ParseSatcoDxBytes(p->ui, file, 1, p->staging);
    return p;
}

SdxRecord Line(std::string version, std::string name, std::string tail, std::string frequency, std::string id)
{
    SdxRecord r;
    r.version = std::move(version);
    r.satellite = "ASTRA 19.2E       ";
    r.name = std::move(name);
    r.tail = std::move(tail);
    r.frequencyMhz = std::move(frequency);
    r.serviceId = std::move(id);
    return r;
}

Bytes WithPadding(Bytes file)
{
    file.push_back(0);
    file.insert(file.end(), 300, 0x1A);
    file.push_back('\n');
    return file;
}

// Services in channel order: the two transponders alternate. "WDR Köln" in
// the list's character set: Windows-1252 for 103, UTF-8 for 105.
std::vector<SdxRecord> ChannelOrdered(const std::string& version)
{
    const bool utf8 = version == "05";
    return {Line(version, "Das Erst", "e", "011836", "28106"), Line(version, "ZDF", "", "011953", "28006"),
            Line(version, utf8 ? "WDR K\xC3\xB6" : "WDR K\xF6ln", utf8 ? "ln" : "", "011836", "28111"),
            Line(version, "3sat", "", "011953", "28007")};
}

void ExpectChannelOrderedStaging(const ImportStaging& st, const std::string& wdr)
{
    ASSERT_EQ(st.satellites.size(), 1u);
    EXPECT_EQ(st.satellites[0].name, "ASTRA 19.2E");
    EXPECT_EQ(st.satellites[0].position, 192);
    ASSERT_EQ(st.carriers.size(), 2u);
    EXPECT_EQ(st.carriers[0].frequencyMhz, 11836u);
    EXPECT_EQ(st.carriers[1].frequencyMhz, 11953u);
    for (const auto& c : st.carriers) {
        EXPECT_EQ(c.symbolRateKs, 27500u);
        EXPECT_EQ(c.polarization, 0u);
        EXPECT_EQ(c.fec, 3);
        EXPECT_EQ(c.satellite, 1u);
    }
    ASSERT_EQ(st.services.size(), 4u);
    const std::vector<std::pair<std::string, std::uint32_t>> expected{
        {"Das Erste", 1}, {"ZDF", 2}, {wdr, 1}, {"3sat", 2}};
    const std::vector<std::uint16_t> ids{28106, 28006, 28111, 28007};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& s = st.services[i];
        EXPECT_EQ(s.name, expected[i].first) << i;
        EXPECT_EQ(s.carrier, expected[i].second) << i;
        EXPECT_EQ(s.serviceId, ids[i]) << i;
        EXPECT_EQ(s.videoPid, 101);
        EXPECT_EQ(s.audioPid, 102);
        EXPECT_EQ(s.pcrPid, 101);
        EXPECT_EQ(s.type, kServiceTv);
        EXPECT_EQ(s.scrambled, 0);
    }
}

TEST(SatcoDxLines, Version103InEveryLineEndingAndWithPadding)
{
    const auto records = ChannelOrdered("03");
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        const auto plain = test::JoinSdxLines(records, 127, lineEnd);
        for (const auto& file : {plain, WithPadding(plain)}) {
            const auto p = Parse(file);
            ASSERT_TRUE(p->ok);
            ExpectChannelOrderedStaging(p->staging, "WDR K\xF6ln");
            EXPECT_TRUE(p->ui.messages.empty());
        }
    }
    // The padding may follow the last record without a line end.
    auto unterminated = test::JoinSdxLines(records, 127, "\r\n");
    unterminated.resize(unterminated.size() - 2);
    const auto p = Parse(WithPadding(unterminated));
    ASSERT_TRUE(p->ok);
    ExpectChannelOrderedStaging(p->staging, "WDR K\xF6ln");
}

TEST(SatcoDxLines, Version105LongAndShortLines)
{
    // Version 105 names are UTF-8; the database holds them as Latin-1.
    for (const std::size_t length : {std::size_t{127}, std::size_t{132}}) {
        const auto p = Parse(WithPadding(test::JoinSdxLines(ChannelOrdered("05"), length, "\r\n")));
        ASSERT_TRUE(p->ok) << length;
        ExpectChannelOrderedStaging(p->staging, "WDR K\xF6ln");
    }
    // Only the long line holds 17 characters of continuation.
    const auto r = Line("05", "N", " 1234567890abcdef", "011836", "1");
    const auto longLine = Parse(test::JoinSdxLines({r}, 132, "\n"));
    ASSERT_EQ(longLine->staging.services.size(), 1u);
    EXPECT_EQ(longLine->staging.services[0].name, "N 1234567890abcdef");
    const auto shortLine = Parse(test::JoinSdxLines({r}, 127, "\n"));
    ASSERT_EQ(shortLine->staging.services.size(), 1u);
    EXPECT_EQ(shortLine->staging.services[0].name, "N 1234567890a");
}

TEST(SatcoDxLines, DvbControlCodesDroppedAndTextKept)
{
    std::vector<SdxRecord> records{
        Line("05", "\x05Sport", "\xC2\x86 1\xC2\x87", "011836", "1"),  // table selector, UTF-8 emphasis
        Line("05", "\x86N24\x87", "", "011836", "2"),                   // raw emphasis codes
        Line("05", "", "", "011836", "3"),  // selector 0x10 0x00 0x02 set below
        Line("05", "\xC6\x86x", "", "011836", "4"),  // U+0186 ends in 86 and stays a character
    };
    records[2].name = std::string("\x10\x00\x02", 3) + "Caf\xC3\xA9";
    const auto p = Parse(test::JoinSdxLines(records, 132, "\n"));
    ASSERT_TRUE(p->ok);
    ASSERT_EQ(p->staging.services.size(), 4u);
    EXPECT_EQ(p->staging.services[0].name, "Sport 1");
    EXPECT_EQ(p->staging.services[1].name, "N24");
    EXPECT_EQ(p->staging.services[2].name, "Caf\xE9");
    // Latin-1 has no U+0186: it is transliterated and the user told once.
    EXPECT_EQ(p->staging.services[3].name.back(), 'x');
    EXPECT_EQ(p->ui.Texts(), std::vector<std::string>{kNamesTransliterated});
}

TEST(SatcoDxLines, Windows1252NamesTransliteratedOnce)
{
    const auto p = Parse(test::JoinSdxLines(
        {Line("03", "\x80uro", "", "011836", "1"), Line("03", "\x93Q\x94", "", "011836", "2")}, 127, "\n"));
    ASSERT_TRUE(p->ok);
    ASSERT_EQ(p->staging.services.size(), 2u);
    EXPECT_EQ(p->staging.services[0].name, "EURuro");
    EXPECT_EQ(p->staging.services[1].name, "\"Q\"");
    ASSERT_EQ(p->ui.messages.size(), 1u);
    EXPECT_EQ(p->ui.messages[0].icon, Icon::Warning);
}

TEST(SatcoDxLines, ListWithABrokenRecordIsRefusedNamingIt)
{
    auto lines = test::JoinSdxLines(ChannelOrdered("03"), 127, "\r\n");
    auto broken = lines;
    broken[2 * 129] = 'X';  // the third line's signature
    auto p = Parse(broken);
    EXPECT_FALSE(p->ok);
    EXPECT_TRUE(p->staging.satellites.empty());
    EXPECT_TRUE(p->staging.services.empty());
    ASSERT_EQ(p->ui.messages.size(), 1u);
    EXPECT_EQ(p->ui.messages[0].text, InvalidRecordMessage(3));
    EXPECT_EQ(p->ui.messages[0].text.rfind("Error - Invalid File\n", 0), 0u);
    EXPECT_NE(p->ui.messages[0].text.find("Record 3 "), std::string::npos);

    // A short line in the middle is no record either.
    const std::string junk = "SATCODX103 cut short\r\n";
    lines.insert(lines.begin() + 129, junk.begin(), junk.end());
    p = Parse(lines);
    EXPECT_FALSE(p->ok);
    EXPECT_EQ(p->ui.Texts(), std::vector<std::string>{InvalidRecordMessage(2)});

    // Lists without line ends are checked record by record too.
    auto packed = test::JoinSdx({SdxRecord{}, SdxRecord{}, SdxRecord{}}, false);
    packed[2 * 128 + 3] = '#';
    p = Parse(packed);
    EXPECT_FALSE(p->ok);
    EXPECT_EQ(p->ui.Texts(), std::vector<std::string>{InvalidRecordMessage(3)});
}

}  // namespace
}  // namespace velk
