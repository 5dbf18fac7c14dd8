#pragma once
// Lookups over the relations of the store: carrier order, channel order and
// the run lengths that tie services to carriers.
#include "common/ui.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>

namespace velk {

// Carrier record index (0-based) at carrier-order position `position` (0-based).
// Shows "File Access Error ( GetCarrierIndex )" and yields 0 when the list cannot be opened.
std::uint16_t GetCarrierIndex(const WorkingStore& store, Ui& ui, std::uint32_t position);

// Service record index (0-based) at channel-order position `position` (1-based).
// Shows "File Access Error ( GetServiceIndex )" and yields 0 when the list cannot be opened.
std::uint16_t GetServiceIndex(const WorkingStore& store, Ui& ui, std::uint32_t position);

// As GetServiceIndex for a 0-based position, without a message.
std::optional<std::uint16_t> ServiceIndexAtOrderPosition(const WorkingStore& store, std::uint32_t position);

// LNB index (byte 0) of satellite n (1-based).
std::optional<std::uint8_t> LnbIndexOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t n);

// Carrier count of satellite n (1-based), and raising or lowering it by one.
std::optional<std::uint16_t> CarrierCountOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t n);
bool AdjustCarrierCountOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t n, int delta);

// Sum of the carrier counts of satellites 1..s-1; 0 for s <= 1.
std::optional<std::uint32_t> FirstCarrierPosition(const WorkingStore& store, Ui& ui, std::uint32_t s);

// Sum of the service counts of the carriers at carrier-order positions 0..p-1.
std::optional<std::uint32_t> ServicesBeforeCarrierPosition(const WorkingStore& store, Ui& ui, std::uint32_t p);

// Sum of the service counts of satellite s's carriers (s 1-based).
std::optional<std::uint32_t> ServicesOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t s);

// 1-based carrier record number whose run holds service record r (1-based), or -1.
std::int32_t CarrierOfService(const WorkingStore& store, std::uint32_t r);

// 1 when the record (0-based index) carries the factory-default mark.
bool IsSatelliteFactoryDefault(const WorkingStore& store, std::uint32_t index);
bool IsCarrierFactoryDefault(const WorkingStore& store, std::uint32_t index);

// Rewrites TempCarOSL.stb: carrier record indexes grouped by satellite in
// satellite record order, each group in carrier record order.
bool RebuildCarrierOrderList(const WorkingStore& store, Ui& ui);

}  // namespace velk
