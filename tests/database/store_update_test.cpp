#include "database/store_update.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk::test {
namespace {

TEST(StoreUpdate, ChangesAllFilesOrNone)
{
    TempDir dir;
    WorkingStore store;
    store.dir = dir.Path();
    WriteText(dir / "A", "old A");
    WriteText(dir / "B", "old B");
    WriteText(dir / "C", "old C");
    {
        // B cannot be set aside, so A, already replaced, must come back.
        std::filesystem::create_directories(dir / ".B.old" / "x");
        StoreUpdate update(store);
        update.Replace("A", Bytes{'n'});
        update.Remove("C");
        update.Replace("B", Bytes{'n'});
        EXPECT_FALSE(update.Commit());
        EXPECT_EQ(ReadBytes(dir / "A"), (Bytes{'o', 'l', 'd', ' ', 'A'}));
        EXPECT_EQ(ReadBytes(dir / "B"), (Bytes{'o', 'l', 'd', ' ', 'B'}));
        EXPECT_EQ(ReadBytes(dir / "C"), (Bytes{'o', 'l', 'd', ' ', 'C'}));
        EXPECT_FALSE(std::filesystem::exists(dir / ".A.new"));
        EXPECT_FALSE(std::filesystem::exists(dir / ".A.old"));
        std::filesystem::remove_all(dir / ".B.old");
    }
    StoreUpdate update(store);
    update.Replace("A", Bytes{'x'});
    update.Replace("A", Bytes{'n', 'e', 'w'});  // the later content wins
    update.Remove("C");
    update.Replace("D", {});
    ASSERT_TRUE(update.Commit());
    EXPECT_EQ(ReadBytes(dir / "A"), (Bytes{'n', 'e', 'w'}));
    EXPECT_FALSE(std::filesystem::exists(dir / "C"));
    EXPECT_EQ(std::filesystem::file_size(dir / "D"), 0u);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"A", "B", "D"}));
}

}  // namespace
}  // namespace velk::test
