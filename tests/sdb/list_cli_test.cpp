// velk find / duplicates / apply-order / export-csv / import-csv on a small database.
#include "sample_store.h"

#include "commands.h"
#include "common/csv.h"
#include "sdb/sdb_writer.h"
#include "support/run_velk.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velk::test {
namespace {

int RunVelk(std::vector<std::string> args)
{
    return test::RunVelk(cli::AddListCommands, std::move(args));
}

class ListCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.FillSample();  // channels: Three (Astra), One, Two (Hotbird)
        ScriptedUi ui;
        ASSERT_EQ(sdb::WriteSdbBinFile(s.store, s.session, ui, db, true, false), 1);
    }
    std::string P(const char* name) const { return (s.dir / name).string(); }

    std::vector<CsvRow> Rows(const std::string& file)
    {
        testing::internal::CaptureStdout();
        EXPECT_EQ(RunVelk({"export-csv", file, "-"}), 0);
        std::string error;
        return ParseCsv(testing::internal::GetCapturedStdout(), error)->rows;
    }
    void Write(const char* name, const std::vector<CsvRow>& rows)
    {
        std::string text;
        for (const auto& row : rows)
            text += CsvLine(row);
        test::WriteBytes(P(name), Bytes(text.begin(), text.end()));
    }
    static std::vector<std::string> Names(const std::vector<CsvRow>& rows)
    {
        std::vector<std::string> names;
        for (std::size_t r = 1; r < rows.size(); ++r)
            names.push_back(rows[r][7]);
        return names;
    }

    SampleStore s;
    std::filesystem::path db = s.dir / "db.bin";
};

TEST_F(ListCli, CsvExportEditImport)
{
    auto rows = Rows(db.string());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(Names(rows), (std::vector<std::string>{"Three", "One", "Two"}));
    EXPECT_EQ(rows[3][12], "Scrambled");
    EXPECT_EQ(rows[3][13], "1 3");

    rows[2][7] = "S\xC3\xBC" "d, \"1\"";  // "Süd, "1"" in UTF-8
    std::swap(rows[1], rows[3]);
    rows.erase(rows.begin() + 2);
    Write("edited.csv", rows);
    EXPECT_EQ(RunVelk({"import-csv", db.string(), P("edited.csv"), P("out.bin")}), 0);
    EXPECT_EQ(Names(Rows(P("out.bin"))), (std::vector<std::string>{"Two", "Three"}));

    rows[1][3] = "1";  // a transponder the database does not have, under a name it does not have
    rows[1][7] = "Gone";
    Write("bad.csv", rows);
    std::filesystem::remove(P("out2.bin"));
    EXPECT_EQ(RunVelk({"import-csv", db.string(), P("bad.csv"), P("out2.bin")}), 1);
    EXPECT_FALSE(std::filesystem::exists(P("out2.bin")));
}

TEST_F(ListCli, ApplyOrderFromACsvListAndFindAndDuplicates)
{
    auto rows = Rows(db.string());
    std::reverse(rows.begin() + 1, rows.end());
    Write("ref.csv", rows);
    EXPECT_EQ(RunVelk({"apply-order", db.string(), P("ref.csv"), P("ordered.bin")}), 0);
    EXPECT_EQ(Names(Rows(P("ordered.bin"))), (std::vector<std::string>{"Two", "One", "Three"}));
    EXPECT_EQ(RunVelk({"apply-order", P("ordered.bin"), db.string(), P("back.bin")}), 0);
    EXPECT_EQ(Names(Rows(P("back.bin"))), (std::vector<std::string>{"Three", "One", "Two"}));

    testing::internal::CaptureStdout();
    EXPECT_EQ(RunVelk({"find", db.string(), "tw"}), 0);
    EXPECT_EQ(RunVelk({"find", db.string(), "12000"}), 0);
    const auto found = testing::internal::GetCapturedStdout();
    EXPECT_NE(found.find("Two"), std::string::npos);
    EXPECT_NE(found.find("Three"), std::string::npos);
    EXPECT_EQ(found.find("One"), std::string::npos);

    testing::internal::CaptureStdout();
    EXPECT_EQ(RunVelk({"duplicates", db.string(), "--remove", P("clean.bin")}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(Names(Rows(P("clean.bin"))).size(), 3u);
}

// The first service of each group stays, whatever its position in the list.
TEST_F(ListCli, DuplicatesRemoveKeepsTheFirstOfEachGroup)
{
    s.Fill({MakeLnb(9750, 10600)}, {MakeSatellite("Astra", 0, 192, 1)}, {MakeCarrier("A", 0, 11000, 27500, 4)},
           {MakeService("Other", 300), MakeService("One", 100), MakeService("One again", 100), MakeService("Last", 400)});
    ScriptedUi ui;
    ASSERT_EQ(sdb::WriteSdbBinFile(s.store, s.session, ui, db, true, false), 1);
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunVelk({"duplicates", db.string(), "--remove", P("clean.bin")}), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Same channel:"), std::string::npos);
    EXPECT_EQ(Names(Rows(P("clean.bin"))), (std::vector<std::string>{"Other", "One", "Last"}));
}

}  // namespace
}  // namespace velk::test
