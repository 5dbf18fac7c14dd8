#pragma once
// The checks and texts of the Move/Swap dialogs. A refused entry shows its
// message and yields nullopt; the dialog then stays open.
#include "common/ui.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velk {

enum class MoveLevel : std::uint8_t { Satellite, Carrier };

struct MoveDialogText {
    std::string title;    // "Move Satellite Information", ...
    std::string label;    // "Move Satellite Information from \"%d\" to ", ...
    std::string tooltip;  // "Click to move satellite record.", ...
};

// Texts of the "Move Information" dialog for the level, mode and source number.
MoveDialogText MoveDialogTexts(MoveLevel level, bool swap, std::uint32_t source);

// The typed target of a satellite or carrier move/swap, 1 .. bound and not the
// source. Above the bound: "Record Index should not exceed %d" (warning);
// 0, not a number or the source: "Invalid Index for current process".
std::optional<std::uint32_t> CheckMoveTarget(Ui& ui, std::string_view typed, std::uint32_t source, std::uint32_t bound);

// The typed target row (1-based) of the service Move dialog: "Enter valid index
// value" for 0 or a non-number, "Invalid Index for Move Information. " for the
// first selected row, "Move Index should be Less than Service count ( %d )"
// (rows + 1) above the number of rows.
std::optional<std::uint32_t> CheckServiceMoveTarget(Ui& ui, std::string_view typed, std::uint32_t firstSelectedRow, std::uint32_t rowCount);

// True when the selected rows (ascending) follow one another; else shows
// "Please select the sequence of item to Move".
bool CheckConsecutiveRows(Ui& ui, std::span<const std::uint32_t> rows);

}  // namespace velk
