// velk import and merge-lists, driven through their command line.
#include "list_builders.h"
#include "sdb/sdb_reader.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

struct ImportCli : ::testing::Test {
    test::TempDir dir;

    std::string Path(const char* name) const { return (dir / name).string(); }
    int Velk(std::vector<std::string> args) { return test::RunVelk(cli::AddImportCommands, std::move(args)); }

    void WriteList(const char* name, std::vector<test::SdxRecord> records)
    {
        for (auto& r : records)
            r.tail = "            ";
        test::WriteBytes(dir / name, test::JoinSdx(records, true));
    }

    sdb::SdbImage Read(const char* name) const
    {
        auto parsed = sdb::ParseSdbImage(test::ReadBytes(dir / name), Placement::Lnb, 1);
        EXPECT_TRUE(std::holds_alternative<sdb::SdbImage>(parsed));
        return std::get<sdb::SdbImage>(parsed);
    }
};

std::vector<test::SdxRecord> TvAndRadio()
{
    test::SdxRecord tv, radio;
    tv.name = "News";
    tv.serviceId = "00001";
    radio.name = "Music";
    radio.type = 'R';
    radio.videoPid = "____";
    radio.serviceId = "00002";
    return {tv, radio};
}

TEST_F(ImportCli, ImportsWithGivenLnbsAndFilters)
{
    WriteList("list.sdx", TvAndRadio());
    ASSERT_EQ(Velk({"import", Path("list.sdx"), Path("all.bin"), "--lnb", "9750,10600", "--lnb", "5150,5150"}), 0);
    const auto all = Read("all.bin");
    ASSERT_EQ(all.lnbs.size(), 2u);
    EXPECT_EQ(all.lnbs[0].LowMhz(), 9750u);
    EXPECT_EQ(all.lnbs[0].HighMhz(), 10600u);
    EXPECT_EQ(all.services.size(), 2u);

    ASSERT_EQ(Velk({"import", Path("list.sdx"), Path("radio.bin"), "--type", "radio"}), 0);
    const auto radio = Read("radio.bin");
    ASSERT_EQ(radio.services.size(), 1u);
    EXPECT_EQ(radio.services[0].name.Text(), "Music");
}

TEST_F(ImportCli, RefusalsLeaveNoOutput)
{
    WriteList("list.sdx", TvAndRadio());
    EXPECT_NE(Velk({"import", Path("list.sdx"), Path("bad.bin"), "--lnb", "100,200"}), 0);
    EXPECT_NE(Velk({"import", Path("list.sdx"), Path("bad.bin"), "--sat-lnb", "NOSUCH=1"}), 0);
    EXPECT_EQ(Velk({"import", Path("list.sdx"), Path("bad.bin"), "--band", "x"}), test::kCommandLineRefused);
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.bin"));
}

TEST_F(ImportCli, MergeListsJoinsListsOfOneFormat)
{
    auto records = TvAndRadio();
    WriteList("a.sdx", {records[0]});
    WriteList("b.sdx", {records[1]});
    ASSERT_EQ(Velk({"merge-lists", Path("joined.sdx"), Path("a.sdx"), Path("b.sdx")}), 0);
    ASSERT_EQ(Velk({"import", Path("joined.sdx"), Path("joined.bin")}), 0);
    EXPECT_EQ(Read("joined.bin").services.size(), 2u);

    test::WriteBytes(dir / "c.dvb", test::JoinDvb({test::DvbSatellite("ASTRA 19.2E")}));
    EXPECT_NE(Velk({"merge-lists", Path("mixed.sdx"), Path("a.sdx"), Path("c.dvb")}), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "mixed.sdx"));
}

}  // namespace
}  // namespace velk
