#pragma once
// Reading a multiple image back: the combined image split into the images it was
// laid out from, each with its flash region, and the regions checked against each
// other by the rule the multiple-image dialog applies before writing.
#include "common/bytes.h"
#include "image/flash_image.h"
#include "image/image_in_padding.h"
#include "image/urt_trailer_reader.h"

#include <vector>

namespace velk {

struct CombinedPart {
    FlashImageKind kind = FlashImageKind::Application;
    std::uint32_t start = 0, end = 0;  // the flash region, end exclusive
    ImagePlace image;                  // the image file's bytes within the combined image
    bool compressed = false;
    Bytes decompressed;  // a compressed image decoded, when it is a sound "HWC$" image
};

// Walks the combined image from its first region, trailer by trailer: an application
// (64-byte trailer naming its region's start) or a resource or SDB image (32-byte
// trailer; a resource image begins "Vx", once decompressed when compressed). Rows and
// problems go to `report` at their file offsets; the parts found before the first
// problem that ends the walk are returned.
std::vector<CombinedPart> SplitCombinedImage(InspectionReport& report, ByteView prepared, const PreparedLayout& layout);

}  // namespace velk
