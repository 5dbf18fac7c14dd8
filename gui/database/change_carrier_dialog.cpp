#include "database/change_carrier_dialog.h"

#include "database/name_text.h"
#include "common/format.h"
#include "database/value_texts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {

ChangeCarrierDialog::ChangeCarrierDialog(const StoreSnapshot& snapshot, std::size_t selected, CarrierPlace source, Move move,
                                         QWidget* parent)
    : QDialog(parent), snapshot_(snapshot), moveServices_(std::move(move)),
      satellite_(new QComboBox(this)), satelliteText_(new QLabel(this)), carrier_(new QComboBox(this)),
      carrierText_(new QLabel(this)), move_(new QPushButton("&Move", this))
{
    setWindowTitle("Change Carriers");
    satellite_->setObjectName("satellite");
    satellite_->setToolTip("Select satellite name");
    carrier_->setObjectName("carrier");
    carrier_->setToolTip("Select carrier name");
    satelliteText_->setObjectName("satelliteText");
    carrierText_->setObjectName("carrierText");
    move_->setObjectName("move");
    move_->setToolTip("Click to move service");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* close = buttons->button(QDialogButtonBox::Close);
    close->setText("&Close");
    close->setObjectName("close");
    buttons->addButton(move_, QDialogButtonBox::ActionRole);

    auto* selectedLabel = new QLabel(QString("Selected service %1").arg(selected), this);
    selectedLabel->setObjectName("selected");
    auto* satelliteBox = new QGroupBox("Satellite Info", this);
    auto* satelliteLayout = new QVBoxLayout(satelliteBox);
    satelliteLayout->addWidget(satellite_);
    satelliteLayout->addWidget(satelliteText_);
    auto* carrierBox = new QGroupBox("Carrier Info", this);
    auto* carrierLayout = new QVBoxLayout(carrierBox);
    carrierLayout->addWidget(carrier_);
    carrierLayout->addWidget(carrierText_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(selectedLabel);
    layout->addWidget(satelliteBox);
    layout->addWidget(carrierBox);
    layout->addWidget(buttons);

    for (const auto& s : snapshot_.satellites)
        satellite_->addItem(NameToQString(s.name.Text()));
    satellite_->setCurrentIndex(static_cast<int>(source.satellite) - 1);
    SatelliteChosen(satellite_->currentIndex());
    carrier_->setCurrentIndex(static_cast<int>(source.position) - 1);
    CarrierChosen(carrier_->currentIndex());
    connect(satellite_, &QComboBox::activated, this, &ChangeCarrierDialog::SatelliteChosen);
    connect(carrier_, &QComboBox::activated, this, &ChangeCarrierDialog::CarrierChosen);
    connect(move_, &QPushButton::clicked, this, &ChangeCarrierDialog::MoveServices);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ChangeCarrierDialog::SatelliteChosen(int index)
{
    carrier_->clear();
    carriers_.clear();
    carrierText_->clear();
    move_->setEnabled(false);
    if (index < 0 || static_cast<std::size_t>(index) >= snapshot_.satellites.size())
        return;
    const auto& s = snapshot_.satellites[static_cast<std::size_t>(index)];
    satelliteText_->setText(QString::fromStdString(Format("%5.2f  %s  %d", s.angle / 10.0, TextAt(EastWestNames(), s.west).c_str(), s.position)));
    carriers_ = snapshot_.CarriersOfSatellite(static_cast<std::uint32_t>(index));
    for (auto k : carriers_)
        carrier_->addItem(NameToQString(snapshot_.carriers[k].name.Text()));
    carrier_->setCurrentIndex(-1);
}

void ChangeCarrierDialog::CarrierChosen(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= carriers_.size())
        return;
    const auto& c = snapshot_.carriers[carriers_[static_cast<std::size_t>(index)]];
    carrierText_->setText(QString::fromStdString(
        Format("%u  %s  %s", c.frequencyMhz, TextAt(PolarizationNames(), c.polarization).c_str(), TextAt(FecNames(), c.fec).c_str())));
    move_->setEnabled(true);
}

void ChangeCarrierDialog::MoveServices()
{
    const auto satellite = static_cast<std::uint32_t>(satellite_->currentIndex() + 1);
    const auto position = static_cast<std::uint32_t>(carrier_->currentIndex() + 1);
    if (moveServices_({satellite, position}))
        accept();
}

}  // namespace velk::gui
