#pragma once
// Adding and inserting records. Each operation checks its preconditions, shows
// its message through the Ui and returns nullopt when refused or failed (the
// store is then unchanged); on success the files, the relation fields, the
// order lists and the counts in `store` are all updated, and the result tells
// the window what to show. Numbers are 1-based.
#include "common/ui.h"
#include "database/service_views.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <span>

namespace velk {

// Counts are bounded by the widths they are stored in: a carrier's satellite
// index is one byte, order-list entries and the SDB section counts 16 bits.
inline constexpr std::uint32_t kMaxSatellites = 256;
inline constexpr std::uint32_t kMaxCarriers = 65535;
inline constexpr std::uint32_t kMaxServices = 65535;

// Appends a default LNB. Result: the new LNB number (label "[ %d ] LNB").
// Refused at the product type's limit: "LNB record count exceeds the maximum limit 8" / "... 16".
std::optional<std::uint32_t> AddLnbRecord(WorkingStore& store, Ui& ui);

// Appends a default satellite named "Satellite %d" (its number). Result: the new
// satellite number. Refused without LNBs: "LNB Information should be entered".
std::optional<std::uint32_t> AppendSatelliteRecord(WorkingStore& store, Ui& ui);

// Inserts a default satellite named "Satellite %d" (n) before satellite n; later
// satellites move up by one and their carriers follow them. Result: n.
std::optional<std::uint32_t> InsertSatelliteRecord(WorkingStore& store, Ui& ui, std::uint32_t n);

struct CarrierAdded {
    std::uint32_t position = 0;  // under its satellite (label "[ %d ] Carrier")
    std::uint32_t record = 0;    // carrier record number
};

// Adds a default carrier named "Carrier" as the last carrier of satellite s.
std::optional<CarrierAdded> AddCarrierRecord(WorkingStore& store, Ui& ui, std::uint32_t s);

// Inserts a default carrier before carrier p of satellite s; it becomes carrier p.
std::optional<CarrierAdded> InsertCarrierRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p);

struct ServiceAdded {
    std::uint32_t record = 0;           // service record number
    std::uint32_t channelPosition = 0;  // position in the channel order
};

// Adds a default service "Service %d" (its number under the carrier) at the end
// of the block of carrier p of satellite s; it is last in the channel order. With
// the filter at TV or Radio it takes that type. Program number: the lowest free one.
std::optional<ServiceAdded> AddServiceRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, ServiceFilter filter);

// Inserts a default service "Service %d" (row) before the service shown at `row`
// of the unfiltered view of carrier p of satellite s: in the carrier's block and
// in the channel order directly before it. row 0 (nothing selected) is refused
// with "Select the item position to insert".
std::optional<ServiceAdded> InsertServiceRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, std::uint32_t row);

// The smallest program number >= 1 that none of `others` uses.
std::uint16_t LowestFreeProgramNumber(std::span<const ServiceRecord> others);

}  // namespace velk
