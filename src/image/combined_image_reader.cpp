#include "image/combined_image_reader.h"

#include "common/format.h"
#include "image/hwc_reader.h"
#include "image/image_checks.h"
#include "image/urt_trailer.h"

#include <algorithm>
#include <array>

namespace velk {
namespace {

std::string Hex(std::uint32_t v) { return Format("0x%08X", v); }

const char* KindName(FlashImageKind kind)
{
    static constexpr std::array<const char*, 3> names{"application", "resource", "SDB"};
    return names[static_cast<std::size_t>(kind)];
}

bool AllFf(ByteView bytes)
{
    return std::ranges::all_of(bytes, [](std::uint8_t b) { return b == 0xFF; });
}

// A trailer found after the previous region: where it lies and the image it closes.
struct Closing {
    std::size_t at = 0;
    bool application = false;
    ImagePlace image;
};

// The trailer at t closes an image after `from` when its marker and filler are in
// place and its CRC (and for the application its size) fit an image there.
std::optional<Closing> TrailerAt(ByteView prepared, ImageInPadding& images, std::size_t t)
{
    if (TrailerMarkerAt(prepared, t + 12) == 0)
        return std::nullopt;
    if (t + kApplicationTrailerSize <= prepared.size() && AllFf(prepared.subspan(t + 32, 32))) {
        const auto place = images.Find(t, LoadBe32(prepared, t + 28));
        if (place && place->length == LoadBe32(prepared, t + 20))
            return Closing{t, true, *place};
    }
    if (AllFf(prepared.subspan(t + 24, 8))) {
        if (const auto place = images.Find(t, LoadBe32(prepared, t + 20)))
            return Closing{t, false, *place};
    }
    return std::nullopt;
}

// The first trailer after `from`; the first image starts the combined image, the
// others may follow a gap of 0xFF.
std::optional<Closing> NextTrailer(ByteView prepared, std::size_t from)
{
    ImageInPadding images(prepared, from, from == 0);
    for (std::size_t t = from; t + kShortTrailerSize <= prepared.size(); ++t) {
        if (auto closing = TrailerAt(prepared, images, t))
            return closing;
    }
    return std::nullopt;
}

// A compressed image decoded back; a problem when it is not a sound "HWC$" image.
void Decompress(InspectionReport& report, ByteView image, std::size_t fileOffset, CombinedPart& part)
{
    const InspectionReport inner = InspectHwcFile(image, &part.decompressed);
    report.Check(inner.Sound(), fileOffset, Format("%s image decompressed", KindName(part.kind)),
                 Format("%zu bytes", part.decompressed.size()), "marked compressed, not a sound \"HWC$\" image: " + FirstProblemText(inner));
}

CombinedPart ReadPart(InspectionReport& report, ByteView prepared, const PreparedLayout& layout, const Closing& c)
{
    const std::size_t trailerSize = c.application ? kApplicationTrailerSize : kShortTrailerSize;
    CombinedPart part;
    part.image = c.image;
    part.start = layout.start + static_cast<std::uint32_t>(c.image.start);
    part.end = layout.start + static_cast<std::uint32_t>(c.at + trailerSize);
    part.compressed = TrailerMarkerAt(prepared, c.at + 12) == 0xAC;
    const ByteView image = prepared.subspan(c.image.start, c.image.length);
    const std::size_t fileOffset = layout.FileOffset(c.image.start);
    if (c.application) {
        part.kind = FlashImageKind::Application;
        // The region's start as the trailer names it: a region placed elsewhere than
        // named is a fault of its own, and the named start is what the overlap rule sees.
        const std::size_t startAt = c.at + 16;
        const std::uint32_t named = LoadBe32(prepared, startAt);
        report.Check(named == part.start, layout.FileOffset(startAt), "application trailer start address", Hex(named),
                     Format("the image lies at %s", Hex(part.start).c_str()));
        part.end = named + (part.end - part.start);
        part.start = named;
    }
    if (part.compressed)
        Decompress(report, image, fileOffset, part);
    if (!c.application) {
        const ByteView plain = part.compressed ? ByteView(part.decompressed) : image;
        const bool resource = plain.size() >= 2 && plain[0] == 'V' && plain[1] == 'x';
        part.kind = resource ? FlashImageKind::Resource : FlashImageKind::Sdb;
    }
    report.Add(fileOffset, Format("%s image", KindName(part.kind)),
               Format("region %s - %s, %zu bytes%s", Hex(part.start).c_str(), Hex(part.end).c_str(), c.image.length,
                      part.compressed ? ", compressed" : ""));
    return part;
}

// The parts as the dialog's form, one per kind, checked by the dialog's own overlap rule.
void CheckRegions(InspectionReport& report, const std::vector<CombinedPart>& parts, const std::vector<std::size_t>& offsets)
{
    MultipleImageForm form;
    for (FlashImageEntry& entry : form.images)
        entry.present = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        FlashImageEntry& entry = form.images[static_cast<std::size_t>(parts[i].kind)];
        if (entry.present) {
            report.Problem(offsets[i], Format("%s image", KindName(parts[i].kind)), "a second image of this kind");
            return;
        }
        entry = {parts[i].kind, {}, parts[i].start, parts[i].end, 0, 0, 0, parts[i].compressed, true};
    }
    if (const auto failure = CheckOverlaps(form)) {
        const auto it = std::ranges::find(parts, *failure->image, &CombinedPart::kind);
        report.Problem(offsets[static_cast<std::size_t>(it - parts.begin())], "flash regions", failure->message);
    }
}

}  // namespace

std::vector<CombinedPart> SplitCombinedImage(InspectionReport& report, ByteView prepared, const PreparedLayout& layout)
{
    std::vector<CombinedPart> parts;
    std::vector<std::size_t> offsets;  // file offset of each part's image
    std::size_t from = 0;
    while (from < prepared.size()) {
        const std::optional<Closing> closing = NextTrailer(prepared, from);
        if (!closing) {
            report.Problem(layout.FileOffset(from), "combined image", "no trailer closes an image after this offset");
            return parts;
        }
        offsets.push_back(layout.FileOffset(closing->image.start));
        parts.push_back(ReadPart(report, prepared, layout, *closing));
        from = closing->at + (closing->application ? kApplicationTrailerSize : kShortTrailerSize);
    }
    const std::uint32_t end = layout.start + static_cast<std::uint32_t>(prepared.size());
    report.Check(end == layout.end, layout.endAt, "combined image end address", Hex(layout.end),
                 Format("the last region ends at %s", Hex(end).c_str()));
    CheckRegions(report, parts, offsets);
    return parts;
}

}  // namespace velk
