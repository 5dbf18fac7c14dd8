#include "image/urt_file.h"
#include "image/section_crcs.h"
#include "image/urt_trailer.h"

#include "common/byte_reader.h"
#include "common/checksums.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace velk {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

constexpr UrtTimestamp kTime{6, 12, 2026, 23, 42, 59};

UrtSettings Settings(std::uint32_t partitionKb = 32, bool trailer = false)
{
    UrtSettings s = *SetUrtSettings({.partitionSize = partitionKb * 1024, .trailer = trailer});
    s.time = kTime;
    return s;
}

UrtImageParams Params(std::uint16_t type, std::uint32_t start, std::uint32_t end)
{
    UrtImageParams p;
    p.imageType = type;
    p.destinationCode = 15;
    p.manufacturerId = 0xA1;
    p.loaderText = "AB";
    p.startAddress = start;
    p.endAddress = end;
    p.swMajor = 4;
    p.swMinor = 2;
    p.hwMajor = 3;
    p.hwMinor = 1;
    return p;
}

Bytes Pattern(std::size_t size)
{
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return out;
}

Bytes Packet(const Bytes& payload)
{
    ByteWriter w;
    w.U8(0x02);
    w.U8(static_cast<std::uint8_t>(payload.size() >> 16));
    w.Be16(static_cast<std::uint16_t>(payload.size()));
    w.Append(payload);
    w.Be32(ByteSum32(payload));
    w.U8(0x03);
    return w.Take();
}

// Walks a URT file's packets and returns their payloads.
std::vector<Bytes> Payloads(const Bytes& file)
{
    std::vector<Bytes> out;
    std::size_t pos = 6;
    while (pos < file.size()) {
        const std::uint32_t length = LoadBe24(file, pos + 1);
        out.push_back(Slice(file, pos + 4, length));
        pos += length + 9;
    }
    EXPECT_EQ(pos, file.size());
    return out;
}

TEST(UrtChecksums, CheckValues)
{
    const Bytes digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc32Mpeg2(digits), 0x0376E6E7u);
    EXPECT_EQ(Crc32Mpeg2({}), 0xFFFFFFFFu);
    Bytes file;
    AppendUrtPacket(file, Bytes{0x01, 0x02, 0xFF});
    EXPECT_EQ(file, (Bytes{0x02, 0, 0, 3, 0x01, 0x02, 0xFF, 0, 0, 0x01, 0x02, 0x03}));
}

TEST(UrtChecksums, SectionCrcsMatchTheDirectOnes)
{
    const Bytes data = Pattern(3 * 8192 + 77);
    for (const std::size_t section : {std::size_t{1}, std::size_t{8192}, std::size_t{5000}, std::size_t{100000}}) {
        const SectionCrcs crcs = Crc32Mpeg2Sections(data, section);
        EXPECT_EQ(crcs.whole, Crc32Mpeg2(data));
        ASSERT_EQ(crcs.sections.size(), (data.size() + section - 1) / section);
        for (std::size_t i = 0; i < crcs.sections.size(); ++i) {
            const std::size_t length = std::min(section, data.size() - i * section);
            EXPECT_EQ(crcs.sections[i], Crc32Mpeg2(ByteView(data).subspan(i * section, length))) << section << " " << i;
        }
    }
    EXPECT_EQ(Crc32Mpeg2Sections({}, 8192).whole, 0xFFFFFFFFu);
    // Fed in pieces that straddle the section boundaries.
    SectionedCrc pieces(8192);
    for (std::size_t at = 0; at < data.size(); at += 3000) {
        pieces.Process(ByteView(data).subspan(at, std::min<std::size_t>(3000, data.size() - at)));
        EXPECT_EQ(pieces.Running(), Crc32Mpeg2(ByteView(data).first(std::min<std::size_t>(at + 3000, data.size()))));
    }
    const SectionCrcs whole = Crc32Mpeg2Sections(data, 8192);
    EXPECT_EQ(pieces.Result().sections, whole.sections);
    EXPECT_EQ(pieces.Result().whole, whole.whole);
}

TEST(UrtFile, SmallImageByteForByte)
{
    const Bytes image{0x10, 0x20, 0x30, 0x40, 0x50};
    const UrtImageParams params = Params(kImageApplication, 0x7FF60000, 0x7FFF0000);
    const std::uint32_t crc = Crc32Mpeg2(image);
    const Bytes header{0xF1, 0x80, 0x3D, 0x2F, 0x12, 0xA1, 0x03, 0x04, 0x02, 'A', 'B', 0, 0, 0, 5,
                       6, 12, 0x07, 0xEA, 0, 23, 42, 59, 0x7F, 0xF6, 0, 0, 0x7F, 0xFF, 0, 0, 0, 0, 1,
                       0, 0, 0, 0, 1, 0, 0, 5, 0x08, 0x00, std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8), std::uint8_t(crc),
                       std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8), std::uint8_t(crc)};
    const Bytes data{0xF2, 0x80, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0x10, 0x20, 0x30, 0x40, 0x50};
    Bytes expected{'M', 'Z', 0, 0, 0, 2};
    for (const Bytes& payload : {header, data}) {
        const Bytes packet = Packet(payload);
        expected.insert(expected.end(), packet.begin(), packet.end());
    }
    // Without a trailer an application image goes out unchanged.
    UrtImageParams prepared = params;
    const Bytes ready = PrepareUrtImage(image, Settings(), prepared);
    EXPECT_EQ(ready, image);
    EXPECT_EQ(BuildUrtFile(ready, Settings(), prepared), expected);
}

TEST(UrtFile, HundredByteImageIsOnePartitionOfOneBlock)
{
    const Bytes file = BuildUrtFile(Pattern(100), Settings(), Params(kImageDatabase, 0, 0));
    EXPECT_EQ(LoadBe32(file, 2), 2u);
    const auto payloads = Payloads(file);
    ASSERT_EQ(payloads.size(), 2u);
    EXPECT_EQ(LoadBe16(payloads[0], 1), 0x803D);
    EXPECT_EQ(payloads[1].size(), 112u);  // data length + 12
    EXPECT_EQ(file.size(), 6 + (payloads[0].size() + 9) + (100 + 21));
}

TEST(UrtFile, PartitionsAndBlocksAtTheBoundaries)
{
    constexpr std::uint32_t B = 32 * 1024;
    const Bytes image = Pattern(2 * B + 1);
    const Bytes file = BuildUrtFile(image, Settings(), Params(kImageDatabase, 0, 0));
    const auto payloads = Payloads(file);
    // 16 blocks in each full partition and one in the third.
    ASSERT_EQ(payloads.size(), 1u + 16 + 16 + 1);
    EXPECT_EQ(LoadBe32(file, 2), 34u);
    const Bytes& header = payloads[0];
    EXPECT_EQ(LoadBe16(header, 1), 0x8000 | (14 * 3 + 47));
    EXPECT_EQ(LoadBe24(header, 31), 3u);
    for (std::uint32_t i = 0; i < 3; ++i) {
        const std::size_t at = 34 + 14 * i;
        const std::uint32_t size = i < 2 ? B : 1;
        EXPECT_EQ(LoadBe32(header, at), i * B);
        EXPECT_EQ(header[at + 4], i < 2 ? 16 : 1);
        EXPECT_EQ(LoadBe24(header, at + 5), size);
        EXPECT_EQ(LoadBe16(header, at + 8), 2048);
        EXPECT_EQ(LoadBe32(header, at + 10), Crc32Mpeg2(ByteView(image).subspan(i * B, size)));
    }
    EXPECT_EQ(LoadBe32(header, 34 + 42), Crc32Mpeg2(image));
    // The last block of the second partition, then the one-byte third partition.
    const Bytes& last = payloads[32];
    EXPECT_EQ(LoadBe16(last, 1), 0x8000 | (2048 + 9));
    EXPECT_EQ(LoadBe24(last, 3), 15u * 2048);
    EXPECT_EQ(LoadBe24(last, 6), 1u);
    EXPECT_EQ(last[9], 15);
    EXPECT_EQ(payloads[33], (Bytes{0xF2, 0x80, 10, 0, 0, 0, 0, 0, 2, 0, 0, 1, image.back()}));
}

TEST(UrtFile, SixtyFourKilobytePartitions)
{
    const Bytes file = BuildUrtFile(Pattern(100000), Settings(64), Params(kImageDatabase, 0, 0));
    const Bytes header = Payloads(file)[0];
    EXPECT_EQ(LoadBe24(header, 31), 2u);
    EXPECT_EQ(LoadBe24(header, 34 + 5), 65536u);
    EXPECT_EQ(header[34 + 4], 32);
    EXPECT_EQ(LoadBe24(header, 48 + 5), 34464u);
    EXPECT_EQ(header[48 + 4], 17);  // 16 full blocks and 1696 bytes
}

TEST(UrtFile, LongLoaderTextIsCutToFifteen)
{
    UrtImageParams params = Params(kImageDatabase, 0, 0);
    params.loaderText = "0123456789ABCDEFGH";
    const Bytes header = Payloads(BuildUrtFile(Pattern(10), Settings(), params))[0];
    EXPECT_EQ(header[8], 15);
    EXPECT_EQ(Slice(header, 9, 15), Bytes(params.loaderText.begin(), params.loaderText.begin() + 15));
    EXPECT_EQ(LoadBe32(header, 24), 10u);  // the size where the receiver's download reads it
}

TEST(UrtPreparation, PaddingWithoutTrailer)
{
    const UrtSettings plain = Settings();
    UrtImageParams db = Params(kImageDatabase, 0, 8180);
    Bytes expected = Pattern(100);
    expected.resize(8180, 0xFF);
    EXPECT_EQ(PrepareUrtImage(Pattern(100), plain, db), expected);
    EXPECT_EQ(PrepareUrtImage(Pattern(9000), plain, db), Pattern(9000));  // larger than its region: unchanged
    UrtImageParams backwards = Params(kImageDatabase, 0x2000, 0x1000);
    EXPECT_EQ(PrepareUrtImage(Pattern(10), plain, backwards), Pattern(10));
}

TEST(UrtPreparation, DatabaseTrailerFillsTheRegion)
{
    UrtImageParams params = Params(kImageDatabase, 0x7FE40000, 0x7FE50000);
    params.decompressStart = 0x12345678;  // ignored: not compressed
    const Bytes image = Pattern(1000);
    const Bytes ready = PrepareUrtImage(image, Settings(32, true), params);
    ASSERT_EQ(ready.size(), 0x10000u);
    EXPECT_EQ(Slice(ready, 0, 1000), image);
    EXPECT_EQ(Slice(ready, 1000, 0x10000 - 32 - 1000), Bytes(0x10000 - 32 - 1000, 0xFF));
    const std::uint32_t crc = Crc32Mpeg2(image);
    EXPECT_EQ(Slice(ready, 0x10000 - 32, 32),
              (Bytes{4, 0x20, 0, 0, 6, 12, 0x07, 0xEA, 23, 42, 59, 0, 0xAB, 0xAB, 0xAB, 0xAB, 0, 0, 0, 0,
                     std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8), std::uint8_t(crc),
                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(params.startAddress, 0x7FE40000u);
    EXPECT_EQ(params.endAddress, 0x7FE50000u);

    // An image with exactly 31 bytes to spare is not padded; the trailer follows it.
    UrtImageParams tight = Params(kImageResource, 0, 1031);
    tight.compressed = true;
    tight.decompressStart = 0x80001000;
    const Bytes closed = PrepareUrtImage(image, Settings(32, true), tight);
    ASSERT_EQ(closed.size(), 1032u);
    EXPECT_EQ(Slice(closed, 1012, 8), (Bytes{0xAC, 0xAC, 0xAC, 0xAC, 0x80, 0x00, 0x10, 0x00}));
}

TEST(UrtPreparation, ApplicationMovesToTheEndOfItsRegion)
{
    UrtImageParams params = Params(kImageApplication, 0x7FF60000, 0x7FFF0000);
    params.compressed = true;
    params.decompressStart = 0x80000400;
    const Bytes image = Pattern(777);
    const Bytes ready = PrepareUrtImage(image, Settings(32, true), params);
    ASSERT_EQ(ready.size(), 777u + 64);
    const std::uint32_t start = 0x7FFF0000 - 777 - 64;
    EXPECT_EQ(params.startAddress, start);
    const std::uint32_t crc = Crc32Mpeg2(image);
    Bytes trailer{0x12, 0xA1, 3, 4, 6, 12, 0x07, 0xEA, 23, 42, 59, 0, 0xAC, 0xAC, 0xAC, 0xAC,
                  std::uint8_t(start >> 24), std::uint8_t(start >> 16), std::uint8_t(start >> 8), std::uint8_t(start),
                  0, 0, 0x03, 0x09, 0x80, 0x00, 0x04, 0x00,
                  std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8), std::uint8_t(crc)};
    trailer.resize(64, 0xFF);
    EXPECT_EQ(Slice(ready, 777, 64), trailer);
    // The header carries the moved start address.
    const Bytes header = Payloads(BuildUrtFile(ready, Settings(32, true), params))[0];
    EXPECT_EQ(LoadBe32(header, 23), start);
    EXPECT_EQ(LoadBe32(header, 27), 0x7FFF0000u);
}

TEST(UrtPreparation, ExtendedTrailers)
{
    UrtSettings settings = Settings(32, true);
    settings.extendedTrailer = true;
    UrtImageParams db = Params(kImageDatabase, 0x1000, 0x1100);
    const Bytes ready = PrepareUrtImage(Pattern(16), settings, db);
    ASSERT_EQ(ready.size(), 0x100u);
    // Padding to 0xE0, 20 trailer bytes, then start and start + 0xF4.
    EXPECT_EQ(Slice(ready, 0xF4, 8), (Bytes{0, 0, 0x10, 0, 0, 0, 0x10, 0xF4}));
    EXPECT_EQ(db.endAddress, 0x10F4u);

    UrtImageParams app = Params(kImageApplication, 0, 0x1000);
    app.resStart = 0x11;
    app.adbEnd = 0x66;
    const Bytes appReady = PrepareUrtImage(Pattern(8), settings, app);
    ASSERT_EQ(appReady.size(), 72u);
    EXPECT_EQ(LoadBe32(appReady, 8 + 28), 0x11u);       // RES start
    EXPECT_EQ(LoadBe32(appReady, 8 + 28 + 20), 0x66u);  // ADB end
    EXPECT_EQ(Slice(appReady, 64, 8), Bytes(8, 0xFF));
}

TEST(UrtSettingsTest, RefusesBlockSizesTheFieldsCannotHold)
{
    EXPECT_FALSE(SetUrtSettings({.blockSize = 4096}));
    EXPECT_FALSE(SetUrtSettings({.partitionSize = 33 * 1024}));
    const auto s = SetUrtSettings({0xA0, 0xB0, 256 * 1024, 512, 7, false, false});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->partitionSize, 262144u);
    EXPECT_EQ(s->blockSize, 512u);
    EXPECT_GE(s->time.year, 2024);
    UrtSettings handMade;
    handMade.blockSize = 4096;
    EXPECT_FALSE(UrtSettingsUsable(handMade));
    EXPECT_THROW(BuildUrtFile(Pattern(10), handMade, Params(kImageDatabase, 0, 0)), std::invalid_argument);
}

TEST(GenerateUrtFile, ResultCodesAndOutput)
{
    TempDir dir;
    const Bytes image = Pattern(5000);
    WriteBytes(dir / "in.bin", image);
    const UrtSettings settings = Settings(32, true);
    const UrtImageParams params = Params(kImageDatabase, 0x7FE40000, 0x7FE50000);
    ASSERT_EQ(GenerateUrtFile(settings, dir / "in.bin", dir / "out.urt", params), kUrtOk);
    UrtImageParams prepared = params;
    EXPECT_EQ(ReadBytes(dir / "out.urt"), BuildUrtFile(PrepareUrtImage(image, settings, prepared), settings, prepared));
    EXPECT_EQ(GenerateUrtFile(settings, dir / "missing.bin", dir / "out2.urt", params), kUrtCreateError);
    EXPECT_EQ(GenerateUrtFile(settings, dir / "in.bin", dir / "no" / "out.urt", params), kUrtCreateError);
    EXPECT_FALSE(std::filesystem::exists(dir / "out2.urt"));
    // Only the output is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 2);
}

}  // namespace
}  // namespace velk
