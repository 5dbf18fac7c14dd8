#pragma once
// Moving services in the channel order. Services never move in TempSER.stb:
// every move is a change of TempOSL.stb. Rows are those of `view` as last built.
// On failure the message is shown and the store is unchanged.
#include "common/ui.h"
#include "database/service_views.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <span>

namespace velk {

// The n services of rows a .. a+n-1 (0-based) move as one block, in their
// relative order, next to the service of row t (0-based): after it when t > a,
// before it when t < a; all other services keep their relative order. A target
// inside the block changes nothing. The view list is rebuilt afterwards.
bool MoveServiceBlock(WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t a, std::uint32_t n, std::uint32_t t);

// The one selected row (1-based) exchanges its channel position with the row
// above (`up`) or below. Result: the row now holding the moved service (the same
// row at the first or last row, where nothing changes). Refused with
// "Select Service Information to Move" / "Select one Service Information to Move".
std::optional<std::uint32_t> MoveServiceUpDown(WorkingStore& store, Ui& ui, const ServiceView& view,
                                               std::span<const std::uint32_t> selectedRows, bool up);

// The services of the two selected rows (1-based) exchange channel positions.
// Refused unless exactly two: "Select two service information to swap".
bool SwapServices(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> selectedRows);

// 0-based channel position of every row of `view` as last built; nullopt when
// its view list cannot be read or is not strictly ascending inside the order list.
std::optional<std::vector<std::uint32_t>> ViewRowPositions(const WorkingStore& store, const ServiceView& view);

}  // namespace velk
