// Reading URT files back: everything the generators write inspects clean, and
// damage is named with the offset of the packet or field it hits.
#include "image/image_verifier.h"
#include "image/multiple_image.h"
#include "image/urt_file.h"
#include "image/urt_reader.h"
#include "image/urt_trailer.h"

#include "common/checksums.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

UrtSettings Settings(bool trailer, std::uint32_t partitionKb = 8, std::uint32_t block = 512)
{
    UrtSettings s;
    s.partitionSize = partitionKb * 1024;
    s.blockSize = block;
    s.trailer = trailer;
    s.time = {7, 12, 2026, 3, 4, 5};
    return s;
}

UrtImageParams Params(std::uint16_t type, std::uint32_t start, std::uint32_t end)
{
    UrtImageParams p;
    p.imageType = type;
    p.destinationCode = 7;
    p.manufacturerId = 0xA2;
    p.loaderText = "Database";
    p.startAddress = start;
    p.endAddress = end;
    p.swMajor = 1;
    return p;
}

Bytes Image(std::size_t size, std::uint8_t last = 0x5A)
{
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>(i * 13 + 1);
    if (size)
        out.back() = last;
    return out;
}

Bytes Urt(Bytes image, const UrtSettings& settings, UrtImageParams params)
{
    const Bytes prepared = PrepareUrtImage(std::move(image), settings, params);
    return BuildUrtFile(prepared, settings, params);
}

TEST(UrtReader, WhatTheGeneratorsWriteInspectsClean)
{
    struct Case {
        std::uint16_t type;
        bool trailer;
        std::size_t size;
        std::uint8_t last;
    };
    // Images ending in 0xFF test where the padding begins.
    const Case cases[] = {{kImageDatabase, true, 5000, 0x5A}, {kImageDatabase, true, 5000, 0xFF}, {kImageApplication, true, 20000, 0},
                          {kImageResource, true, 0x5000, 1}, {kImageDatabase, false, 300, 2}, {kImageApplication, false, 9000, 0xFF},
                          {kImageEepromData, true, 1, 0xFF}};
    for (const Case& c : cases) {
        Bytes prepared;
        const Bytes file = Urt(Image(c.size, c.last), Settings(c.trailer), Params(c.type, 0x7FE40000, 0x7FE45000));
        const InspectionReport report = InspectUrtFile(file, &prepared);
        EXPECT_TRUE(report.Sound()) << c.type << " " << c.size << ": " << FirstProblemText(report);
        EXPECT_FALSE(prepared.empty());
    }
}

TEST(UrtReader, MultipleImageInspectsClean)
{
    TempDir dir;
    ScriptedUi ui;
    WriteBytes(dir / "app.bin", Image(700));
    WriteBytes(dir / "sdb.bin", Image(90));
    MultipleImageForm form = DefaultMultipleImageForm();
    form.images[0] = {FlashImageKind::Application, dir / "app.bin", 0x1000, 0x1400, 1, 0, 0, false, true};
    form.images[2] = {FlashImageKind::Sdb, dir / "sdb.bin", 0x0800, 0x0900, 1, 0, 0, false, true};
    ASSERT_EQ(GenerateMultipleUrtFile(ui, Settings(true), form, dir / "multi.urt"), kUrtOk);
    const InspectionReport report = InspectImageFile(dir / "multi.urt");
    EXPECT_TRUE(report.Sound()) << FirstProblemText(report);
}

// The packet (start, end) that holds byte `at` of the file.
std::pair<std::size_t, std::size_t> PacketAround(const Bytes& file, std::size_t at)
{
    std::size_t pos = 6;
    while (pos < file.size()) {
        const std::size_t end = pos + LoadBe24(file, pos + 1) + 9;
        if (at < end)
            return {pos, end};
        pos = end;
    }
    return {0, 0};
}

TEST(UrtReader, EveryFlippedBitIsReportedInItsPacket)
{
    const Bytes good = Urt(Image(1500), Settings(true, 8, 512), Params(kImageDatabase, 0x1000, 0x1800));
    ASSERT_TRUE(InspectUrtFile(good).Sound());
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            Bytes bad = good;
            bad[at] ^= static_cast<std::uint8_t>(1 << bit);
            const InspectionReport report = InspectUrtFile(bad);
            ASSERT_FALSE(report.Sound()) << "byte " << at << " bit " << bit;
            const std::uint64_t offset = report.problems.front().offset;
            if (at < 6) {
                EXPECT_EQ(offset, at < 2 ? 0u : 2u) << at;
                continue;
            }
            const auto [start, end] = PacketAround(good, at);
            // A damaged length field may send the reader on to a later packet.
            EXPECT_GE(offset, start) << "byte " << at << ": " << FirstProblemText(report);
            if (at > start + 3)
                EXPECT_LT(offset, end) << "byte " << at << ": " << FirstProblemText(report);
        }
    }
}

// Changes one payload byte and mends the packet's checksum, so only the CRCs can tell.
Bytes WithMendedChecksum(Bytes file, std::size_t at)
{
    const auto [start, end] = PacketAround(file, at);
    file[at] ^= 0x40;
    const std::size_t length = end - start - 9;
    StoreBe32(file, start + 4 + length, ByteSum32(ByteView(file).subspan(start + 4, length)));
    return file;
}

TEST(UrtReader, CrcsCatchWhatTheChecksumsMiss)
{
    const Bytes good = Urt(Image(20000), Settings(true, 8, 512), Params(kImageDatabase, 0x1000, 0x6000));
    const std::size_t headerLength = LoadBe24(good, 7);
    const std::size_t firstBlockData = 6 + 9 + headerLength + 4 + 12;
    const InspectionReport report = InspectUrtFile(WithMendedChecksum(good, firstBlockData + 100));
    ASSERT_FALSE(report.Sound());
    // Partition 0's CRC in the header's table (table at payload offset 32 + 8 letters of loader text).
    EXPECT_EQ(report.problems.front().field, "partition 0 CRC-32");
    EXPECT_EQ(report.problems.front().offset, 6 + 4 + 32 + 8 + 10);
    // The header's own CRC field, damaged with its packet's checksum mended.
    const std::size_t crcAt = 6 + 4 + 32 + 8 + 14 * 3;
    const InspectionReport header = InspectUrtFile(WithMendedChecksum(good, crcAt));
    ASSERT_FALSE(header.Sound());
    EXPECT_EQ(header.problems.front().field, "image CRC-32");
    EXPECT_EQ(header.problems.front().offset, crcAt);
}

TEST(UrtReader, TruncatedFilesAtEveryLengthAreRefused)
{
    const Bytes good = Urt(Image(3000), Settings(true, 8, 512), Params(kImageApplication, 0x1000, 0x2000));
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(InspectUrtFile(ByteView(good).first(length)).Sound()) << length;
    Bytes longer = good;
    longer.push_back(0x02);
    EXPECT_FALSE(InspectUrtFile(longer).Sound());
}

TEST(UrtReader, InspectTellsTheKindsApart)
{
    TempDir dir;
    WriteBytes(dir / "text.txt", Bytes{'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(FirstProblemText(InspectImageFile(dir / "text.txt")),
              "offset 0x00000000: file: neither a URT file (\"MZ\") nor a compressed image (\"HWC$\")");
    EXPECT_FALSE(InspectImageFile(dir / "missing.urt").Sound());
    EXPECT_FALSE(InspectImageFile(dir.Path()).Sound());
}

}  // namespace
}  // namespace velk
