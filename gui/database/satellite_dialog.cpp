#include "database/satellite_dialog.h"

#include "common/c_number.h"
#include "database/name_text.h"

namespace velk::gui {

SatelliteDialog::SatelliteDialog(const WorkingStore& store, Ui& ui, const SatelliteRecord& record, QWidget* parent)
    : RecordDialog(store, ui, "Satellite Information", "Click to update satellite record.", parent), record_(record)
{
    name_ = AddEdit("Satellite Name", "name", 19, Field::Name);
    lnb_ = AddCombo("LNB Index", "lnbIndex", LnbIndexNames(store.lnbCount));
    eastWest_ = AddCombo("East / West", "eastWest", EastWestNames());
    angle_ = AddEdit("Satellite Angle", "angle", 5, Field::Angle);
    position_ = AddEdit("Satellite Position", "position", 2, Field::Position);
    factoryDefault_ = new QCheckBox("Factory Default", this);
    factoryDefault_->setObjectName("factoryDefault");
    AddRow({}, factoryDefault_);
    if (store.placement == Placement::Satellite)
        AddSwitchBlock(true, true);
    name_->setText(NameToQString(record_.name.Text()));
    SelectIndex(lnb_, record_.lnbIndex);
    SelectIndex(eastWest_, record_.west);
    angle_->setText(Q(AngleText(record_.angle)));
    position_->setText(QString::number(record_.position));
    factoryDefault_->setChecked(record_.factoryDefault == 1);
    ShowSwitchBlock(record_.switchBlock);
}

bool SatelliteDialog::Collect()
{
    const auto name = NameFromQString(name_->text(), ui_);
    if (const auto error = CheckSatelliteFields({name, S(position_->text()), S(angle_->text())})) {
        Refuse(*error);
        return false;
    }
    record_.name = name;
    record_.lnbIndex = SelectedIndex(lnb_);
    record_.west = SelectedIndex(eastWest_);
    record_.angle = static_cast<std::int16_t>(AngleTenthsFromText(S(angle_->text())));
    record_.position = static_cast<std::uint8_t>(ParseDecimal(S(position_->text())));
    record_.factoryDefault = factoryDefault_->isChecked() ? 1 : 0;
    if (store_.placement == Placement::Satellite)
        record_.switchBlock = ReadSwitchBlock(record_.switchBlock);
    return true;
}

}  // namespace velk::gui
