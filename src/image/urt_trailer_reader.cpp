#include "image/urt_trailer_reader.h"

#include "common/checksums.h"
#include "common/format.h"
#include "image/combined_image_reader.h"
#include "image/flash_image.h"
#include "image/image_in_padding.h"
#include "image/urt_settings.h"
#include "image/urt_trailer.h"

#include <algorithm>

namespace velk {
namespace {

std::string Hex(std::uint32_t v) { return Format("0x%08X", v); }

bool AllOf(ByteView bytes, std::uint8_t value)
{
    return std::ranges::all_of(bytes, [value](std::uint8_t b) { return b == value; });
}

// An image marked as not compressed carries no decompress address.
void CheckDecompressAddress(InspectionReport& report, ByteView prepared, const PreparedLayout& layout, std::size_t t, std::size_t offset)
{
    const std::size_t at = t + offset;
    const bool compressed = TrailerMarkerAt(prepared, t + 12) == 0xAC;
    const std::uint32_t address = LoadBe32(prepared, at);
    report.Check(compressed || address == 0, layout.FileOffset(at), "decompress start address", Hex(address),
                 "an image that is not compressed has none");
}

void InspectApplication(InspectionReport& report, ByteView prepared, const PreparedLayout& layout, std::size_t t)
{
    const auto at = [&](std::size_t offset) { return layout.FileOffset(t + offset); };
    CheckDecompressAddress(report, prepared, layout, t, 24);
    const std::uint32_t imageStart = LoadBe32(prepared, t + 16);
    const std::uint32_t size = LoadBe32(prepared, t + 20);
    const std::uint32_t crc = LoadBe32(prepared, t + 28);
    report.Check(imageStart == layout.start, at(16), "trailer start address", Hex(imageStart), "differs from the header's start address");
    report.Check(size == t, at(20), "trailer image size", Format("%u", size), Format("the trailer lies after %zu bytes", t));
    if (size == t)
        report.Check(Crc32Mpeg2(prepared.first(size)) == crc, at(28), "trailer image CRC-32", Hex(crc), "differs from the image's CRC");
    report.Check(AllOf(prepared.subspan(t + 32, 32), 0xFF), at(32), "trailer filler", "32 bytes 0xFF", "a filler byte is not 0xFF");
    report.Check(layout.end - layout.start == prepared.size(), at(0), "application region",
                 Hex(layout.start) + " - " + Hex(layout.end), "the image and trailer do not end at the region's end");
}

void InspectShort(InspectionReport& report, ByteView prepared, const PreparedLayout& layout, std::size_t t)
{
    const auto at = [&](std::size_t offset) { return layout.FileOffset(t + offset); };
    CheckDecompressAddress(report, prepared, layout, t, 16);
    const std::uint32_t crc = LoadBe32(prepared, t + 20);
    // The image starts the region and ends where the padding before the trailer
    // begins, or inside that run when the image itself ends in 0xFF bytes.
    const std::optional<ImagePlace> place = ImageInPadding(prepared, 0, true).Find(t, crc);
    const std::optional<std::size_t> length = place ? std::optional(place->length) : std::nullopt;
    report.Check(length.has_value(), at(20), "trailer image CRC-32", Hex(crc), "matches no image before the trailer");
    report.Check(AllOf(prepared.subspan(t + 24, 8), 0xFF), at(24), "trailer filler", "8 bytes 0xFF", "a filler byte is not 0xFF");
    if (!length)
        return;
    report.Add(layout.FileOffset(0), "image", Format("%zu bytes, %zu bytes 0xFF padding", *length, t - *length));
    const std::uint32_t region = RegionSize(layout.start, layout.end);
    // The writer fills the region exactly, unless the image and trailer were already larger.
    const bool fits = prepared.size() == region || (prepared.size() > region && *length == t);
    report.Check(fits, at(0), "flash region", Hex(layout.start) + " - " + Hex(layout.end), "the padded image does not fill its region");
}

}  // namespace

std::uint8_t TrailerMarkerAt(ByteView prepared, std::size_t at)
{
    const ByteView marker = prepared.subspan(at, 4);
    for (const std::uint8_t m : {std::uint8_t{0xAB}, std::uint8_t{0xAC}})
        if (AllOf(marker, m))
            return m;
    return 0;
}

std::size_t PreparedLayout::FileOffset(std::size_t preparedOffset) const
{
    const auto it = std::ranges::upper_bound(blocks, preparedOffset, {}, [](const auto& b) { return b.first; });
    if (it == blocks.begin())
        return 0;
    const auto& [preparedAt, fileAt] = *std::prev(it);
    return fileAt + (preparedOffset - preparedAt);
}

void InspectTrailer(InspectionReport& report, ByteView prepared, const PreparedLayout& layout)
{
    if (layout.imageType == kImageRcu && layout.destination == kMultipleImageDestination) {
        SplitCombinedImage(report, prepared, layout);
        return;
    }
    const bool application = layout.imageType == kImageApplication;
    const std::size_t trailerSize = application ? kApplicationTrailerSize : kShortTrailerSize;
    const std::uint8_t marker = prepared.size() >= trailerSize ? TrailerMarkerAt(prepared, prepared.size() - trailerSize + 12) : 0;
    if (marker == 0) {
        report.Add(layout.FileOffset(0), "trailer", "none: the image is padded only");
        return;
    }
    const std::size_t t = prepared.size() - trailerSize;
    report.Add(layout.FileOffset(t), "trailer", Format("%s, %s", application ? "application" : "32 bytes",
                                                       marker == 0xAC ? "compressed" : "not compressed"));
    if (application)
        InspectApplication(report, prepared, layout, t);
    else
        InspectShort(report, prepared, layout, t);
}

}  // namespace velk
