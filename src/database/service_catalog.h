#pragma once
// Every service with its carrier and satellite, in channel order: the flat view
// that finding, duplicate checks, reference ordering and the CSV list work on.
#include "database/store_image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

struct CatalogEntry {
    std::uint32_t service = 0;    // 0-based service record
    std::uint32_t carrier = 0;    // 0-based carrier record
    std::uint32_t satellite = 0;  // 0-based satellite record
};

struct ServiceCatalog {
    StoreImage image;
    std::vector<CatalogEntry> channels;  // channel order

    const ServiceRecord& Service(const CatalogEntry& e) const { return image.services[e.service]; }
    const CarrierRecord& Carrier(const CatalogEntry& e) const { return image.carriers[e.carrier]; }
    const SatelliteRecord& Satellite(const CatalogEntry& e) const { return image.satellites[e.satellite]; }
};

// nullopt when the store's files cannot be read or do not hang together.
std::optional<ServiceCatalog> LoadServiceCatalog(const WorkingStore& store);
// The same from a whole image already in memory, for a store with these counts.
std::optional<ServiceCatalog> MakeServiceCatalog(StoreImage image, std::uint32_t carrierCount, std::uint32_t serviceCount);

// Orbital position in tenths of a degree, east positive.
int OrbitalPosition(const SatelliteRecord& satellite);

// Two carriers are one transponder when their frequencies differ by at most this
// many kHz: a quarter of the smaller symbol rate, and never less than 2 MHz.
std::uint32_t TransponderToleranceKhz(std::uint32_t symbolRateA, std::uint32_t symbolRateB);
bool SameTransponder(const CarrierRecord& a, const CarrierRecord& b);

// A name for comparing: lower case, accents dropped (the store holds ISO 8859-1),
// blanks and punctuation dropped.
std::string NormalisedName(std::string_view name);

}  // namespace velk
