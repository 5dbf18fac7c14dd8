#include "import/list_merger.h"
#include "list_builders.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

struct ListMerger : ::testing::Test {
    test::ScriptedUi ui;
    test::TempDir dir;

    std::filesystem::path Sdx(const std::string& name, std::size_t records, const std::string& version = "03")
    {
        test::SdxRecord r;
        r.version = version;
        test::WriteBytes(dir / name, test::JoinSdx(std::vector<test::SdxRecord>(records, r), false));
        return dir / name;
    }
};

TEST_F(ListMerger, JoinsFilesOneAfterTheOther)
{
    ListFileCollection files(MergedListFormat::SatcoDx);
    ASSERT_TRUE(files.AddFile(ui, Sdx("a.sdx", 10)));
    EXPECT_FALSE(files.MergeInto(ui, dir / "out.sdx"));  // exactly one file is not enough
    ASSERT_TRUE(files.AddFile(ui, Sdx("b.sdx", 20)));
    ASSERT_TRUE(files.MergeInto(ui, dir / "out.sdx"));
    auto expected = test::ReadBytes(dir / "a.sdx");
    const auto b = test::ReadBytes(dir / "b.sdx");
    expected.insert(expected.end(), b.begin(), b.end());
    EXPECT_EQ(test::ReadBytes(dir / "out.sdx"), expected);
    EXPECT_EQ(expected.size(), 30u * 128);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{kOneFileToMerge, (dir / "out.sdx").string() +
                                                                         " \nSatcoDX ( SDX ) file is generated successfully."}));
}

TEST_F(ListMerger, RefusesDuplicatesAndOtherProtocols)
{
    ListFileCollection files(MergedListFormat::SatcoDx);
    const auto a = Sdx("a.sdx", 1);
    ASSERT_TRUE(files.AddFile(ui, a));
    auto upper = a.string();
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    EXPECT_FALSE(files.AddFile(ui, upper));
    EXPECT_FALSE(files.AddFile(ui, Sdx("old.sdx", 1, "01")));
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Duplication of SatcoDX ( SDX ) files not allowed.", kSatcoDxVersionRefused}));
    EXPECT_FALSE(IsMergeableSatcoDx(dir / "missing.sdx"));
}

TEST_F(ListMerger, FolderCollection)
{
    Sdx("a.sdx", 1);
    Sdx("b.SDX", 1);
    Sdx("old.sdx", 1, "01");
    test::WriteText(dir / "note.txt", "x");
    ListFileCollection files(MergedListFormat::SatcoDx);
    EXPECT_EQ(files.AddFolder(ui, dir.Path()), 2u);
    EXPECT_EQ(files.AddFolder(ui, dir.Path()), 0u);  // already listed
    EXPECT_TRUE(ui.Texts().empty());
    files.Remove({0});
    EXPECT_EQ(files.Files(), std::vector<std::filesystem::path>{dir / "b.SDX"});

    ListFileCollection dvb(MergedListFormat::Dvb2000);
    EXPECT_EQ(dvb.AddFolder(ui, dir.Path()), 0u);
    EXPECT_FALSE(dvb.MergeInto(ui, dir / "x.dvb"));
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"No DVB2000 ( DVB ) files in this directory.",
                                                    "There is no DVB2000 ( DVB ) files to merge."}));
}

TEST_F(ListMerger, ListsThatAreNotWholeRecordsAreRefusedAndNothingIsWritten)
{
    Sdx("a.sdx", 3);
    Sdx("c.sdx", 2);
    auto cut = test::ReadBytes(Sdx("b.sdx", 2));
    cut.resize(128 + 50);  // the second record cut in the middle
    test::WriteBytes(dir / "b.sdx", cut);
    test::WriteText(dir / "out.sdx", "old");
    ListFileCollection files(MergedListFormat::SatcoDx);
    for (const char* name : {"a.sdx", "b.sdx", "c.sdx"})
        ASSERT_TRUE(files.AddFile(ui, dir / name));
    EXPECT_FALSE(files.MergeInto(ui, dir / "out.sdx"));
    EXPECT_EQ(ui.Texts().back(), (dir / "b.sdx").string() + ": record 2 is cut short (50 of 128 bytes)");

    auto garbled = test::ReadBytes(dir / "a.sdx");
    std::fill(garbled.begin() + 128, garbled.end(), 0xA5);  // a magic followed by noise
    test::WriteBytes(dir / "b.sdx", garbled);
    EXPECT_FALSE(files.MergeInto(ui, dir / "out.sdx"));
    EXPECT_EQ(ui.Texts().back(), (dir / "b.sdx").string() + ": record 2 does not begin with SATCODX");

    std::filesystem::remove(dir / "b.sdx");
    EXPECT_FALSE(files.MergeInto(ui, dir / "out.sdx"));
    EXPECT_EQ(ui.Texts().back(), "Error No: -3 \n File Access Error!!!\n" + (dir / "b.sdx").string() + ": No such file or directory");
    EXPECT_EQ(test::ReadBytes(dir / "out.sdx"), (Bytes{'o', 'l', 'd'}));

    test::WriteBytes(dir / "cut.dvb", Bytes(64 * 3 + 10, 0));
    EXPECT_EQ(ReadWholeList(MergedListFormat::Dvb2000, dir / "cut.dvb").error().reason, "record 4 is cut short (10 of 64 bytes)");
}

TEST_F(ListMerger, SeparatedSatcoDxRecordsAndLyngsatLinesJoinWhole)
{
    test::SdxRecord r;
    test::WriteBytes(dir / "sep.sdx", test::JoinSdx({r, r, r}, true));
    EXPECT_TRUE(ReadWholeList(MergedListFormat::SatcoDx, dir / "sep.sdx"));
    test::WriteText(dir / "a.dat", ":SAT a\r\n:SAT cut");
    test::WriteText(dir / "b.dat", ":SAT b\n");
    ASSERT_TRUE(ConcatenateListFiles(MergedListFormat::Lyngsat, {dir / "a.dat", dir / "b.dat"}, dir / "a.dat"));
    const auto joined = test::ReadBytes(dir / "a.dat");
    EXPECT_EQ(std::string(joined.begin(), joined.end()), ":SAT a\r\n:SAT cut\r\n:SAT b\n");
}

}  // namespace
}  // namespace velk
