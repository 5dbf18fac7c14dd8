// Reading "HWC$" files back: what the compressor writes decodes to its input, and
// every damage is named with its offset.
#include "image/compress_image.h"
#include "image/hwc_reader.h"
#include "image/image_verifier.h"
#include "image/lzari.h"

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace velk {
namespace {

using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

Bytes Firmware(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes out;
    while (out.size() < size) {
        switch (random() % 3) {
        case 0: out.insert(out.end(), random() % 40, 0); break;
        case 1: for (int i = 0; i < 12; ++i) out.push_back(static_cast<std::uint8_t>(random())); break;
        default: for (const char c : std::string("Searching transponders")) out.push_back(static_cast<std::uint8_t>(c));
        }
    }
    out.resize(size);
    return out;
}

// The file the compressor writes for `input`.
Bytes Compressed(const Bytes& input, CompressionType type)
{
    TempDir dir;
    ScriptedUi ui;
    WriteBytes(dir / "in.bin", input);
    const bool done = type == CompressionType::Zlib ? CompressImageZlib(ui, dir / "in.bin", dir / "out.bin", 6)
                                                    : CompressImageBin2Cod(ui, dir / "in.bin", dir / "out.bin");
    EXPECT_TRUE(done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    return ReadBytes(dir / "out.bin");
}

TEST(HwcReader, BothTypesDecodeToTheirInputAtEverySize)
{
    for (const CompressionType type : {CompressionType::Zlib, CompressionType::Bin2Cod}) {
        for (const std::size_t size : {std::size_t{200}, std::size_t{4097}, std::size_t{70001}}) {
            const Bytes input = Firmware(size, static_cast<unsigned>(size));
            Bytes image;
            const InspectionReport report = InspectHwcFile(Compressed(input, type), &image);
            EXPECT_TRUE(report.Sound()) << FirstProblemText(report);
            EXPECT_EQ(report.kind, type == CompressionType::Zlib ? "HWC$ Zlib" : "HWC$ Bin2Cod");
            EXPECT_EQ(image, input) << size;
        }
    }
}

// Where a flip in each byte must be reported: the field it hits, or inside the data.
std::size_t ExpectedOffset(std::size_t flipped, std::size_t header, std::size_t n, bool bin2cod)
{
    if (flipped >= header + n)
        return flipped;  // padding: the byte itself
    if (flipped >= header)
        return bin2cod ? 16 : flipped;  // code: its CRC-16; zlib stream: at or after the damage
    return flipped / 4 * 4 + (bin2cod && (flipped == 10 || flipped == 11 || flipped == 18 || flipped == 19) ? 2 : 0);
}

TEST(HwcReader, EveryFlippedBitIsReportedAtItsField)
{
    for (const CompressionType type : {CompressionType::Zlib, CompressionType::Bin2Cod}) {
        const bool bin2cod = type == CompressionType::Bin2Cod;
        const Bytes input = Firmware(301, 3);
        const Bytes good = Compressed(input, type);
        const std::size_t header = bin2cod ? 20 : 12;
        const std::size_t n = LoadLe32(good, bin2cod ? 12 : 4);
        for (std::size_t at = 0; at < good.size(); ++at) {
            for (int bit = 0; bit < 8; ++bit) {
                Bytes bad = good;
                bad[at] ^= static_cast<std::uint8_t>(1 << bit);
                Bytes image{1};
                const InspectionReport report = InspectHwcFile(bad, &image);
                // Some deflate bits do not change the data (the last byte's filler, a copy from
                // another spot of a zero run): the file is then sound and still gives the image.
                if (!bin2cod && at >= header && at < header + n && report.Sound()) {
                    EXPECT_EQ(image, input);
                    continue;
                }
                ASSERT_FALSE(report.Sound()) << "byte " << at << " bit " << bit;
                EXPECT_TRUE(image.empty());
                const std::uint64_t offset = report.problems.front().offset;
                const std::size_t expected = ExpectedOffset(at, header, n, bin2cod);
                if (!bin2cod && at >= header && at < header + n)
                    EXPECT_GE(offset, header) << "byte " << at;  // inflate notices some bytes later
                else if (at != 4 && at != 12)  // a wrong compressed size moves the whole layout
                    EXPECT_EQ(offset, expected) << "byte " << at << " bit " << bit << ": " << FirstProblemText(report);
            }
        }
    }
}

TEST(HwcReader, TruncatedAndForeignFilesAreRefused)
{
    for (const CompressionType type : {CompressionType::Zlib, CompressionType::Bin2Cod}) {
        const Bytes good = Compressed(Firmware(500, 9), type);
        for (std::size_t length = 0; length < good.size(); ++length)
            EXPECT_FALSE(InspectHwcFile(ByteView(good).first(length)).Sound()) << length;
        Bytes longer = good;
        longer.push_back('z');
        EXPECT_FALSE(InspectHwcFile(longer).Sound());
    }
    EXPECT_EQ(FirstProblemText(InspectHwcFile(Bytes{'M', 'Z', 0, 0})), "offset 0x00000000: signature: the file does not begin with \"HWC$\"");
}

TEST(HwcReader, LzariDecoderRefusesCodeThatEndsEarlyOrGoesOn)
{
    const Bytes input = Firmware(20000, 5);
    const auto code = LzariEncode(input, input.size());
    ASSERT_TRUE(code);
    const ByteView bits = ByteView(*code).subspan(4);
    EXPECT_EQ(LzariDecode(bits, input.size()), input);
    EXPECT_FALSE(LzariDecode(bits.first(bits.size() / 2), input.size()));
    EXPECT_FALSE(LzariDecode(bits, input.size() / 2));
    EXPECT_FALSE(LzariDecode(bits.first(3), 1u << 30));  // a size no code this short can give
}

TEST(HwcReader, DecompressWritesTheImageOnlyFromASoundFile)
{
    TempDir dir;
    ScriptedUi ui;
    const Bytes input = Firmware(3000, 8);
    Bytes file = Compressed(input, CompressionType::Bin2Cod);
    WriteBytes(dir / "good.hwc", file);
    ASSERT_EQ(DecompressImageFile(ui, dir / "good.hwc", dir / "out.bin"), 1);
    EXPECT_EQ(ReadBytes(dir / "out.bin"), input);
    file[30] ^= 1;
    WriteBytes(dir / "bad.hwc", file);
    WriteBytes(dir / "kept.bin", Bytes{1, 2, 3});
    EXPECT_EQ(DecompressImageFile(ui, dir / "bad.hwc", dir / "kept.bin"), 0);
    EXPECT_EQ(ReadBytes(dir / "kept.bin"), (Bytes{1, 2, 3}));
    EXPECT_EQ(ui.messages.back().caption, "Compression");
    EXPECT_EQ(ui.messages.back().text.rfind("offset 0x00000010: CRC-16 of the code", 0), 0u) << ui.messages.back().text;
    EXPECT_EQ(DecompressImageFile(ui, dir.Path(), dir / "x.bin"), 0);  // a directory is not opened
    EXPECT_EQ(ui.messages.back().text, "Binary file does not exist or invalid path.");
}

}  // namespace
}  // namespace velk
