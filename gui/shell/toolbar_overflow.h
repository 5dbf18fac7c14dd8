#pragma once
// A toolbar too narrow for its buttons offers the hidden ones in a menu from
// its extension button, instead of unfolding over the document below it.
class QToolBar;

namespace velk::gui {

void ShowOverflowAsMenu(QToolBar* bar);

}  // namespace velk::gui
