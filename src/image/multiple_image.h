#pragma once
// The multiple image: the checked application, resource and SDB images laid into
// one combined image by address, each padded to its region and closed by its trailer.
#include "common/bytes.h"
#include "common/ui.h"
#include "image/flash_image.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace velk {

// One checked image with its file's bytes.
struct LoadedFlashImage {
    const FlashImageEntry* entry;
    Bytes data;
};

// The combined image of `images` (any order): sorted by start address, gaps between
// regions filled with 0xFF, each image padded with 0xFF so that with its trailer it
// fills its region (64-byte application trailer naming the region start, 32-byte
// trailer otherwise), each trailer carrying the CRC-32 of its image file.
Bytes BuildCombinedImage(std::vector<LoadedFlashImage> images, const MultipleImageForm& form, const UrtSettings& settings);

// Header values of the multiple image: type 5, destination 9, the lowest start and
// highest end address of the checked images, the form's common values.
UrtImageParams MultipleImageParams(const MultipleImageForm& form);

// Reads the checked images, builds the combined image and writes its URT file.
// Returns a UrtResult; an image that cannot be read shows " File Open Error :- 002 "
// (caption "Test") and gives kUrtCreateError. `output` is untouched on failure.
int GenerateMultipleUrtFile(Ui& ui, const UrtSettings& settings, const MultipleImageForm& form,
                            const std::filesystem::path& output);

}  // namespace velk
