#pragma once
// The wizard's carrier and service filters: 3-byte records in `SatFlag.tmp`
// (band and polarisation boxes) and `CarFlag.tmp` (access and type boxes).
#include "common/bytes.h"

#include <cstdint>
#include <vector>

namespace velk {

struct FilterRecord {
    std::uint8_t first = 0;      // carrier: bit 1 horizontal, bit 0 vertical; service: bit 1 scrambled, bit 0 FTA
    std::uint8_t second = 0;     // carrier: bit 1 KU band, bit 0 C band; service: bit 1 radio, bit 0 TV
    std::uint8_t selectAll = 0;  // 1: "Select All"

    static constexpr std::size_t kSize = 3;
    bool Empty() const { return first == 0 && second == 0 && selectAll == 0; }
    bool operator==(const FilterRecord&) const = default;
};

namespace filter_bit {
inline constexpr std::uint8_t kVertical = 1;
inline constexpr std::uint8_t kHorizontal = 2;
inline constexpr std::uint8_t kCBand = 1;
inline constexpr std::uint8_t kKuBand = 2;
inline constexpr std::uint8_t kFta = 1;
inline constexpr std::uint8_t kScrambled = 2;
inline constexpr std::uint8_t kTv = 1;
inline constexpr std::uint8_t kRadio = 2;
}  // namespace filter_bit

// Highest frequency (MHz) of the C band; the KU band starts above it.
inline constexpr std::uint32_t kCBandTopMhz = 5000;

bool CarrierPassesFilter(const FilterRecord& f, std::uint32_t frequencyMhz, std::uint32_t polarization);
bool ServicePassesFilter(const FilterRecord& f, std::uint8_t serviceType, std::uint8_t scrambled);

Bytes EncodeFilterRecords(const std::vector<FilterRecord>& records);

}  // namespace velk
