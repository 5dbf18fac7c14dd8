#pragma once
// Names crossing between the widgets (QString) and the database (Latin-1
// bytes). Every window shows and takes names through these two functions.
#include "common/ui.h"

#include <QString>
#include <string>
#include <string_view>

namespace velk::gui {

QString NameToQString(std::string_view databaseName);

// The typed name as database bytes; characters the database cannot hold are
// transliterated and the user is told through `ui`.
std::string NameFromQString(const QString& text, Ui& ui);

}  // namespace velk::gui
