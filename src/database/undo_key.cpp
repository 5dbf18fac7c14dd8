#include "database/undo_key.h"

namespace velk {

UndoKeyAction UndoKeyActionOf(const EditHistory& history, bool undoSortingAvailable)
{
    if (const auto* step = history.NextUndo())
        return step->kind == StepKind::Sort ? UndoKeyAction::UndoSorting : UndoKeyAction::UndoStep;
    // Nothing in the history: the key is Undo Sorting's alone.
    return undoSortingAvailable ? UndoKeyAction::UndoSorting : UndoKeyAction::Nothing;
}

}  // namespace velk
