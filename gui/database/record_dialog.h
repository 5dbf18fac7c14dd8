#pragma once
// What the four record dialogs share: the field rules' refusals with the focus
// on the field, and small builders for the edit fields and value lists. A
// dialog shows the record the core opened and, on Ok, hands back the edited
// record for the core to write; it never touches the store files itself.
#include "common/ui.h"
#include "database/value_texts.h"
#include "database/field_rules.h"
#include "database/record_io.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include <map>
#include <optional>

class QFormLayout;
class QDialogButtonBox;

namespace velk::gui {

class RecordDialog : public QDialog {
    Q_OBJECT
public:
    RecordDialog(const WorkingStore& store, Ui& ui, const QString& title, const QString& okTip, QWidget* parent);

    void accept() override;

protected:
    // Checks the fields and collects the edited record; false keeps the dialog open.
    virtual bool Collect() = 0;

    // Shows the rule's message and puts the focus on its field.
    void Refuse(const FieldError& error);
    QLineEdit* AddEdit(const QString& label, const char* name, int maxLength, std::optional<Field> field = std::nullopt);
    QComboBox* AddCombo(const QString& label, const char* name, const TextList& items);
    void AddRow(const QString& label, QWidget* widget);

    // The switch-block lists: 0/12 V where the block belongs to a satellite or
    // carrier, DiSEqC 1.0 always, the rest when `full`.
    void AddSwitchBlock(bool withVolt12, bool full);
    void ShowSwitchBlock(const SwitchBlock& sb);
    // The shown lists written over `sb` (lists not shown keep their bytes).
    SwitchBlock ReadSwitchBlock(SwitchBlock sb) const;
    struct SwitchCombos {
        QComboBox* volt12 = nullptr;
        QComboBox* diseqc10 = nullptr;
        QComboBox* diseqc11 = nullptr;
        QComboBox* toneBurst = nullptr;
        QComboBox* repeat = nullptr;
        QComboBox* khz22 = nullptr;
    } switch_;

    const WorkingStore& store_;
    Ui& ui_;
    QFormLayout* form_;
    QDialogButtonBox* buttons_;
    std::map<Field, QWidget*> fields_;
};

QString Q(const std::string& text);
std::string S(const QString& text);
void FillCombo(QComboBox* combo, const TextList& items);
// Selects `index`, or leaves the combo empty when the value is past the list.
void SelectIndex(QComboBox* combo, std::uint32_t index);
std::uint8_t SelectedIndex(const QComboBox* combo);

}  // namespace velk::gui
