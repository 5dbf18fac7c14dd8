#pragma once
// Ctrl+Z is both the key of Undo Sorting and of Undo. When the last step is a
// sort the key does what Undo Sorting does (the database as it was before the
// sort); otherwise it undoes the last step.
#include "database/edit_history.h"

namespace velk {

enum class UndoKeyAction { Nothing, UndoStep, UndoSorting };

// `undoSortingAvailable`: the Undo Sorting command could run now.
UndoKeyAction UndoKeyActionOf(const EditHistory& history, bool undoSortingAvailable);

}  // namespace velk
