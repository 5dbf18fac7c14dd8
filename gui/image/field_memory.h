#pragma once
// What the image dialogs remember of their last inputs while the program runs:
// every named line edit, combo box and check box, by object name.
#include <QHash>
#include <QString>
#include <QVariant>

class QWidget;

namespace velk::gui {

using FieldMemory = QHash<QString, QVariant>;

// Stores the texts, indexes and check states of the named fields inside `dialog`.
void RememberFields(const QWidget* dialog, FieldMemory& memory);

// Puts remembered values back; fields not remembered keep their start values.
void RestoreFields(QWidget* dialog, const FieldMemory& memory);

}  // namespace velk::gui
