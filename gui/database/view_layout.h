#pragma once
// Sizes of the editor's views. Column headers show their whole text and keep
// the widths the user gives them; the tree pane starts wide enough for a
// satellite name and keeps the width the user drags it to; the window shrinks
// without cutting a control off.
#include "shell/key_value_store.h"

class QTableView;
class QWidget;

namespace velk::gui {

// Sizes column `column` of `list`: the user's width for its header text when
// one is remembered, else the larger of `preferred` and the header's own width.
// The last column stretches to the list's edge.
void SizeColumn(QTableView* list, int column, int preferred);

// Lets the editor window shrink: the view title gives up width first, the
// detail strip keeps room for its scroll bar, the tree pane starts wide enough
// for "[ 64 ] " and a name of 19 characters.
void FitEditorLayout(QWidget* editor);

// Remembers, in `settings`, the column widths the user sets (by header text)
// and the tree pane's width, and starts the tree pane at the remembered width
// (call it before the editor is first shown).
void RememberViewSizes(QWidget* editor, KeyValueStore& settings);

}  // namespace velk::gui
