#include "image/compress_image.h"
#include "image/hwc_file.h"
#include "image/lzari.h"
#include "image/zlib_buffer.h"

#include "common/bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

namespace velk {
namespace {

using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

Bytes Inflate(ByteView stream, std::size_t size)
{
    Bytes out(size);
    uLongf length = static_cast<uLongf>(size);
    EXPECT_EQ(uncompress(out.data(), &length, stream.data(), static_cast<uLong>(stream.size())), Z_OK);
    out.resize(length);
    return out;
}

Bytes TextBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Compressible(std::size_t size)
{
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>("satellite "[i % 10]);
    return out;
}

TEST(HwcFile, LayoutsAndPadding)
{
    EXPECT_EQ(Crc16(TextBytes("123456789")), 0xBB3D);
    EXPECT_EQ(Crc16({}), 0);
    const Bytes stream{1, 2, 3, 4, 5};
    EXPECT_EQ(ZlibHwcFile(stream, 0x01020304),
              (Bytes{'H', 'W', 'C', '$', 5, 0, 0, 0, 4, 3, 2, 1, 1, 2, 3, 4, 5, 'z', 'z', 'z'}));
    EXPECT_EQ(ZlibHwcFile(Bytes{9, 9, 9, 9}, 4).size(), 16u);  // no padding for a multiple of four
    const Bytes code{'v', 'q', 'x', '.', 0xAA, 0xBB};
    const Bytes file = Bin2CodHwcFile(code, 300, 0x1234);
    ASSERT_EQ(file.size(), 28u);
    EXPECT_EQ(LoadLe32(file, 4), 300u);
    EXPECT_EQ(LoadLe32(file, 8), 0x1234u);
    EXPECT_EQ(LoadLe32(file, 12), 6u);
    EXPECT_EQ(LoadLe32(file, 16), Crc16(code));
    EXPECT_EQ(Slice(file, 20, 8), (Bytes{'v', 'q', 'x', '.', 0xAA, 0xBB, 'z', 'z'}));
}

TEST(CompressBuffer, ReportsAStreamThatDoesNotFit)
{
    const Bytes source = Compressible(5000);
    Bytes destination(source.size());
    std::size_t length = 0;
    ASSERT_EQ(CompressBuffer(destination, length, source, 9), Z_OK);
    EXPECT_EQ(Inflate(ByteView(destination).first(length), source.size()), source);
    Bytes tiny(4);
    EXPECT_EQ(CompressBuffer(tiny, length, source, 6), Z_BUF_ERROR);
}

TEST(CompressImageZlib, WritesStreamSizesAndPadding)
{
    TempDir dir;
    for (const std::size_t size : {200u, 4097u, 12345u}) {
        const Bytes input = Compressible(size);
        WriteBytes(dir / "in.bin", input);
        ScriptedUi ui;
        ASSERT_EQ(CompressImageZlib(ui, dir / "in.bin", dir / "out.bin", 6), 1);
        EXPECT_TRUE(ui.messages.empty());
        const Bytes file = ReadBytes(dir / "out.bin");
        const std::uint32_t n = LoadLe32(file, 4);
        EXPECT_EQ(Slice(file, 0, 4), TextBytes("HWC$"));
        EXPECT_EQ(LoadLe32(file, 8), size);
        EXPECT_EQ(file.size() % 4, 0u);
        EXPECT_EQ(file.size(), 12 + n + (n % 4 ? 4 - n % 4 : 0));
        EXPECT_EQ(Inflate(Slice(file, 12, n), size), input);
        for (std::size_t i = 12 + n; i < file.size(); ++i)
            EXPECT_EQ(file[i], 'z');
    }
}

TEST(CompressImageZlib, ShortInputThatGrowsFailsAndLeavesNoFile)
{
    TempDir dir;
    WriteBytes(dir / "in.bin", Bytes(4, 0));
    ScriptedUi ui;
    EXPECT_EQ(CompressImageZlib(ui, dir / "in.bin", dir / "out.bin", 6), 0);
    ASSERT_EQ(ui.Texts(), std::vector<std::string>{"Compression failed."});
    EXPECT_EQ(ui.messages[0].caption, "Compression");
    EXPECT_EQ(ui.messages[0].icon, Icon::Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin"));
}

TEST(CompressImageBin2Cod, WritesCrcsOfInputAndCode)
{
    TempDir dir;
    const Bytes input = Compressible(10000);
    WriteBytes(dir / "in.bin", input);
    ScriptedUi ui;
    ASSERT_EQ(CompressImageBin2Cod(ui, dir / "in.bin", dir / "out.bin"), 1);
    const Bytes file = ReadBytes(dir / "out.bin");
    const std::uint32_t n = LoadLe32(file, 12);
    EXPECT_EQ(Slice(file, 0, 4), TextBytes("HWC$"));
    EXPECT_EQ(LoadLe32(file, 4), input.size());
    EXPECT_EQ(LoadLe32(file, 8), Crc16(input));
    EXPECT_EQ(LoadLe32(file, 16), Crc16(Slice(file, 20, n)));
    EXPECT_EQ(Slice(file, 20, n), *LzariEncode(input, input.size()));
    EXPECT_EQ(file.size(), 20 + n + (n % 4 ? 4 - n % 4 : 0));
}

TEST(CompressImageBin2Cod, RefusalsKeepTheTargetUntouched)
{
    TempDir dir;
    WriteBytes(dir / "out.bin", Bytes{1, 2, 3});
    std::mt19937 random(3);
    Bytes noise(3000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    WriteBytes(dir / "noise.bin", noise);
    // Input whose CRC-16 is 0: a CRC-16/ARC followed by its own value in little-endian order.
    const Bytes zeroCrc{0x01, 0xC1, 0xC0};
    ASSERT_EQ(Crc16(zeroCrc), 0);
    WriteBytes(dir / "crc0.bin", zeroCrc);
    const struct {
        const char* input;
        const char* message;
    } cases[] = {{"noise.bin", "Compression failed."}, {"crc0.bin", "CRC calculation failed."}, {"missing.bin", "Unable to open inputfile."}};
    for (const auto& c : cases) {
        ScriptedUi ui;
        EXPECT_EQ(CompressImageBin2Cod(ui, dir / c.input, dir / "out.bin"), 0);
        ASSERT_EQ(ui.Texts().size(), 1u);
        EXPECT_EQ(ui.Texts()[0].substr(0, ui.Texts()[0].find('\n')), c.message);  // a file's cause follows
        EXPECT_EQ(ReadBytes(dir / "out.bin"), (Bytes{1, 2, 3}));
    }
    ScriptedUi ui;
    const auto missingFolder = dir / "no" / "such" / "out.bin";
    EXPECT_EQ(CompressImageBin2Cod(ui, dir / "noise.bin", missingFolder), 0);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Unable to open outputfile.\n" + missingFolder.string() + ": No such file or directory"});
}

TEST(CompressImageFile, DialogChecksAndSuccessMessage)
{
    TempDir dir;
    WriteBytes(dir / "empty.bin", {});
    WriteBytes(dir / "in.bin", Compressible(1000));
    ScriptedUi ui;
    EXPECT_EQ(CompressImageFile(ui, dir / "nothing.bin", dir / "a.bin", CompressionType::Zlib, 6), 0);
    EXPECT_EQ(CompressImageFile(ui, dir / "empty.bin", dir / "a.bin", CompressionType::Zlib, 6), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.bin"));
    EXPECT_EQ(CompressImageFile(ui, dir / "in.bin", dir / "a.bin", CompressionType::Bin2Cod, 6), 1);
    const std::string in = (dir / "in.bin").string();
    const std::string out = (dir / "a.bin").string();
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Binary file does not exist or invalid path.",
                                                     "Binary file does not contains any data to compress.",
                                                     in + "\nis compressed as\n" + out}));
    EXPECT_EQ(ui.messages.back().icon, Icon::Information);
}

}  // namespace
}  // namespace velk
