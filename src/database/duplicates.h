#pragma once
// Duplicates after merging lists: services that are the same channel and carriers
// that are the same transponder. The first member of a group is the one kept.
#include "database/service_catalog.h"

#include <vector>

namespace velk {

struct DuplicateGroups {
    // Channel positions (0-based), each group in channel order. Same channel: same
    // carrier and program number, or same name, same PIDs and same satellite.
    std::vector<std::vector<std::uint32_t>> services;
    // Carrier records (0-based), each group in carrier order: same satellite and
    // polarisation, frequencies within the transponder tolerance.
    std::vector<std::vector<std::uint32_t>> carriers;
};

DuplicateGroups FindDuplicates(const ServiceCatalog& catalog);

// The channel positions "Keep first, delete the rest" removes, ascending.
std::vector<std::uint32_t> DuplicatesToDelete(const DuplicateGroups& groups);

}  // namespace velk
