#pragma once
// "Satellite Information".
#include "database/record_dialog.h"

#include <QCheckBox>

namespace velk::gui {

class SatelliteDialog : public RecordDialog {
    Q_OBJECT
public:
    SatelliteDialog(const WorkingStore& store, Ui& ui, const SatelliteRecord& record, QWidget* parent = nullptr);
    const SatelliteRecord& Edited() const { return record_; }

private:
    bool Collect() override;

    QLineEdit* name_;
    QComboBox* lnb_;
    QComboBox* eastWest_;
    QLineEdit* angle_;
    QLineEdit* position_;
    QCheckBox* factoryDefault_;
    SatelliteRecord record_;
};

}  // namespace velk::gui
