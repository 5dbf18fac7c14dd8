#include "image/urt_trailer_reader.h"

#include "common/checksums.h"
#include "common/format.h"
#include "image/urt_settings.h"
#include "image/urt_trailer.h"

#include <boost/crc.hpp>

#include <algorithm>

namespace velk {
namespace {

using Crc32 = boost::crc_optimal<32, 0x04C11DB7, 0xFFFFFFFF, 0, false, false>;

std::string Hex(std::uint32_t v) { return Format("0x%08X", v); }

bool AllOf(ByteView bytes, std::uint8_t value)
{
    return std::ranges::all_of(bytes, [value](std::uint8_t b) { return b == value; });
}

// The trailer's compression marker at `at`: 0xAB or 0xAC four times, else 0.
std::uint8_t MarkerAt(ByteView prepared, std::size_t at)
{
    const ByteView marker = prepared.subspan(at, 4);
    for (const std::uint8_t m : {std::uint8_t{0xAB}, std::uint8_t{0xAC}})
        if (AllOf(marker, m))
            return m;
    return 0;
}

// The image length whose CRC matches: the image ends where the 0xFF padding before
// the trailer begins, or inside that run when the image itself ends in 0xFF bytes.
std::optional<std::size_t> ImageLengthByCrc(ByteView prepared, std::size_t trailerAt, std::uint32_t crc)
{
    std::size_t first = trailerAt;
    while (first > 0 && prepared[first - 1] == 0xFF)
        --first;
    Crc32 running;
    running.process_bytes(prepared.data(), first);
    for (std::size_t length = first;; ++length) {
        if (running.checksum() == crc)
            return length;
        if (length == trailerAt)
            return std::nullopt;
        running.process_byte(0xFF);
    }
}

// An image marked as not compressed carries no decompress address.
void CheckDecompressAddress(InspectionReport& report, ByteView prepared, const PreparedLayout& layout, std::size_t t, std::size_t offset)
{
    const std::size_t at = t + offset;
    const bool compressed = MarkerAt(prepared, t + 12) == 0xAC;
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
    const std::optional<std::size_t> length = ImageLengthByCrc(prepared, t, crc);
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
    if (layout.imageType == kImageRcu) {
        report.Add(layout.FileOffset(0), "combined image", Hex(layout.start) + " - " + Hex(layout.end));
        return;
    }
    const bool application = layout.imageType == kImageApplication;
    const std::size_t trailerSize = application ? kApplicationTrailerSize : kShortTrailerSize;
    const std::uint8_t marker = prepared.size() >= trailerSize ? MarkerAt(prepared, prepared.size() - trailerSize + 12) : 0;
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
