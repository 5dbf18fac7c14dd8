#pragma once
// The whole store read at once, with the relations worked out, so that the
// tree, the lists and the detail strip are built from memory in one pass.
#include "database/change_carrier.h"
#include "database/store_image.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velk {

// The records and order lists (read leniently: a short list reads as zeros),
// and the relations worked out from them.
struct StoreSnapshot : StoreImage {
    std::vector<std::int32_t> carrierOfService;  // 0-based carrier record per service record, -1 when none
    std::vector<std::uint32_t> servicesOfSatellite;  // per satellite record

    // Nullopt when a record file of a non-empty level cannot be read.
    static std::optional<StoreSnapshot> Read(const WorkingStore& store);

    // Carrier record indexes of satellite `sat` (0-based) in carrier order.
    std::vector<std::uint16_t> CarriersOfSatellite(std::uint32_t sat) const;
    // Where carrier record `carrier` (0-based) stands in the tree; nullopt when nowhere.
    std::optional<CarrierPlace> PlaceOfCarrier(std::uint32_t carrier) const;
};

}  // namespace velk
