#pragma once
// The open database: record files in the working directory plus the counts and
// run-wide values kept in memory. Operations take the store by reference.
#include "database/records.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace velk {

// Templates of new records (kept between runs in the DV record).
struct DefaultRecords {
    LnbRecord lnb;            // the word; the switch block below is the template for every placement
    SwitchBlock switchBlock;
    SatelliteRecord satellite;
    CarrierRecord carrier;
    ServiceRecord service;

    bool operator==(const DefaultRecords&) const = default;
};

struct WorkingStore {
    std::filesystem::path dir;  // WorkDir
    std::uint32_t lnbCount = 0;
    std::uint32_t satelliteCount = 0;
    std::uint32_t carrierCount = 0;
    std::uint32_t serviceCount = 0;
    std::uint8_t productType = 1;
    Placement placement = Placement::Lnb;
    DefaultRecords defaults;

    std::filesystem::path File(std::string_view name) const { return dir / name; }
};

// "Error No: -3 \n File Access Error!!!"
inline constexpr const char* kFileAccessError = "Error No: -3 \n File Access Error!!!";

// LNB limit of the product type: 16 for type 2, 8 otherwise.
std::uint32_t LnbLimit(std::uint8_t productType);

// Deletes every store and scratch file and zeroes the counts. The product type,
// placement and default records stay.
void ClearStore(WorkingStore& store);

}  // namespace velk
