#pragma once
// Toolbar icons: the desktop theme's standard icon, or the style's own
// built-in one where the theme has none.
#include "shell/command_table.h"

#include <QIcon>
#include <QString>

class QStyle;

namespace velk::gui {

// The icon of a command's toolbar button; a null icon for commands without one.
QIcon CommandIcon(Command command, const QStyle& style);
// The icon of a drop-down button, by its object name ("IMPORT_MENU", ...).
QIcon DropDownIcon(const QString& name, const QStyle& style);

}  // namespace velk::gui
