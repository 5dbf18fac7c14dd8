#pragma once
// Deleting records. Each operation removes the record with everything that
// hangs below it, re-points the relation fields, rewrites the order lists and
// lowers the counts in `store`, all in one atomic update: on failure it shows
// its message and the store is unchanged. Numbers are 1-based.
#include "common/ui.h"
#include "database/service_views.h"
#include "database/store_image.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <span>

namespace velk {

// Removes LNB n. Satellites of later LNBs keep their LNB (their index drops by
// one); satellites of LNB n move to the LNB that takes position n (the new last
// one when n was last). Refused for the only LNB:
// "LNB Deletion not allowed.\nMinimum one LNB Information is must".
bool DeleteLnbRecord(WorkingStore& store, Ui& ui, std::uint32_t n);

// Removes satellite n with its carriers and their services; later satellites'
// carriers follow them.
bool DeleteSatellite(WorkingStore& store, Ui& ui, std::uint32_t n);

// Removes carrier p of satellite s with its services. Result: the number of
// services removed with it (the window lowers its tree counts by it).
std::optional<std::uint32_t> DeleteCarrier(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p);

// Removes every service of carrier record k (0 services is fine).
bool DeleteCarrierServices(WorkingStore& store, Ui& ui, std::uint32_t k);

// Removes the services shown at `rows` (1-based rows of `view` as last built).
// Result: the number removed. No rows: "Select Service Information to Delete"
// under a satellite or carrier, "Select Service Information to delete" otherwise.
// Drops the services marked in `removed` (0-based records) from the image: their
// carriers' counts go down, the order list loses their entries, the rest are renumbered.
void RemoveServices(StoreImage& image, const std::vector<bool>& removed);

std::optional<std::uint32_t> DeleteServices(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> rows);

}  // namespace velk
