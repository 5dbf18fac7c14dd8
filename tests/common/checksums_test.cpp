#include "common/byte_reader.h"
#include "common/c_number.h"
#include "common/checksums.h"
#include "common/files.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string_view>

namespace velk {
namespace {

ByteView Text(std::string_view s) { return ByteView(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()); }

TEST(Checksums, CheckValues)
{
    EXPECT_EQ(Crc32Mpeg2(Text("123456789")), 0x0376E6E7u);
    EXPECT_EQ(Crc32Mpeg2({}), 0xFFFFFFFFu);
    EXPECT_EQ(Crc16Arc(Text("123456789")), 0xBB3D);
    EXPECT_EQ(ByteSum32(Bytes{0xFF, 0xFF, 0x02}), 0x200u);
}

TEST(ByteReader, ReadPastTheEndIsStickyAndYieldsZero)
{
    const Bytes data{0x01, 0x02, 0x03};
    ByteReader r(data);
    EXPECT_EQ(r.Le16(), 0x0201);
    EXPECT_EQ(r.Le16(), 0);
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.U8(), 0);  // stays failed although a byte is left
    EXPECT_THROW(LoadLe32(data, 0), std::out_of_range);
}

TEST(CNumber, LeadingDigitsRule)
{
    EXPECT_EQ(ParseDecimal("  42abc"), 42);
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal("-7"), -7);
    EXPECT_EQ(ParseDecimal("99999999999999999999999"), ParseDecimal("999999999999999999999999"));
    EXPECT_EQ(ParseHex("0x1fF"), 0x1FF);
    EXPECT_EQ(ParseHex("1G"), 1);
}

TEST(Files, AtomicWriteLeavesTheOldFileOnFailure)
{
    test::TempDir dir;
    test::WriteText(dir / "db.bin", "old");
    {
        AtomicFile file(dir / "db.bin");
        ASSERT_TRUE(file.Write(Text("new, unfinished")));
        // destroyed without Commit
    }
    EXPECT_EQ(test::ReadBytes(dir / "db.bin"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    ASSERT_TRUE(WriteFileAtomic(dir / "db.bin", Text("new")));
    EXPECT_EQ(test::ReadBytes(dir / "db.bin"), (Bytes{'n', 'e', 'w'}));
    EXPECT_FALSE(WriteFileAtomic(dir / "missing-dir" / "x", Text("new")));
    EXPECT_FALSE(ReadFileBytes(dir.Path()));
}

}  // namespace
}  // namespace velk
