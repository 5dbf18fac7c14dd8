#pragma once
// What the single- and multiple-image dialogs describe: images, their flash regions
// and the lists the dialogs offer.
#include "image/urt_settings.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace velk {

// An entry of the "Dest. Memory Type" list and the code the URT header carries.
struct DestinationMemory {
    const char* name;
    std::uint16_t code;
};
inline constexpr std::array<DestinationMemory, 6> kDestinationMemoryList{{
    {"EEPROM_RESERVED_PARTITION", 0},
    {"EEPROM_APPLICATION_PARTITION", 1},
    {"FLASHROM_FONT_PARTITION", 6},
    {"FLASHROM_DATABASE_PARTITION", 7},
    {"FLASHROM_DATAFLASH_PARTITION", 8},
    {"FLASHROM_APPLICATION_PARTITION", 15},
}};
inline constexpr std::uint16_t kMultipleImageDestination = 9;

// The "Image Type" list; the position is the image type.
inline constexpr std::array<const char*, 6> kImageTypeList{"Database", "Resource", "Application", "EEPROM Data", "FrontEnd SW", "RCU Image"};

// A hexadecimal field as the dialogs convert it: "0x" is put in front and the
// leading digits are read; no digits read as 0, the value is cut to 32 bits.
std::uint32_t ConvertHexField(std::string_view text);

// The single-image dialog once its fields are converted.
struct SingleImageForm {
    std::filesystem::path imageFile;
    UrtImageParams params;
};

enum class FlashImageKind : std::uint8_t { Application = 0, Resource = 1, Sdb = 2 };

// One image of the multiple-image dialog.
struct FlashImageEntry {
    FlashImageKind kind = FlashImageKind::Application;
    std::filesystem::path file;
    std::uint32_t startAddress = 0;
    std::uint32_t endAddress = 0;  // exclusive
    std::uint8_t swMajor = 1;
    std::uint8_t swMinor = 0;
    std::uint32_t decompressStart = 0;
    bool compressed = false;
    bool present = false;  // the image's check box
};

// The multiple-image dialog: the images in the order application, resource, SDB,
// and the common values.
struct MultipleImageForm {
    std::array<FlashImageEntry, 3> images;
    std::uint8_t manufacturerId = 0xA1;
    std::string loaderText;
    std::uint8_t hwMajor = 1, hwMinor = 0, swMajor = 1, swMinor = 0;
    std::uint32_t resStart = 0x7FFEB000, resEnd = 0x7FFFB000;
    std::uint32_t sdbStart = 0x7FFE4000, sdbEnd = 0x7FFE5000;
    std::uint32_t adbStart = 0, adbEnd = 0;
};

// The dialog's start values: application 0x7FF60000-0x7FFF0000, resource
// 0x7FF20000-0x7FF60000, SDB 0x7FF10000-0x7FF20000, none checked.
MultipleImageForm DefaultMultipleImageForm();

// The text both image dialogs show after a generation succeeded.
std::string UrtGeneratedText(const std::filesystem::path& output);

}  // namespace velk
