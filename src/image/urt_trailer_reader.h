#pragma once
// Reading back the trailer that closes a prepared single image: where the image
// ends, its CRC, its flash region.
#include "common/bytes.h"
#include "image/verifier_report.h"

#include <utility>
#include <vector>

namespace velk {

// Where the prepared image's bytes lie in the URT file, and the header's view of it.
struct PreparedLayout {
    std::uint8_t imageType = 0;
    std::uint32_t start = 0, end = 0;
    // (offset in the prepared image, offset in the file) of each block's data, ascending.
    std::vector<std::pair<std::size_t, std::size_t>> blocks;
    std::uint8_t destination = 0;
    std::size_t endAt = 0;  // file offset of the header's end address

    std::size_t FileOffset(std::size_t preparedOffset) const;
};

// Reads the 64-byte application trailer or the 32-byte trailer of the other types
// at the end of `prepared` and checks it against the image and the header. An
// image without the trailer's marker was padded only (the ADB images) and is
// reported as such; a multiple image (type 5, destination 9) is split into its images.
void InspectTrailer(InspectionReport& report, ByteView prepared, const PreparedLayout& layout);

// The trailer's compression marker at `at`: 0xAB or 0xAC four times, else 0.
std::uint8_t TrailerMarkerAt(ByteView prepared, std::size_t at);

}  // namespace velk
