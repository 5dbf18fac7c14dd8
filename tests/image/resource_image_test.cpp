#include "image/resource_image.h"

#include "common/byte_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace velk {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

Bytes Entry(const std::string& name, std::uint8_t kind, const Bytes& body, std::uint32_t lengthWord)
{
    ByteWriter w;
    w.U8('V');
    w.U8('x');
    w.Le16(1);
    Bytes field(12, 0);
    std::copy(name.begin(), name.end(), field.begin());
    field[11] = kind;
    w.Append(field);
    w.Le32(0xFFFFFFFF);
    w.Le16(0x0300);
    w.Le16(0);
    w.Le32(static_cast<std::uint32_t>(32 + body.size()));
    w.Le32(lengthWord);
    w.Append(body);
    return w.Take();
}

Bytes ResourceWithTwoDataEntries()
{
    Bytes root(16, 0);
    root[12] = 2;
    Bytes out = Entry("ROOT_BLOCK", 1, root, 0xFFFFFFFF);
    for (const Bytes& e : {Entry("DAT_RES_0", 18, Bytes(8, 0x55), 0x1234), Entry("FONT", 7, Bytes(4, 0x66), 0xFFFFFFFF),
                           Entry("DAT_RES_1", 18, Bytes(4, 0x77), 0xFFFFFFFF)})
        out.insert(out.end(), e.begin(), e.end());
    return out;
}

TEST(MergeResourceImage, AppendsTheNextDataEntry)
{
    TempDir dir;
    const Bytes resource = ResourceWithTwoDataEntries();
    const auto length = static_cast<std::uint32_t>(resource.size());
    WriteBytes(dir / "res.bin", resource);
    WriteBytes(dir / "sdb.bin", Bytes{1, 2, 3, 4, 5, 6});
    ASSERT_EQ(MergeResourceImage(dir / "res.bin", dir / "sdb.bin", dir / "out.bin"), kMergeDone);

    Bytes expected = resource;
    StoreLe32(expected, 28, length);             // root block
    StoreLe32(expected, 48 + 40 + 28, length);   // FONT
    StoreLe32(expected, 48 + 40 + 36 + 28, length);
    StoreLe32(expected, 32 + 12, 3);             // root entry count
    const Bytes added{'V', 'x', 1, 0, 'D', 'A', 'T', '_', 'R', 'E', 'S', '_', '2', 0, 0, 18,
                      0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x03, 0, 0, 40, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                      1, 2, 3, 4, 5, 6, 0, 0};
    expected.insert(expected.end(), added.begin(), added.end());
    EXPECT_EQ(ReadBytes(dir / "out.bin"), expected);
}

TEST(MergeResourceImage, RefusesWhatItCannotUse)
{
    TempDir dir;
    const Bytes good = ResourceWithTwoDataEntries();
    WriteBytes(dir / "res.bin", good);
    WriteBytes(dir / "sdb.bin", Bytes(3, 9));
    Bytes noMagic = good;
    noMagic[0] = 'W';
    WriteBytes(dir / "nomagic.bin", noMagic);
    Bytes overrun = good;
    StoreLe32(overrun, 48 + 24, 4000);  // the first data entry claims more than the file holds
    WriteBytes(dir / "overrun.bin", overrun);
    Bytes zeroSize = good;
    StoreLe32(zeroSize, 48 + 24, 0);
    WriteBytes(dir / "zero.bin", zeroSize);
    Bytes tail = good;
    tail.resize(tail.size() + 5, 0);
    WriteBytes(dir / "tail.bin", tail);

    EXPECT_EQ(MergeResourceImage(dir / "missing.bin", dir / "sdb.bin", dir / "out.bin"), kMergeSourceError);
    EXPECT_EQ(MergeResourceImage(dir / "res.bin", dir / "missing.bin", dir / "out.bin"), kMergeSourceError);
    for (const char* bad : {"nomagic.bin", "overrun.bin", "zero.bin", "tail.bin"})
        EXPECT_EQ(MergeResourceImage(dir / bad, dir / "sdb.bin", dir / "out.bin"), kMergeInvalid) << bad;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin"));
    EXPECT_EQ(MergeResourceImage(dir / "res.bin", dir / "sdb.bin", dir / "no" / "out.bin"), kMergeOutputError);
}

}  // namespace
}  // namespace velk
