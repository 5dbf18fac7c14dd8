#include "database/carrier_dialog.h"

#include "common/c_number.h"
#include "database/name_text.h"

namespace velk::gui {

CarrierDialog::CarrierDialog(const WorkingStore& store, Ui& ui, const CarrierRecord& record, QWidget* parent)
    : RecordDialog(store, ui, "Carrier Information", QString(), parent), record_(record)
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
    name_->setText(NameToQString(record_.name.Text()));
    frequency_->setText(QString::number(record_.frequencyMhz));
    SelectIndex(polarization_, record_.polarization);
    symbolRate_->setText(QString::number(record_.symbolRateKs));
    SelectIndex(fec_, record_.fec);
    skewSign_->setCurrentIndex(SkewIsPlus(record_.skew) ? 1 : 0);
    skew_->setText(QString::number(SkewMagnitude(record_.skew)));
    factoryDefault_->setChecked(record_.factoryDefault == 1);
    ShowSwitchBlock(record_.switchBlock);
}

bool CarrierDialog::Collect()
{
    const auto name = NameFromQString(name_->text(), ui_);
    if (const auto error = CheckCarrierFields({name, S(frequency_->text()), S(symbolRate_->text()), S(skew_->text())})) {
        Refuse(*error);
        return false;
    }
    record_.name = name;
    record_.frequencyMhz = static_cast<std::uint32_t>(ParseDecimal(S(frequency_->text())));
    record_.polarization = SelectedIndex(polarization_);
    record_.symbolRateKs = static_cast<std::uint32_t>(ParseDecimal(S(symbolRate_->text())));
    record_.fec = SelectedIndex(fec_);
    record_.skew = SkewByte(static_cast<std::uint32_t>(ParseDecimal(S(skew_->text()))), skewSign_->currentIndex() == 1);
    record_.factoryDefault = factoryDefault_->isChecked() ? 1 : 0;
    if (store_.placement == Placement::Carrier)
        record_.switchBlock = ReadSwitchBlock(record_.switchBlock);
    return true;
}

}  // namespace velk::gui
