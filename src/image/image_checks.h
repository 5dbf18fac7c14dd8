#pragma once
// The checks the image dialogs make before a URT file is generated, in their order.
#include "image/flash_image.h"

#include <optional>
#include <string>

namespace velk {

enum class ImageField { None, LoaderText, ManufacturerId, StartAddress, EndAddress, ImageFile, DecompressStart };

// The first failed check: its message (shown with the error icon) and the field
// that takes the focus, with the image it belongs to in the multiple-image dialog.
struct ImageCheckFailure {
    std::string message;
    ImageField field = ImageField::None;
    std::optional<FlashImageKind> image;
};

// Loader text, manufacturer ID, addresses, the file, its size against the region
// (64 bytes of trailer for an application, 32 otherwise; a region whose end is not
// above its start holds nothing) and the decompress address.
std::optional<ImageCheckFailure> CheckSingleImage(const SingleImageForm& form);

// Each checked image in the order application, resource, SDB (file, addresses, size,
// decompress address), then the overlap tests between checked images.
std::optional<ImageCheckFailure> CheckMultipleImage(const MultipleImageForm& form);

// The overlap tests alone, between the form's checked images: the rule that keeps
// their regions apart, for the dialog and for the reader of the combined image.
std::optional<ImageCheckFailure> CheckOverlaps(const MultipleImageForm& form);

}  // namespace velk
