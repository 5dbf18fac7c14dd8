// Names with every Latin-1 letter through save, open, the text report and the CSV list.
#include "common/charset.h"
#include "common/csv.h"
#include "database/service_catalog.h"
#include "database/service_csv.h"
#include "sample_store.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"
#include "sdb/text_report.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk::test {
namespace {

// The Latin-1 letters (and the three letter-like signs ª µ º), 16 to a name.
std::vector<std::string> Latin1LetterNames()
{
    std::string letters = "\xAA\xB5\xBA";
    for (int c = 0xC0; c <= 0xFF; ++c)
        if (c != 0xD7 && c != 0xF7)
            letters += static_cast<char>(c);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < letters.size(); i += 16)
        names.push_back(letters.substr(i, 16));
    return names;
}

std::size_t Characters(std::string_view utf8)
{
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

TEST(NameCharset, Latin1LettersSurviveSaveOpenAndReport)
{
    const auto names = Latin1LetterNames();
    std::vector<ServiceRecord> services;
    for (std::size_t i = 0; i < names.size(); ++i)
        services.push_back(MakeService(names[i].c_str(), static_cast<std::uint16_t>(i + 1)));
    SampleStore s;
    s.Fill({MakeLnb(9750, 10600)}, {MakeSatellite(names[0].c_str(), 0, 192, 1)},
           {MakeCarrier(names[1].c_str(), 0, 11000, 27500, static_cast<std::uint16_t>(services.size()))}, services);
    ScriptedUi ui;
    const auto file = s.dir / "letters.bin";
    ASSERT_EQ(sdb::WriteSdbBinFile(s.store, s.session, ui, file, false, false), 1);

    SampleStore opened;
    ASSERT_EQ(sdb::OpenSdbBinFile(opened.store, opened.session, ui, file), 1);
    ASSERT_EQ(opened.Services().size(), names.size());
    EXPECT_EQ(opened.Satellites()[0].name.Text(), names[0]);
    EXPECT_EQ(opened.Carriers()[0].name.Text(), names[1]);
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(opened.Services()[i].name.Text(), names[i]);

    // The report is UTF-8 and its columns count characters, not bytes.
    const auto report = sdb::BuildTextReport(opened.store).value();
    const std::string text(report.begin(), report.end());
    for (const auto& name : names) {
        const auto utf8 = DatabaseToUtf8(name);
        const auto at = text.find("\r\n" + utf8);
        ASSERT_NE(at, std::string::npos) << utf8;
        const auto end = text.find("\r\n", at + 2);
        const auto row = std::string_view(text).substr(at + 2, end - at - 2);
        EXPECT_EQ(Characters(row.substr(0, row.find('\t'))), 20u) << utf8;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(NameCharset, Latin1LettersSurviveTheCsvListBothWays)
{
    const auto names = Latin1LetterNames();
    std::vector<ServiceRecord> services;
    for (std::size_t i = 0; i < names.size(); ++i)
        services.push_back(MakeService(("plain" + std::to_string(i)).c_str(), static_cast<std::uint16_t>(i + 1)));
    SampleStore s;
    WriteSampleDatabase(s.store, {{MakeLnb(9750, 10600)},
                                  {MakeSatellite(names[0].c_str(), 0, 192, 1)},
                                  {MakeCarrier("T", 0, 11000, 27500, static_cast<std::uint16_t>(services.size()))},
                                  services,
                                  {0},
                                  {}});

    // Out: the satellite's letters as UTF-8 in every row.
    const auto catalog = LoadServiceCatalog(s.store);
    ASSERT_TRUE(catalog);
    std::string error;
    auto table = *ParseCsv(ExportServiceCsv(*catalog), error);
    ASSERT_EQ(table.rows.size(), names.size() + 1);
    EXPECT_EQ(table.rows[1][1], DatabaseToUtf8(names[0]));

    // Back: every service renamed to a row of letters typed in UTF-8.
    std::string edited = CsvLine(table.rows[0]);
    for (std::size_t i = 0; i < names.size(); ++i) {
        table.rows[i + 1][7] = DatabaseToUtf8(names[i]);
        edited += CsvLine(table.rows[i + 1]);
    }
    NameConversion conversion;
    const auto result = *ImportServiceCsv(s.store, edited, conversion);
    EXPECT_TRUE(result.problems.empty()) << CsvImportText(result);
    EXPECT_EQ(result.renamed, names.size());
    EXPECT_FALSE(conversion.Transliterated());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(s.Services()[i].name.Text(), names[i]);
}

}  // namespace
}  // namespace velk::test
