#pragma once
// "LNB Information": the full dialog for product type 2, the short one otherwise.
#include "database/record_dialog.h"

namespace velk::gui {

class LnbDialog : public RecordDialog {
    Q_OBJECT
public:
    LnbDialog(const WorkingStore& store, Ui& ui, const LnbRecord& record, QWidget* parent = nullptr);
    // The record as edited; the core derives the rest of the switch block.
    const LnbRecord& Edited() const { return record_; }

private:
    bool Collect() override;
    void TypeChosen(int type);

    QComboBox* type_;
    QLineEdit* low_;
    QLineEdit* high_;
    QComboBox* power_;
    LnbRecord record_;
};

}  // namespace velk::gui
