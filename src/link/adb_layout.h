#pragma once
// Offsets and sizes of the receiver's ADB and E2P images.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velk::link::adb {

inline constexpr std::size_t kImageSize = 262144;
inline constexpr std::size_t kE2pSize = 8180;

inline constexpr std::size_t kServiceEntrySize = 32;
inline constexpr std::size_t kCarrierEntrySize = 36;
inline constexpr std::size_t kLnbEntrySize = 12;
inline constexpr std::size_t kSatelliteEntrySize = 32;
inline constexpr std::size_t kNameSize = 20;

// Carriers grow downward from here, LNBs and satellites upward.
inline constexpr std::size_t kLsdOffset = 160000;
inline constexpr std::size_t kCsdLimit = 160000;
inline constexpr std::size_t kOslOffset = 0x30000;
inline constexpr std::size_t kOslSize = 50004;
inline constexpr std::uint32_t kOslMarker = 0x7FFFFFFF;

inline constexpr std::size_t kHovoOffset = 8;
inline constexpr std::size_t kHovoWords = 7;
inline constexpr std::size_t kCarrierParamsOffset = 48;
inline constexpr std::size_t kCarrierParamsWords = 8;
inline constexpr std::size_t kUserSettingsByteMark = 194;

inline constexpr std::string_view kAdbDump = "KymADBDump.dbi";
inline constexpr std::string_view kE2pDump = "KymE2PDump.dbi";
inline constexpr std::string_view kAdbUrt = "tmpADB.urt";
inline constexpr std::string_view kHovoUrt = "tmpHovo.urt";
inline constexpr std::string_view kDumpSdb = "kymDumpSDB.sdb";

inline bool IsType2(std::uint8_t productType) { return productType == 2; }
inline std::size_t LnbEntries(std::uint8_t productType) { return IsType2(productType) ? 16 : 8; }
inline std::size_t SatelliteLimit(std::uint8_t productType) { return IsType2(productType) ? 64 : 70; }
inline std::size_t SatelliteOffset(std::uint8_t productType) { return kLsdOffset + LnbEntries(productType) * kLnbEntrySize; }
inline std::size_t UserSettingsOffset(std::uint8_t productType) { return IsType2(productType) ? 80 : 92; }
inline std::uint32_t ProductCode(std::uint8_t productType) { return IsType2(productType) ? 16 : 8; }
inline std::size_t CarrierEntryOffset(std::size_t k) { return kCsdLimit - kCarrierEntrySize * k; }  // k 1-based

}  // namespace velk::link::adb
