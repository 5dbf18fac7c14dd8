#pragma once
// Preparing an image for its flash region: 0xFF padding and the trailers that the
// receiver's loader checks at the end of a region.
#include "common/bytes.h"
#include "image/urt_settings.h"

namespace velk {

inline constexpr std::uint32_t kShortTrailerSize = 32;
inline constexpr std::uint32_t kApplicationTrailerSize = 64;

// Bytes between the start and end address; 0 for a region whose end is not above
// its start (such a region would otherwise ask for gigabytes of padding).
std::uint32_t RegionSize(std::uint32_t start, std::uint32_t end);

// Appends the 32-byte trailer of a non-application image: version, date, the
// compression marker with the decompress address, the image CRC and 0xFF filler.
// With `extended`, the start address and start + current length take the filler's
// place, and that end becomes params.endAddress.
void AppendShortTrailer(Bytes& image, UrtImageParams& params, const UrtTimestamp& time, std::uint32_t imageCrc, bool extended);

// Appends the 64-byte application trailer for an image of `imageSize` bytes that
// lies at `imageStart`: versions, manufacturer, date, marker, start, size, the
// decompress address, the region addresses when `extended`, the image CRC, 0xFF filler.
void AppendApplicationTrailer(Bytes& image, const UrtImageParams& params, const UrtTimestamp& time, std::uint32_t imageStart,
                              std::uint32_t imageSize, std::uint32_t imageCrc, bool extended);

// Appends 0xFF bytes until `image` is `size` bytes long (nothing when it already is).
void PadTo(Bytes& image, std::uint32_t size);

// Prepares a single image as the generator sends it, by the settings' trailer flags.
// Updates params' start address (application: moved to the end of its region) or end
// address (extended trailer) to the values the header carries.
Bytes PrepareUrtImage(ByteView image, const UrtSettings& settings, UrtImageParams& params);

}  // namespace velk
