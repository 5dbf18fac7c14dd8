#pragma once
// The default records, their factory values and the 28-byte DV record that
// keeps them between runs, with the product type in d6.
#include "common/bytes.h"
#include "database/working_store.h"

#include <array>
#include <optional>

namespace velk {

struct DvRecord {
    std::array<std::uint32_t, 7> d{};
    bool operator==(const DvRecord&) const = default;
};

inline constexpr std::size_t kDvRecordSize = 28;

// The templates of new records when no DV record was read.
DefaultRecords FactoryDefaults(std::uint8_t productType);

// Unpacks a DV record (setting bit 31 of the LNB word), or gives the factory
// values when there is none. Either way the switch block's unused bytes are 255
// and service bytes 42-45 are 1.
DefaultRecords LoadDefaultValues(const std::optional<DvRecord>& dv, std::uint8_t productType);

// Packs the defaults into `previous`, keeping d5 bit 30 and d6 bits 7-31.
DvRecord StoreDefaultValues(const DefaultRecords& defaults, const DvRecord& previous);

// Product type in d6 bits 7-14.
std::uint8_t ProductTypeOf(const DvRecord& dv);
void SetProductType(DvRecord& dv, std::uint8_t productType);

// The plain settings file "~001.dat": 'D', 'V', 0x01, 0x1C, then the record.
Bytes EncodeDvFile(const DvRecord& dv);
// The record when the content begins with 'D', 'V' (and holds the 28 bytes).
std::optional<DvRecord> DecodeDvFile(ByteView content);

}  // namespace velk
