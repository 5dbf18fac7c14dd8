#pragma once
// Recognising a service of another list in the database: by its transponder and
// program number, or failing that by its name on the same satellite. Reference
// ordering and the CSV round trip both identify services this way.
#include "database/service_catalog.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velk {

// What another list says of a service.
struct ServiceKey {
    int orbitalPosition = 0;       // tenths of a degree, east positive
    std::uint32_t frequencyMhz = 0;
    std::uint32_t symbolRateKs = 0;
    std::uint8_t polarization = 0; // 0 H, 1 V, 2 L, 3 R
    std::uint16_t programNumber = 0;
    std::string name;              // database bytes
};

ServiceKey KeyOf(const ServiceCatalog& catalog, const CatalogEntry& entry);
std::vector<ServiceKey> KeysOf(const ServiceCatalog& catalog);

enum class MatchRule : std::uint8_t { Transponder, Name };

struct Identified {
    std::uint32_t channel = 0;  // 0-based channel position in the database
    MatchRule rule = MatchRule::Transponder;
};

// For each key in turn, the database service it names; each service is claimed
// by the first key that names it. nullopt where nothing matches.
std::vector<std::optional<Identified>> IdentifyServices(const ServiceCatalog& catalog, std::span<const ServiceKey> keys);

}  // namespace velk
