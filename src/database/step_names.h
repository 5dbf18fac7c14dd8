#pragma once
// The names of the history's steps, as the Undo and Redo menu items show them
// ("Undo Delete 3 services").
#include "database/editor_commands.h"
#include "database/editor_nodes.h"
#include "database/mark_menus.h"

#include <cstdint>
#include <string>

namespace velk {

// "1 service", "1 000 services": thousands set apart as the counters do elsewhere.
std::string CountText(std::size_t count, std::string_view noun);

// A command of the tree or the list: "Add carrier", "Delete 3 services", "Move 1 service up".
std::string CommandStepName(EditorCommand command, NodeKind node, bool onServiceList, std::size_t rows);

// "Edit LNB", "Edit satellite", "Edit carrier", "Edit service".
std::string EditStepName(NodeKind level);

// "Move satellite", "Swap carriers".
std::string NodeMoveStepName(NodeKind level, bool swap);

// The steps of the commands that fill the whole store again from a file.
inline constexpr const char* kSortStepName = "Sort";
inline constexpr const char* kImportStepName = "Import";

// "Mark 5 services".
std::string MarkStepName(MarkLevel level, std::size_t rows);

}  // namespace velk
