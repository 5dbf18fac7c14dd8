#pragma once
// "Change Carriers": the selected services move to a carrier of any satellite.
#include "common/ui.h"
#include "database/change_carrier.h"
#include "database/store_snapshot.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace velk::gui {

class ChangeCarrierDialog : public QDialog {
    Q_OBJECT
public:
    // `rows`: 1-based selected rows of `view`; `source`: where the first of them belongs.
    ChangeCarrierDialog(WorkingStore& store, Ui& ui, const StoreSnapshot& snapshot, const ServiceView& view,
                        std::vector<std::uint32_t> rows, CarrierPlace source, QWidget* parent = nullptr);

private:
    void SatelliteChosen(int index);
    void CarrierChosen(int index);
    void MoveServices();

    WorkingStore& store_;
    Ui& ui_;
    const StoreSnapshot& snapshot_;
    ServiceView view_;
    std::vector<std::uint32_t> rows_;
    std::vector<std::uint16_t> carriers_;  // carrier records of the chosen satellite, in carrier order
    QComboBox* satellite_;
    QLabel* satelliteText_;
    QComboBox* carrier_;
    QLabel* carrierText_;
    QPushButton* move_;
};

}  // namespace velk::gui
