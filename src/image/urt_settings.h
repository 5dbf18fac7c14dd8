#pragma once
// The URT generator's settings and the values of one image.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace velk {

// Local date and time written into the URT header and the image trailers.
struct UrtTimestamp {
    std::uint8_t day = 1;
    std::uint8_t month = 1;
    std::uint16_t year = 2000;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
};

// The local time now.
UrtTimestamp LocalUrtTimestamp();

// Partition sizes (KB) and block sizes (bytes) the generator accepts. 4096-byte blocks
// are left out: a data packet's 12-bit length fields cannot express them.
inline constexpr std::array<std::uint32_t, 6> kUrtPartitionSizesKb{8, 16, 32, 64, 128, 256};
inline constexpr std::array<std::uint32_t, 3> kUrtBlockSizes{512, 1024, 2048};

struct UrtSettings {
    std::uint8_t headerTableId = 0xF1;
    std::uint8_t blockTableId = 0xF2;
    std::uint32_t partitionSize = 32 * 1024;  // bytes
    std::uint32_t blockSize = 2048;           // bytes
    std::uint8_t headerOption = 0;
    bool trailer = true;           // close the image with a trailer; false pads only
    bool extendedTrailer = false;  // add the region addresses to the trailer
    UrtTimestamp time;             // taken when the settings are made
};

// `settings` for the next generation, stamped with the local time now, e.g.
// SetUrtSettings({.trailer = false}). Returns nullopt for a partition size or
// block size outside the lists above (4096 is refused).
std::optional<UrtSettings> SetUrtSettings(UrtSettings settings);

// Whether the sizes are ones SetUrtSettings accepts (settings may also be built by hand).
bool UrtSettingsUsable(const UrtSettings& settings);

// Image types (the position in the "Image Type" list); 5 is also the multiple image.
enum UrtImageType : std::uint16_t {
    kImageDatabase = 0,
    kImageResource = 1,
    kImageApplication = 2,
    kImageEepromData = 3,
    kImageFrontEnd = 4,
    kImageRcu = 5,
};

struct UrtImageParams {
    std::uint16_t imageType = kImageDatabase;
    std::uint16_t destinationCode = 0;
    std::uint16_t manufacturerId = 0;  // one byte is used
    std::string loaderText;            // at most 15 characters are used
    std::uint32_t startAddress = 0;
    std::uint32_t endAddress = 0;      // exclusive
    std::uint16_t swMajor = 0;
    std::uint16_t swMinor = 0;
    std::uint16_t hwMajor = 0;
    std::uint16_t hwMinor = 0;
    bool compressed = false;
    std::uint32_t decompressStart = 0;
    // Region addresses, written only by the extended trailer.
    std::uint32_t resStart = 0, resEnd = 0, adbStart = 0, adbEnd = 0, sdbStart = 0, sdbEnd = 0;
};

}  // namespace velk
