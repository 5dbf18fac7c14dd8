#pragma once
// The popup commands of the editor and when each applies, from what the window
// shows: the current node, the list and its selection.
#include "database/editor_nodes.h"

#include <cstddef>
#include <cstdint>

namespace velk {

enum class EditorCommand {
    Edit, Add, Insert, Delete, Move, MoveUp, MoveDown, Swap, FactoryDefault,
    ExpandCollapse, DetailedInformation, ChangeCarrier, ViewDecimal, ViewHex,
};

struct CommandContext {
    NodeKind node = NodeKind::None;
    bool servicesShown = false;        // the list shows services
    std::size_t selectedRows = 0;
    std::uint32_t satelliteCount = 0;  // of the store
    std::uint32_t siblingCarriers = 0; // carriers under the current carrier's satellite
};

// Whether `command` applies (its menu item is enabled).
bool CommandApplies(EditorCommand command, const CommandContext& context);

}  // namespace velk
