#include "image/image_checks.h"

#include "image/image_file.h"
#include "image/urt_trailer.h"

namespace velk {
namespace {

std::optional<ImageCheckFailure> Fail(std::string message, ImageField field = ImageField::None,
                                      std::optional<FlashImageKind> image = std::nullopt)
{
    return ImageCheckFailure{std::move(message), field, image};
}

// Whether an image of `size` bytes and its trailer fit between start and end.
bool FitsRegion(std::uint64_t size, std::uint32_t trailer, std::uint32_t start, std::uint32_t end)
{
    return size + trailer <= RegionSize(start, end);
}

struct ImageTexts {
    const char* missingFile;
    const char* missingStart;
    const char* missingEnd;
    const char* missingDecompress;
};

const ImageTexts& TextsOf(FlashImageKind kind)
{
    static const ImageTexts texts[] = {
        {"Enter application image file", "You should enter application start address.", "You should enter application end address.",
         "You should enter application decompress start address."},
        {"Enter resource image file", "You should enter resource start address.", "You should enter resource end address.",
         "You should enter resource decompressed start address."},
        {"Enter SDB image file", "You should enter SDB start address.", "You should enter SDB end address.",
         "You should enter SDB decompressed start address."},
    };
    return texts[static_cast<int>(kind)];
}

std::optional<ImageCheckFailure> CheckEntry(const FlashImageEntry& e)
{
    const ImageTexts& t = TextsOf(e.kind);
    if (e.file.empty())
        return Fail(t.missingFile, ImageField::ImageFile, e.kind);
    if (e.startAddress == 0)
        return Fail(t.missingStart, ImageField::StartAddress, e.kind);
    if (e.endAddress == 0)
        return Fail(t.missingEnd, ImageField::EndAddress, e.kind);
    const std::optional<std::uint64_t> size = ReadableImageSize(e.file);
    if (!size)
        return Fail("File Open Error ", ImageField::ImageFile, e.kind);
    const std::uint32_t trailer = e.kind == FlashImageKind::Application ? kApplicationTrailerSize : kShortTrailerSize;
    if (!FitsRegion(*size, trailer, e.startAddress, e.endAddress))
        return Fail(" Image Size greater than the Flash Size ", ImageField::None, e.kind);
    if (e.compressed && e.decompressStart == 0)
        return Fail(t.missingDecompress, ImageField::DecompressStart, e.kind);
    return std::nullopt;
}

// The overlap tests in the order the dialog makes them: which image's start or end
// is tested against which other image, and the message.
struct OverlapTest {
    FlashImageKind tested;
    bool end;
    FlashImageKind against;
    const char* message;
};

constexpr FlashImageKind kApp = FlashImageKind::Application;
constexpr FlashImageKind kRes = FlashImageKind::Resource;
constexpr FlashImageKind kSdb = FlashImageKind::Sdb;

constexpr OverlapTest kOverlapTests[] = {
    {kRes, false, kApp, "Resource start address overlapped with application image."},
    {kRes, true, kApp, "Resource end address overlapped with application image."},
    {kSdb, false, kApp, "StaticDB start address overlapped with application image."},
    {kSdb, true, kApp, "StaticDB end address overlapped with application image."},
    {kSdb, false, kRes, "StaticDB start address overlapped with resource image."},
    {kSdb, true, kRes, "StaticDB end address overlapped with resource image."},
    {kRes, false, kSdb, "Resource start address overlapped with SDB image."},
    {kRes, true, kSdb, "Resource end address overlapped with SDB image."},
    {kApp, false, kRes, "Application start address overlapped with resource image."},
    {kApp, true, kRes, "Application end address overlapped with resource image."},
    {kApp, false, kSdb, "Application start address overlapped with SDB image."},
    {kApp, true, kSdb, "Application end address overlapped with SDB image."},
};

// A start lies in [start, end); an end lies in (start, end], so touching regions pass.
bool Overlaps(const FlashImageEntry& b, bool end, const FlashImageEntry& a)
{
    return end ? a.startAddress < b.endAddress && b.endAddress <= a.endAddress
               : a.startAddress <= b.startAddress && b.startAddress < a.endAddress;
}

}  // namespace

std::optional<ImageCheckFailure> CheckSingleImage(const SingleImageForm& form)
{
    const UrtImageParams& p = form.params;
    if (p.loaderText.empty())
        return Fail("Enter Loader Text");
    if (p.manufacturerId == 0)
        return Fail("Enter Manufacture ID", ImageField::ManufacturerId);
    if (p.startAddress == 0)
        return Fail("You should enter start address.", ImageField::StartAddress);
    if (p.endAddress == 0)
        return Fail("You should enter End address.", ImageField::EndAddress);
    if (form.imageFile.empty())
        return Fail("Enter Image file");
    const std::optional<std::uint64_t> size = ReadableImageSize(form.imageFile);
    if (!size)
        return Fail("File Open Error ");
    const std::uint32_t trailer = p.imageType == kImageApplication ? kApplicationTrailerSize : kShortTrailerSize;
    if (!FitsRegion(*size, trailer, p.startAddress, p.endAddress))
        return Fail(" Image Size greater than the Flash Size ");
    if (p.compressed && p.decompressStart == 0)
        return Fail("You should decompress start address.", ImageField::DecompressStart);
    return std::nullopt;
}

std::optional<ImageCheckFailure> CheckMultipleImage(const MultipleImageForm& form)
{
    for (const FlashImageEntry& entry : form.images) {
        if (!entry.present)
            continue;
        if (auto failure = CheckEntry(entry))
            return failure;
    }
    return CheckOverlaps(form);
}

std::optional<ImageCheckFailure> CheckOverlaps(const MultipleImageForm& form)
{
    const auto image = [&](FlashImageKind kind) -> const FlashImageEntry& { return form.images[static_cast<int>(kind)]; };
    for (const OverlapTest& test : kOverlapTests) {
        const FlashImageEntry& tested = image(test.tested);
        const FlashImageEntry& against = image(test.against);
        if (tested.present && against.present && Overlaps(tested, test.end, against))
            return Fail(test.message, test.end ? ImageField::EndAddress : ImageField::StartAddress, test.tested);
    }
    return std::nullopt;
}

}  // namespace velk
