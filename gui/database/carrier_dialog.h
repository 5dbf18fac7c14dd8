#pragma once
// "Carrier Information".
#include "database/record_dialog.h"

#include <QCheckBox>

namespace velk::gui {

class CarrierDialog : public RecordDialog {
    Q_OBJECT
public:
    CarrierDialog(const WorkingStore& store, Ui& ui, const CarrierRecord& record, QWidget* parent = nullptr);
    const CarrierRecord& Edited() const { return record_; }

private:
    bool Collect() override;

    QLineEdit* name_;
    QLineEdit* frequency_;
    QComboBox* polarization_;
    QLineEdit* symbolRate_;
    QComboBox* fec_;
    QComboBox* skewSign_;
    QLineEdit* skew_;
    QCheckBox* factoryDefault_;
    CarrierRecord record_;
};

}  // namespace velk::gui
