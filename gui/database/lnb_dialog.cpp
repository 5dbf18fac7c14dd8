#include "database/lnb_dialog.h"

#include "common/c_number.h"

namespace velk::gui {

LnbDialog::LnbDialog(const WorkingStore& store, Ui& ui, const LnbRecord& record, QWidget* parent)
    : RecordDialog(store, ui, "LNB Information", "Click to update LNB record.", parent), record_(record)
{
    type_ = AddCombo("LNB Type", "lnbType", LnbTypeNames(store.productType));
    low_ = AddEdit("Low Frequency", "low", 10, Field::LowFrequency);
    high_ = AddEdit("High Frequency", "high", 10, Field::HighFrequency);
    power_ = AddCombo("Power Control", "power", PowerNames());
    if (store.placement == Placement::Lnb)
        AddSwitchBlock(false, store.productType == 2);
    connect(type_, &QComboBox::activated, this, &LnbDialog::TypeChosen);
    SelectIndex(type_, record_.Type());
    low_->setText(QString::number(record_.LowMhz()));
    high_->setText(QString::number(record_.HighMhz()));
    power_->setCurrentIndex(record_.PowerOn() ? 1 : 0);
    ShowSwitchBlock(record_.switchBlock);
    if (switch_.khz22)
        switch_.khz22->setEnabled(FrequenciesOfLnbType(store_.productType, record_.Type()).khz22Enabled);
}

void LnbDialog::TypeChosen(int type)
{
    const auto preset = FrequenciesOfLnbType(store_.productType, static_cast<std::uint32_t>(type));
    low_->setText(QString::number(preset.lowMhz));
    high_->setText(QString::number(preset.highMhz));
    if (switch_.khz22)
        switch_.khz22->setEnabled(preset.khz22Enabled);
}

bool LnbDialog::Collect()
{
    if (const auto error = CheckLnbFields({S(low_->text()), S(high_->text())})) {
        Refuse(*error);
        return false;
    }
    record_.SetType(SelectedIndex(type_));
    record_.SetLowMhz(static_cast<std::uint32_t>(ParseDecimal(S(low_->text()))));
    record_.SetHighMhz(static_cast<std::uint32_t>(ParseDecimal(S(high_->text()))));
    record_.SetPower(power_->currentIndex() == 1);
    record_.switchBlock = ReadSwitchBlock(record_.switchBlock);
    return true;
}

}  // namespace velk::gui
