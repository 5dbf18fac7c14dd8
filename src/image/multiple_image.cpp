#include "image/multiple_image.h"

#include "common/checksums.h"
#include "common/files.h"
#include "image/urt_file.h"
#include "image/urt_trailer.h"

#include <algorithm>
#include <new>

namespace velk {
namespace {

// The trailer values of one image: its own software version and compression, the
// form's manufacturer, hardware version and region addresses.
UrtImageParams TrailerParams(const FlashImageEntry& entry, const MultipleImageForm& form)
{
    UrtImageParams p = MultipleImageParams(form);
    p.startAddress = entry.startAddress;
    p.endAddress = entry.endAddress;
    p.swMajor = entry.swMajor;
    p.swMinor = entry.swMinor;
    p.compressed = entry.compressed;
    p.decompressStart = entry.decompressStart;
    return p;
}

Bytes PreparedPart(const LoadedFlashImage& image, const MultipleImageForm& form, const UrtSettings& settings)
{
    const FlashImageEntry& entry = *image.entry;
    const bool application = entry.kind == FlashImageKind::Application;
    const std::uint32_t trailer = application ? kApplicationTrailerSize : kShortTrailerSize;
    const std::uint32_t region = RegionSize(entry.startAddress, entry.endAddress);
    const std::uint32_t crc = Crc32Mpeg2(image.data);
    Bytes part = image.data;
    if (part.size() + trailer < region)
        PadTo(part, region - trailer);
    UrtImageParams params = TrailerParams(entry, form);
    // The application stays at the start of its region here, so its trailer names that start.
    if (application)
        AppendApplicationTrailer(part, params, settings.time, entry.startAddress, static_cast<std::uint32_t>(image.data.size()), crc,
                                 settings.extendedTrailer);
    else
        AppendShortTrailer(part, params, settings.time, crc, settings.extendedTrailer);
    return part;
}

}  // namespace

UrtImageParams MultipleImageParams(const MultipleImageForm& form)
{
    UrtImageParams p;
    p.imageType = kImageRcu;
    p.destinationCode = kMultipleImageDestination;
    p.manufacturerId = form.manufacturerId;
    p.loaderText = form.loaderText;
    p.hwMajor = form.hwMajor;
    p.hwMinor = form.hwMinor;
    p.swMajor = form.swMajor;
    p.swMinor = form.swMinor;
    p.resStart = form.resStart;
    p.resEnd = form.resEnd;
    p.sdbStart = form.sdbStart;
    p.sdbEnd = form.sdbEnd;
    p.adbStart = form.adbStart;
    p.adbEnd = form.adbEnd;
    bool first = true;
    for (const FlashImageEntry& e : form.images) {
        if (!e.present)
            continue;
        p.startAddress = first ? e.startAddress : std::min(p.startAddress, e.startAddress);
        p.endAddress = first ? e.endAddress : std::max(p.endAddress, e.endAddress);
        first = false;
    }
    return p;
}

Bytes BuildCombinedImage(std::vector<LoadedFlashImage> images, const MultipleImageForm& form, const UrtSettings& settings)
{
    std::ranges::stable_sort(images, {}, [](const LoadedFlashImage& i) { return i.entry->startAddress; });
    Bytes combined;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const FlashImageEntry& entry = *images[i].entry;
        if (i > 0) {
            const std::uint32_t previousEnd = images[i - 1].entry->endAddress;
            if (entry.startAddress > previousEnd)
                combined.insert(combined.end(), entry.startAddress - previousEnd, 0xFF);
        }
        const Bytes part = PreparedPart(images[i], form, settings);
        combined.insert(combined.end(), part.begin(), part.end());
    }
    return combined;
}

int GenerateMultipleUrtFile(Ui& ui, const UrtSettings& settings, const MultipleImageForm& form, const std::filesystem::path& output)
{
    try {
        std::vector<LoadedFlashImage> images;
        for (const FlashImageEntry& entry : form.images) {
            if (!entry.present)
                continue;
            std::optional<Bytes> data = ReadFileBytes(entry.file);
            if (!data) {
                ui.Message(" File Open Error :- 002 ", "Test", Icon::Error, Buttons::Ok);
                return kUrtCreateError;
            }
            images.push_back({&entry, std::move(*data)});
        }
        const Bytes combined = BuildCombinedImage(std::move(images), form, settings);
        return WriteUrtFile(output, BuildUrtFile(combined, settings, MultipleImageParams(form)));
    } catch (const std::bad_alloc&) {
        return kUrtReadError;
    }
}

}  // namespace velk
