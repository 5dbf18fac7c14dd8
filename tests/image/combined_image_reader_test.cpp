// Multiple images read back: every file the generator writes splits into exactly
// the images it was made from; a damaged region entry or overlapping regions are
// reported at their offsets.
#include "image/combined_image_reader.h"

#include "common/checksums.h"
#include "image/compress_image.h"
#include "image/multiple_image.h"
#include "image/urt_file.h"
#include "image/urt_reader.h"

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velk {
namespace {

using test::ReadBytes;
using test::ScriptedUi;
using test::TempDir;
using test::WriteBytes;

constexpr FlashImageKind kApp = FlashImageKind::Application;
constexpr FlashImageKind kRes = FlashImageKind::Resource;
constexpr FlashImageKind kSdb = FlashImageKind::Sdb;

// One image of a form: the bytes its file holds, and for a compressed one the bytes
// before compression.
struct Input {
    FlashImageKind kind;
    std::uint32_t start, end;
    Bytes plain;
    bool compressed = false;
};

class CombinedImageReader : public ::testing::Test {
protected:
    CombinedImageReader() { settings.time = {1, 2, 2027, 3, 4, 5}; }

    // The form of `inputs`, their files written (compressed with zlib when asked).
    MultipleImageForm FormOf(const std::vector<Input>& inputs)
    {
        MultipleImageForm form = DefaultMultipleImageForm();
        form.loaderText = "Multi";
        for (const Input& in : inputs) {
            const auto name = dir / (std::to_string(static_cast<int>(in.kind)) + ".bin");
            WriteBytes(name, in.plain);
            FlashImageEntry& e = form.images[static_cast<std::size_t>(in.kind)];
            e = {in.kind, name, in.start, in.end, 1, 0, in.compressed ? 0x9000u : 0u, in.compressed, true};
            if (in.compressed) {
                ScriptedUi ui;
                EXPECT_EQ(CompressImageZlib(ui, name, e.file.replace_extension(".hwc"), 6), 1);
            }
        }
        return form;
    }

    // Inspects `file` and splits its prepared image again for the parts.
    std::vector<CombinedPart> Split(ByteView file, InspectionReport& report, Bytes& prepared)
    {
        report = InspectUrtFile(file, &prepared);
        // The header's addresses: file header, packet framing, 21 + T payload bytes ("Multi").
        const std::uint32_t start = LoadBe32(file, 6 + 4 + 21 + 5);
        const std::uint32_t end = LoadBe32(file, 6 + 4 + 25 + 5);
        InspectionReport again;
        return SplitCombinedImage(again, prepared, {kImageRcu, start, end, {}, kMultipleImageDestination, 0});
    }

    std::uint64_t RowOffset(const InspectionReport& report, const std::string& field)
    {
        const auto it = std::ranges::find(report.rows, field, &InspectionRow::field);
        EXPECT_NE(it, report.rows.end()) << field;
        return it == report.rows.end() ? 0 : it->offset;
    }

    TempDir dir;
    UrtSettings settings;
};

Bytes ResourceLike(std::size_t size)
{
    Bytes b{'V', 'x', 1, 0};
    for (std::size_t i = 0; b.size() < size; ++i)
        b.push_back(static_cast<std::uint8_t>(i * 7));
    return b;
}

TEST_F(CombinedImageReader, EveryWrittenFileVerifiesCleanAndSplitsBackIntoItsImages)
{
    const Bytes app(300, 0xA0);
    // 0xFF at both ends of an image that follows a gap: only its CRC tells where it lies.
    const Bytes edged{0xFF, 0xFF, 1, 2, 0xFF};
    const std::vector<std::vector<Input>> forms{
        {{kSdb, 0x0F00, 0x0F80, Bytes(10, 0xC0)}, {kApp, 0x1000, 0x1200, app}, {kRes, 0x1280, 0x2000, ResourceLike(900), true}},
        {{kApp, 0x1000, 0x1200, app}, {kRes, 0x1200, 0x1400, ResourceLike(480)}},  // regions touching, one exactly filled
        {{kApp, 0x1000, 0x1200, app}},
        {{kApp, 0x1000, 0x1200, Bytes(448, 0xFF)}, {kSdb, 0x8000, 0x8100, edged}},
        {{kRes, 0x7000, 0x7100, ResourceLike(40)}, {kSdb, 0x9000, 0x9800, Bytes(600, 0x5A), true}},
    };
    for (const auto& inputs : forms) {
        const MultipleImageForm form = FormOf(inputs);
        ScriptedUi ui;
        ASSERT_EQ(GenerateMultipleUrtFile(ui, settings, form, dir / "out.urt"), kUrtOk);
        const Bytes file = ReadBytes(dir / "out.urt");
        InspectionReport report;
        Bytes prepared;
        const std::vector<CombinedPart> parts = Split(file, report, prepared);
        EXPECT_TRUE(report.Sound()) << FirstProblemText(report);

        std::vector<Input> byAddress = inputs;
        std::ranges::sort(byAddress, {}, &Input::start);
        ASSERT_EQ(parts.size(), byAddress.size());
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Input& in = byAddress[i];
            const CombinedPart& part = parts[i];
            EXPECT_EQ(part.kind, in.kind);
            EXPECT_EQ(part.start, in.start);
            EXPECT_EQ(part.end, in.end);
            EXPECT_EQ(part.compressed, in.compressed);
            const Bytes written = ReadBytes(form.images[static_cast<std::size_t>(in.kind)].file);
            EXPECT_EQ(Slice(prepared, part.image.start, part.image.length), written);
            if (in.compressed)
                EXPECT_EQ(part.decompressed, in.plain);
        }
    }
}

TEST_F(CombinedImageReader, FlippedBitInARegionEntryIsReportedAtItsOffset)
{
    const MultipleImageForm form = FormOf({{kSdb, 0x0F00, 0x0F80, Bytes(10, 0xC0)}, {kApp, 0x1000, 0x1200, Bytes(300, 0xA0)}});
    std::vector<LoadedFlashImage> images;
    for (const FlashImageEntry& e : form.images)
        if (e.present)
            images.push_back({&e, ReadBytes(e.file)});
    const Bytes combined = BuildCombinedImage(images, form, settings);
    const UrtImageParams params = MultipleImageParams(form);
    const InspectionReport sound = InspectUrtFile(BuildUrtFile(combined, settings, params));
    ASSERT_TRUE(sound.Sound()) << FirstProblemText(sound);

    // The application trailer's start address, 0x100 into the combined image, then 16 into the trailer.
    Bytes flipped = combined;
    flipped[0x100 + 0x200 - 64 + 16 + 2] ^= 0x04;
    const InspectionReport start = InspectUrtFile(BuildUrtFile(flipped, settings, params));
    ASSERT_FALSE(start.Sound());
    EXPECT_EQ(start.problems[0].field, "application trailer start address");
    EXPECT_EQ(start.problems[0].offset, RowOffset(sound, "application trailer start address"));

    // The header's end address: the last region ends elsewhere.
    UrtImageParams shifted = params;
    shifted.endAddress ^= 0x10;
    const InspectionReport end = InspectUrtFile(BuildUrtFile(combined, settings, shifted));
    ASSERT_FALSE(end.Sound());
    EXPECT_EQ(end.problems[0].field, "combined image end address");
    EXPECT_EQ(end.problems[0].offset, RowOffset(sound, "start / end address") + 4);
}

TEST_F(CombinedImageReader, OverlappingRegionsMadeByHandAreReported)
{
    // The dialog refuses these; laid out regardless, the application follows the resource
    // region while its trailer names a start inside it.
    const MultipleImageForm form = FormOf({{kRes, 0x1000, 0x1100, ResourceLike(40)}, {kApp, 0x1080, 0x1280, Bytes(300, 0xA0)}});
    std::vector<LoadedFlashImage> images;
    for (const FlashImageEntry& e : form.images)
        if (e.present)
            images.push_back({&e, ReadBytes(e.file)});
    const Bytes file = BuildUrtFile(BuildCombinedImage(images, form, settings), settings, MultipleImageParams(form));
    const InspectionReport report = InspectUrtFile(file);
    const auto overlap = std::ranges::find(report.problems, "flash regions", &InspectionRow::field);
    ASSERT_NE(overlap, report.problems.end());
    EXPECT_EQ(overlap->value, "Resource end address overlapped with application image.");
    EXPECT_EQ(overlap->offset, RowOffset(report, "resource image"));
}

TEST(ImageInPadding, FindsAnImageWhoseOwnEdgesAre0xFF)
{
    const Bytes image{0xFF, 7, 0xFF};
    Bytes area(5, 0xFF);
    area.insert(area.end(), image.begin(), image.end());
    area.insert(area.end(), 4, 0xFF);
    ImageInPadding images(area, 0, false);
    const auto place = images.Find(area.size(), Crc32Mpeg2(image));
    ASSERT_TRUE(place);
    EXPECT_EQ(place->start, 5u);
    EXPECT_EQ(place->length, 3u);
    EXPECT_FALSE(images.Find(area.size(), Crc32Mpeg2(Bytes{7, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})));
    // Fixed to the front, the leading 0xFF bytes belong to the image.
    const Bytes fromFront(area.begin(), area.begin() + 8);
    EXPECT_EQ(ImageInPadding(area, 0, true).Find(area.size(), Crc32Mpeg2(fromFront))->length, 8u);
}

}  // namespace
}  // namespace velk
