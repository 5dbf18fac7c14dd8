#pragma once
// Cutting a SatcoDX list into its records.
//
// Lists of today are text: one record per line (LF or CR LF), 127 characters
// for version 103 and 132 (or 127) for version 105, and the list may end with
// a NUL byte followed by any padding. Lists without line ends hold 128-byte
// records, back to back or each followed by one separator byte.
#include "common/bytes.h"

#include <cstddef>
#include <vector>

namespace velk {

inline constexpr std::size_t kSatcoDxRecordSize = 128;
// Every field of every version lies within the first 127 characters.
inline constexpr std::size_t kSatcoDxShortestRecord = 127;
inline constexpr std::size_t kSatcoDxLongestRecord = 132;

struct SatcoDxRecords {
    std::vector<ByteView> records;
    // 1-based number of the first record that is not a SatcoDX record; 0 when
    // every record is one.
    std::size_t invalidRecord = 0;
};

SatcoDxRecords SplitSatcoDxRecords(ByteView file);

}  // namespace velk
