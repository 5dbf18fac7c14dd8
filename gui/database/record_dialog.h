#pragma once
// What the four record dialogs share: reading and writing their record with
// their own messages, the field rules' refusals with the focus on the field,
// and small builders for the edit fields and value lists.
#include "common/ui.h"
#include "database/display_texts.h"
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
    RecordDialog(WorkingStore& store, Ui& ui, std::uint32_t number, const QString& title, const QString& okTip, QWidget* parent);

    // Reads the record and fills the fields; false (after its message) when the dialog must not open.
    virtual bool Load() = 0;
    void accept() override;

protected:
    // Checks and writes; false keeps the dialog open.
    virtual bool Save() = 0;

    // The record, or nullopt after "Invalid Record Index" or `readError`.
    template <typename Record>
    std::optional<Record> ReadOwnRecord(const char* readError)
    {
        using F = RecordFile<Record>;
        if (number_ < 1 || number_ > F::Count(store_)) {
            ShowError(ui_, "Invalid Record Index");
            return std::nullopt;
        }
        const auto size = F::Size(store_.placement);
        const auto bytes = ReadFileRange(store_.File(F::kName), std::uint64_t{number_ - 1} * size, size);
        if (!bytes) {
            ShowError(ui_, readError);
            return std::nullopt;
        }
        return F::Decode(*bytes, store_.placement);
    }

    // Writes the record in place; false after `writeError`.
    template <typename Record>
    bool WriteOwnRecord(const Record& record, const char* writeError)
    {
        using F = RecordFile<Record>;
        const auto size = F::Size(store_.placement);
        if (!WriteFileRange(store_.File(F::kName), std::uint64_t{number_ - 1} * size, F::Encode(record, store_.placement), false)) {
            ShowError(ui_, writeError);
            return false;
        }
        return true;
    }

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

    WorkingStore& store_;
    Ui& ui_;
    std::uint32_t number_;
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
