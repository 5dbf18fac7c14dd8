#pragma once
// The records of the staging files and their exact bytes.
#include "common/bytes.h"

#include <array>
#include <cstdint>
#include <string>

namespace velk {

inline constexpr std::uint16_t kImportNoPid = 0x2000;
inline constexpr std::uint16_t kImportNoServiceId = 0xFFFF;

// Width of the name fields of the staging records (NUL included).
inline constexpr std::size_t kStagingNameSize = 24;

struct ImportSatellite {
    std::uint16_t lnbNumber = 1;  // 1-based
    std::string name;
    std::uint8_t hemisphere = 0;
    std::uint8_t selected = 0;
    double position = 0;  // tenths of a degree, as the list gives it

    static constexpr std::size_t kSize = 40;
    bool operator==(const ImportSatellite&) const = default;
};

struct ImportCarrier {
    std::uint32_t ordinal = 0;
    std::uint32_t symbolRateKs = 0;
    std::uint32_t satellite = 0;  // 1-based ordinal within the import
    std::uint32_t frequencyMhz = 0;
    std::uint32_t polarization = 0;
    std::string name;
    std::uint8_t fec = 0;
    std::uint8_t access = 0;
    std::uint8_t selected = 0;

    static constexpr std::size_t kSize = 48;
    bool operator==(const ImportCarrier&) const = default;
};

struct ImportService {
    std::uint32_t carrier = 0;  // ordinal of its carrier
    std::string name;
    std::uint8_t selected = 0;
    std::uint16_t videoPid = kImportNoPid;
    std::uint16_t audioPid = kImportNoPid;
    std::uint16_t pcrPid = kImportNoPid;
    std::uint16_t serviceId = kImportNoServiceId;
    std::uint8_t scrambled = 0;
    std::uint8_t type = 0;  // 1 TV, 2 Radio

    static constexpr std::size_t kSize = 40;
    bool operator==(const ImportService&) const = default;
};

// One LNB of the wizard's list (`TempLNB.tmp`).
struct ImportLnb {
    std::uint16_t power = 0;
    std::uint16_t highMhz = 5150;
    std::uint16_t lowMhz = 5150;
    std::uint8_t type = 1;  // 0 marks a record deleted in the LNB step

    static constexpr std::size_t kSize = 8;
    bool operator==(const ImportLnb&) const = default;
};

// Encode into exactly the record size; decode from at least the record size.
Bytes EncodeImportSatellite(const ImportSatellite& r);
Bytes EncodeImportCarrier(const ImportCarrier& r);
Bytes EncodeImportService(const ImportService& r);
Bytes EncodeImportLnb(const ImportLnb& r);
ImportSatellite DecodeImportSatellite(ByteView in);
ImportCarrier DecodeImportCarrier(ByteView in);
ImportService DecodeImportService(ByteView in);
ImportLnb DecodeImportLnb(ByteView in);

// A count slot: the decimal digits of the count, only the first four kept,
// NUL-padded. Counts from 10000 up lose digits; nothing reads them back.
std::array<std::uint8_t, 4> EncodeCountSlot(std::uint32_t count);

}  // namespace velk
