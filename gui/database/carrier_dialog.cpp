#include "database/carrier_dialog.h"

#include "database/name_text.h"
#include "common/c_number.h"

namespace velk::gui {

CarrierDialog::CarrierDialog(WorkingStore& store, Ui& ui, std::uint32_t number, QWidget* parent)
    : RecordDialog(store, ui, number, "Carrier Information", QString(), parent)
{
    name_ = AddEdit("Carrier Name", "name", 19, Field::Name);
    frequency_ = AddEdit("Frequency", "frequency", 5, Field::Frequency);
    polarization_ = AddCombo("Polarization", "polarization", PolarizationNames());
    symbolRate_ = AddEdit("Symbol Rate", "symbolRate", 5, Field::SymbolRate);
    fec_ = AddCombo("FEC", "fec", FecNames());
    skewSign_ = AddCombo("Skew sign", "skewSign", {"-", "+"});
    skew_ = AddEdit("Skew", "skew", 2, Field::Skew);
    factoryDefault_ = new QCheckBox("Factory Default", this);
    factoryDefault_->setObjectName("factoryDefault");
    AddRow({}, factoryDefault_);
    if (store.placement == Placement::Carrier)
        AddSwitchBlock(true, true);
}

bool CarrierDialog::Load()
{
    const auto record = ReadOwnRecord<CarrierRecord>("Error No: -5 \n Cann't Read Carrier Info");
    if (!record)
        return false;
    before_ = *record;
    name_->setText(NameToQString(before_.name.Text()));
    frequency_->setText(QString::number(before_.frequency));
    SelectIndex(polarization_, before_.polarization);
    symbolRate_->setText(QString::number(before_.symbolRate));
    SelectIndex(fec_, before_.fec);
    skewSign_->setCurrentIndex(SkewIsPlus(before_.skew) ? 1 : 0);
    skew_->setText(QString::number(SkewMagnitude(before_.skew)));
    factoryDefault_->setChecked(before_.factoryDefault == 1);
    ShowSwitchBlock(before_.switchBlock);
    return true;
}

bool CarrierDialog::Save()
{
    const auto name = NameFromQString(name_->text(), ui_);
    if (const auto error = CheckCarrierFields({name, S(frequency_->text()), S(symbolRate_->text()), S(skew_->text())})) {
        Refuse(*error);
        return false;
    }
    after_ = before_;
    after_.name = name;
    after_.frequency = static_cast<std::uint32_t>(ParseDecimal(S(frequency_->text())));
    after_.polarization = SelectedIndex(polarization_);
    after_.symbolRate = static_cast<std::uint32_t>(ParseDecimal(S(symbolRate_->text())));
    after_.fec = SelectedIndex(fec_);
    after_.skew = SkewByte(static_cast<std::uint32_t>(ParseDecimal(S(skew_->text()))), skewSign_->currentIndex() == 1);
    after_.factoryDefault = factoryDefault_->isChecked() ? 1 : 0;
    if (store_.placement == Placement::Carrier)
        after_.switchBlock = ReadSwitchBlock(after_.switchBlock);
    return WriteOwnRecord(after_, "Error No: -4 \n Carrier Information Updated Process Failed");
}

}  // namespace velk::gui
