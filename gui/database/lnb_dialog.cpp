#include "database/lnb_dialog.h"

#include "common/c_number.h"

namespace velk::gui {

LnbDialog::LnbDialog(WorkingStore& store, Ui& ui, std::uint32_t number, QWidget* parent)
    : RecordDialog(store, ui, number, "LNB Information", "Click to update LNB record.", parent)
{
    type_ = AddCombo("LNB Type", "lnbType", LnbTypeNames(store.productType));
    low_ = AddEdit("Low Frequency", "low", 10, Field::LowFrequency);
    high_ = AddEdit("High Frequency", "high", 10, Field::HighFrequency);
    power_ = AddCombo("Power Control", "power", PowerNames());
    if (store.placement == Placement::Lnb)
        AddSwitchBlock(false, store.productType == 2);
    connect(type_, &QComboBox::activated, this, &LnbDialog::TypeChosen);
}

bool LnbDialog::Load()
{
    const auto record = ReadOwnRecord<LnbRecord>("Error No: -5 \n Cann't Read LNB Info");
    if (!record)
        return false;
    record_ = *record;
    SelectIndex(type_, record_.Type());
    low_->setText(QString::number(record_.LowMhz()));
    high_->setText(QString::number(record_.HighMhz()));
    power_->setCurrentIndex(record_.PowerOn() ? 1 : 0);
    ShowSwitchBlock(record_.switchBlock);
    if (switch_.khz22)
        switch_.khz22->setEnabled(FrequenciesOfLnbType(store_.productType, record_.Type()).khz22Enabled);
    return true;
}

void LnbDialog::TypeChosen(int type)
{
    const auto preset = FrequenciesOfLnbType(store_.productType, static_cast<std::uint32_t>(type));
    low_->setText(QString::number(preset.lowMhz));
    high_->setText(QString::number(preset.highMhz));
    if (switch_.khz22)
        switch_.khz22->setEnabled(preset.khz22Enabled);
}

bool LnbDialog::Save()
{
    if (const auto error = CheckLnbFields({S(low_->text()), S(high_->text())})) {
        Refuse(*error);
        return false;
    }
    auto record = record_;
    record.SetType(SelectedIndex(type_));
    record.SetLowMhz(static_cast<std::uint32_t>(ParseDecimal(S(low_->text()))));
    record.SetHighMhz(static_cast<std::uint32_t>(ParseDecimal(S(high_->text()))));
    record.SetPower(power_->currentIndex() == 1);
    if (store_.placement == Placement::Lnb) {
        auto& sb = record.switchBlock;
        sb = ReadSwitchBlock(sb);
        if (store_.productType != 2) {
            // The short dialog derives the rest of the block from the DiSEqC 1.0 port.
            sb.diseqc11 = 16;
            sb.toneBurst = static_cast<std::uint8_t>(sb.diseqc10 % 2);
            sb.repeat = 0;
            sb.khz22 = 2;
        }
        sb.volt12 = 0;
    }
    return WriteOwnRecord(record, "Error No: -4 \n LNB Information Updated Process Faild");
}

}  // namespace velk::gui
