#include "image/field_memory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace velk::gui {

void RememberFields(const QWidget* dialog, FieldMemory& memory)
{
    for (const auto* edit : dialog->findChildren<QLineEdit*>())
        if (!edit->objectName().isEmpty())
            memory[edit->objectName()] = edit->text();
    for (const auto* combo : dialog->findChildren<QComboBox*>())
        memory[combo->objectName()] = combo->currentIndex();
    for (const auto* box : dialog->findChildren<QCheckBox*>())
        memory[box->objectName()] = box->isChecked();
}

void RestoreFields(QWidget* dialog, const FieldMemory& memory)
{
    for (auto* edit : dialog->findChildren<QLineEdit*>())
        if (const auto it = memory.find(edit->objectName()); it != memory.end())
            edit->setText(it->toString());
    for (auto* combo : dialog->findChildren<QComboBox*>())
        if (const auto it = memory.find(combo->objectName()); it != memory.end())
            combo->setCurrentIndex(it->toInt());
    for (auto* box : dialog->findChildren<QCheckBox*>())
        if (const auto it = memory.find(box->objectName()); it != memory.end())
            box->setChecked(it->toBool());
}

}  // namespace velk::gui
