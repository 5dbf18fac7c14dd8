#pragma once
// "LNB Information": the full dialog for product type 2, the short one otherwise.
#include "database/record_dialog.h"

namespace velk::gui {

class LnbDialog : public RecordDialog {
    Q_OBJECT
public:
    LnbDialog(WorkingStore& store, Ui& ui, std::uint32_t number, QWidget* parent = nullptr);
    bool Load() override;

private:
    bool Save() override;
    void TypeChosen(int type);

    QComboBox* type_;
    QLineEdit* low_;
    QLineEdit* high_;
    QComboBox* power_;
    LnbRecord record_;
};

}  // namespace velk::gui
