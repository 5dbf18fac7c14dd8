// The file layer's refusals and what a replacing write keeps.
#include "common/file_failure_watch.h"
#include "common/files.h"
#include "common/format.h"
#include "common/scratch_dir.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace velk {
namespace {

namespace fs = std::filesystem;

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(FileLayer, ReadersRefuseWhatIsNotARegularFileWithoutBlocking)
{
    test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    const auto fifo = ReadFile(dir / "fifo");  // no writer: a blocking open would hang here
    ASSERT_FALSE(fifo);
    EXPECT_EQ(CauseText(fifo.error()), (dir / "fifo").string() + ": not a regular file");
    EXPECT_EQ(ReadFile(dir.Path()).error().reason, "Is a directory");
    EXPECT_EQ(ReadFile(dir / "missing").error().reason, "No such file or directory");
    EXPECT_FALSE(CheckInputFile(dir / "fifo"));
    test::WriteText(dir / "list", "SATCODX103 and more");
    EXPECT_EQ(*ReadFileHead(dir / "list", 7), Text("SATCODX"));
    EXPECT_EQ(*ReadFileHead(dir / "list", 100), Text("SATCODX103 and more"));
}

TEST(FileLayer, AReplacingWriteGoesThroughLinksAndKeepsTheMode)
{
    test::TempDir dir;
    fs::create_directory(dir / "real");
    test::WriteText(dir / "real" / "db.bin", "old");
    fs::permissions(dir / "real" / "db.bin", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real/db.bin", dir / "first");
    fs::create_symlink("first", dir / "second");  // a chain of links
    EXPECT_EQ(FinalTarget(dir / "second"), dir / "real/db.bin");
    ASSERT_TRUE(WriteFile(dir / "second", Text("new")));
    EXPECT_TRUE(fs::is_symlink(dir / "second"));
    EXPECT_EQ(test::ReadBytes(dir / "real" / "db.bin"), Text("new"));
    EXPECT_EQ(fs::status(dir / "real" / "db.bin").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 1);  // no scratch left

    fs::permissions(dir / "real" / "db.bin", fs::perms::owner_read);
    const auto readOnly = WriteFile(dir / "second", Text("newer"));
    ASSERT_FALSE(readOnly);
    EXPECT_EQ(CauseText(readOnly.error()), (dir / "second").string() + ": read-only file, not replaced");
    EXPECT_EQ(test::ReadBytes(dir / "real" / "db.bin"), Text("new"));
}

TEST(FileLayer, SameFileAndOutputChecks)
{
    test::TempDir dir;
    test::WriteText(dir / "a", "a");
    fs::create_symlink("a", dir / "link");
    fs::create_hard_link(dir / "a", dir / "hard");
    EXPECT_FALSE(CheckDistinctFiles(dir / "a", dir / "link"));
    EXPECT_FALSE(CheckDistinctFiles(dir / "a", dir / "hard"));
    EXPECT_TRUE(CheckDistinctFiles(dir / "a", dir / "missing"));
    EXPECT_TRUE(CheckOutputFile(dir / "missing"));
    EXPECT_EQ(CheckOutputFile(dir.Path()).error().reason, "Is a directory");
}

TEST(FileLayer, AWatchKeepsTheLatestFailureOfItsScope)
{
    test::TempDir dir;
    FileFailureWatch outer;
    {
        FileFailureWatch inner;
        EXPECT_FALSE(ReadFile(dir / "gone"));
        EXPECT_EQ(inner.Take()->path, dir / "gone");
        EXPECT_FALSE(inner.Take());
    }
    EXPECT_FALSE(outer.Take());  // the inner watch had it
    EXPECT_FALSE(WriteFileAtomic(dir / "no" / "x", Text("x")));
    EXPECT_EQ(MessageWithCause("File access error", *outer.Take()),
              "File access error\n" + (dir / "no" / "x").string() + ": No such file or directory");
}

TEST(FileLayer, ScratchFoldersGoWithTheirOwnerAndTextIsEscaped)
{
    fs::path made;
    {
        auto scratch = ScratchDir::Create("velk-files-test");
        ASSERT_TRUE(scratch);
        made = scratch->Path();
        test::WriteText(made / "staging", "x");
        ScratchDir moved = std::move(*scratch);
        EXPECT_TRUE(fs::exists(made));
    }
    EXPECT_FALSE(fs::exists(made));
    EXPECT_EQ(EscapedText(std::string("Sat\x01\xFF\\n", 7)), "Sat\\x01\\xFF\\\\n");
}

}  // namespace
}  // namespace velk
