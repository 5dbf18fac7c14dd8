#pragma once
// "Change Carriers": the selected services move to a carrier of any satellite.
// The dialog only picks the carrier; `move` makes the change and answers
// whether it was made (the dialog stays open on a refusal).
#include "database/change_carrier.h"
#include "database/store_snapshot.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace velk::gui {

class ChangeCarrierDialog : public QDialog {
    Q_OBJECT
public:
    using Move = std::function<bool(CarrierPlace target)>;
    // `source`: where the first of the `selected` services belongs.
    ChangeCarrierDialog(const StoreSnapshot& snapshot, std::size_t selected, CarrierPlace source, Move move, QWidget* parent = nullptr);

private:
    void SatelliteChosen(int index);
    void CarrierChosen(int index);
    void MoveServices();

    const StoreSnapshot& snapshot_;
    Move moveServices_;
    std::vector<std::uint16_t> carriers_;  // carrier records of the chosen satellite, in carrier order
    QComboBox* satellite_;
    QLabel* satelliteText_;
    QComboBox* carrier_;
    QLabel* carrierText_;
    QPushButton* move_;
};

}  // namespace velk::gui
