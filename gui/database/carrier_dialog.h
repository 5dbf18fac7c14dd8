#pragma once
// "Carrier Information".
#include "database/record_dialog.h"

#include <QCheckBox>

namespace velk::gui {

class CarrierDialog : public RecordDialog {
    Q_OBJECT
public:
    // `number` is the 1-based carrier record number.
    CarrierDialog(WorkingStore& store, Ui& ui, std::uint32_t number, QWidget* parent = nullptr);
    bool Load() override;
    const CarrierRecord& Before() const { return before_; }
    const CarrierRecord& After() const { return after_; }

private:
    bool Save() override;

    QLineEdit* name_;
    QLineEdit* frequency_;
    QComboBox* polarization_;
    QLineEdit* symbolRate_;
    QComboBox* fec_;
    QComboBox* skewSign_;
    QLineEdit* skew_;
    QCheckBox* factoryDefault_;
    CarrierRecord before_;
    CarrierRecord after_;
};

}  // namespace velk::gui
