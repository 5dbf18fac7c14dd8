#pragma once
// "Change Carrier": selected services leave their carrier and join another
// carrier of any satellite. TempSER.stb is rewritten so that they join the end
// of the target's block, TempOSL.stb renumbered so that the channel order of
// every service stays the same, and both carriers' service counts adjusted.
#include "common/ui.h"
#include "database/service_views.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velk {

struct CarrierPlace {
    std::uint32_t satellite = 0;  // 1-based satellite record
    std::uint32_t position = 0;   // 1-based position under it
};

// Where the service of `row` (1-based, `view` as last built) belongs: the
// dialog's source satellite and carrier. nullopt after "File Open Error".
std::optional<CarrierPlace> CarrierOfRow(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row);

// The services of `rows` (1-based rows of `view` as last built) move to carrier
// `targetPosition` of satellite `targetSatellite` (services already there stay;
// under a target that is not factory default they lose the flag). Result: the
// number moved.
// Refused when they all belong to the target already: "Select valid carrier for
// to move service(s)\nBoth selected & moved carriers are same"; a file that
// cannot be used: "File Open Error". Nothing changes on either.
std::optional<std::uint32_t> ChangeServiceCarrier(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> rows,
                                                  std::uint32_t targetSatellite, std::uint32_t targetPosition);

// The services at `positions` (1-based within the block of carrier record
// `source`) move, in their relative order, to the end of the block of carrier
// record `target` (both 1-based record numbers). Under a target that is not
// factory default they lose the flag.
bool MoveServicesToCarrier(WorkingStore& store, Ui& ui, std::uint32_t source, std::uint32_t target, std::span<const std::uint32_t> positions);

// The service record at 0-based index `oldIndex` moved to `newIndex`, the
// records between shifting by one: every entry of `order` is renumbered so that
// it names the same service as before.
void RenumberOrderEntry(std::vector<std::uint16_t>& order, std::uint16_t oldIndex, std::uint16_t newIndex);

}  // namespace velk
