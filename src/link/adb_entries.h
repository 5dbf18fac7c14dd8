#pragma once
// The entries of the ADB image, packed from working-store records, and the
// Hovo partition record's fields. Each writer fills exactly its entry size.
#include "common/bit_field.h"
#include "common/bytes.h"
#include "database/records.h"

namespace velk::link::adb {

namespace hovo {
inline constexpr BitField kServiceCount{0, 13};
inline constexpr BitField kNewImageMark{13, 6};
inline constexpr BitField kCarrierCount{19, 13};
inline constexpr BitField kProductCode{17, 6};
inline constexpr BitField kSatelliteCount{23, 8};
inline constexpr BitField kType2Reserved{23, 6};
inline constexpr BitField kType2Bit29{29, 1};
inline constexpr BitField kType2Bit30{30, 1};
inline constexpr BitField kFirstServiceSatellite{20, 7};
}  // namespace hovo

// Service n's entry; `carrierIndex` is the 0-based position of its carrier.
void WriteServiceEntry(MutableByteView out, const ServiceRecord& s, std::uint16_t carrierIndex);
// A carrier's entry; `firstService` is its first service entry's index, `lnbIndex` its satellite's LNB.
void WriteCarrierEntry(MutableByteView out, const CarrierRecord& c, std::uint32_t firstService, std::uint8_t lnbIndex);
// Product type 2's extra carrier entry for satellite index i.
void WriteExtraCarrierEntry(MutableByteView out, std::uint8_t satelliteIndex);
void WriteLnbEntry(MutableByteView out, const LnbRecord& l, std::uint8_t productType);
void WriteDefaultLnbEntry(MutableByteView out, std::uint8_t productType);
void WriteSatelliteEntry(MutableByteView out, const SatelliteRecord& t, std::uint8_t index, std::uint8_t productType);
void WriteUnusedSatelliteEntry(MutableByteView out);

// A name as the receiver keeps it: the text up to its terminator, at most 20
// bytes, then 0xFF. Read back, the bytes up to the first 0 or 0xFF.
void StoreEntryName(MutableByteView out, std::size_t offset, ByteView name);
std::string LoadEntryName(ByteView in, std::size_t offset);

}  // namespace velk::link::adb
