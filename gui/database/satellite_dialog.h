#pragma once
// "Satellite Information".
#include "database/record_dialog.h"

#include <QCheckBox>

namespace velk::gui {

class SatelliteDialog : public RecordDialog {
    Q_OBJECT
public:
    SatelliteDialog(WorkingStore& store, Ui& ui, std::uint32_t number, QWidget* parent = nullptr);
    bool Load() override;
    const SatelliteRecord& Before() const { return before_; }
    const SatelliteRecord& After() const { return after_; }

private:
    bool Save() override;

    QLineEdit* name_;
    QComboBox* lnb_;
    QComboBox* eastWest_;
    QLineEdit* angle_;
    QLineEdit* position_;
    QCheckBox* factoryDefault_;
    SatelliteRecord before_;
    SatelliteRecord after_;
};

}  // namespace velk::gui
