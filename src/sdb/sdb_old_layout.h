#pragma once
// Writing the old ("SB") layout without moving a service to another carrier.
//
// The old layout lists the carriers grouped by satellite but keeps the services
// in the order of the new file, and the reader hands the services out in runs
// of the carriers' service counts. Carriers that are not grouped by satellite
// in the new file would come back holding each other's services; grouping the
// new file first keeps every run with its carrier. A grouped file converts to
// the same bytes as before.
#include "common/bytes.h"

#include <optional>

namespace velk::sdb {

// The new-layout image with its carriers grouped by satellite (stable), each
// carrier's services moved along with it, and the first-service indexes, the
// services' carrier indexes and the channel order following. Every other byte
// stays. nullopt when the sections cannot be walked.
std::optional<Bytes> GroupedBySatellite(ByteView newLayout);

// The old layout of a new-layout image, grouped first; nullopt on a structure
// failure (the reason on stderr).
std::optional<Bytes> OldLayoutOfImage(ByteView newLayout, std::uint8_t productType);

}  // namespace velk::sdb
