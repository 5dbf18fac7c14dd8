#pragma once
// The store's files read whole into memory, for an operation that changes
// several of them: it edits the image and writes the changed parts back
// through one StoreUpdate, so the files change together or not at all.
#include "database/store_update.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace velk {

namespace image_part {
inline constexpr unsigned kLnbs = 1;
inline constexpr unsigned kSatellites = 2;
inline constexpr unsigned kCarriers = 4;
inline constexpr unsigned kServices = 8;
inline constexpr unsigned kCarrierOrder = 16;
inline constexpr unsigned kServiceOrder = 32;
inline constexpr unsigned kAll = 63;
}  // namespace image_part

struct StoreImage {
    std::vector<LnbRecord> lnbs;
    std::vector<SatelliteRecord> satellites;
    std::vector<CarrierRecord> carriers;
    std::vector<ServiceRecord> services;
    std::vector<std::uint16_t> carrierOrder;  // TempCarOSL.stb
    std::vector<std::uint16_t> serviceOrder;  // TempOSL.stb
};

// Reads the parts named in `parts` (image_part bits). Besides readable files it
// insists on what the operations index by: order lists as long as their level
// and pointing inside it, carrier counts summing to the carrier count, service
// counts summing to the service count, carriers pointing at satellites that
// count them. nullopt otherwise (nothing shown).
std::optional<StoreImage> LoadStoreImage(const WorkingStore& store, unsigned parts);

// Whether a whole image already in memory (the editor's snapshot) holds what
// LoadStoreImage insists on, for a store with these counts.
bool StoreImageHangsTogether(const StoreImage& image, std::uint32_t carrierCount, std::uint32_t serviceCount);

// Stages the parts named in `parts` into `update`.
void StageStoreImage(const WorkingStore& store, const StoreImage& image, unsigned parts, StoreUpdate& update);

// A 16-bit list file's bytes.
Bytes EncodeList(const std::vector<std::uint16_t>& entries);

// Replaces one list file through a StoreUpdate (old or new file, never half).
bool ReplaceListFile(const WorkingStore& store, std::string_view name, const std::vector<std::uint16_t>& entries);

// Stages `parts` into `update`, commits it and takes the counts: all or nothing.
bool CommitStoreImage(WorkingStore& store, const StoreImage& image, unsigned parts, StoreUpdate& update);
bool CommitStoreImage(WorkingStore& store, const StoreImage& image, unsigned parts);

// Raises by one every entry >= `from` (service indexes after an insert).
void RaiseEntriesFrom(std::vector<std::uint16_t>& order, std::uint32_t from);

// Sets the four counts from the image's parts named in `parts`.
void TakeCounts(WorkingStore& store, const StoreImage& image, unsigned parts);

// Entry k: 0-based index of carrier record k's first service (G(k)); the last
// entry is the total. Size carriers + 1.
std::vector<std::uint32_t> ServiceBlockStarts(const std::vector<CarrierRecord>& carriers);

// Entry s: first carrier-order position of satellite record s (F(s+1), 0-based);
// the last entry is the total. Size satellites + 1.
std::vector<std::uint32_t> CarrierPositionStarts(const std::vector<SatelliteRecord>& satellites);

// Carrier order list rebuilt from the carriers' satellite indexes.
std::vector<std::uint16_t> CarrierOrderOf(const std::vector<CarrierRecord>& carriers, std::size_t satelliteCount);

// 0-based carrier record of the carrier at position p (1-based) under satellite s
// (1-based), or nullopt when there is no such carrier.
std::optional<std::uint32_t> CarrierRecordAt(const StoreImage& image, std::uint32_t s, std::uint32_t p);

// 0-based carrier record holding 0-based service record `service`, by the run lengths.
std::optional<std::uint32_t> CarrierOfServiceIndex(const std::vector<std::uint32_t>& blockStarts, std::uint32_t service);

}  // namespace velk
