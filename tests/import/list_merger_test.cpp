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

TEST_F(ListMerger, UnreadableEntriesAreSkipped)
{
    test::WriteText(dir / "a.dat", ":SAT a\n");
    test::WriteText(dir / "b.dat", ":SAT b\n");
    ASSERT_TRUE(ConcatenateListFiles({dir / "a.dat", dir / "gone.dat", dir / "b.dat"}, dir / "a.dat"));
    EXPECT_EQ(test::ReadBytes(dir / "a.dat").size(), 14u);
}

}  // namespace
}  // namespace velk
