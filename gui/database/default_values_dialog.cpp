#include "database/default_values_dialog.h"

#include "common/c_number.h"
#include "database/record_dialog.h"
#include "database/value_texts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velk::gui {

DefaultValuesDialog::DefaultValuesDialog(WorkingStore& store, Ui& ui, bool hex, QWidget* parent)
    : QDialog(parent), store_(store), ui_(ui), hex_(hex), tabs_(new QTabWidget(this))
{
    setWindowTitle("Default Values");
    tabs_->setObjectName("tabs");
    // Every tab title shows in full: the dialog is as wide as the tab row.
    tabs_->tabBar()->setUsesScrollButtons(false);
    tabs_->tabBar()->setElideMode(Qt::ElideNone);
    tabs_->addTab(LnbTab(), " LNB Information ");
    tabs_->addTab(SatelliteTab(), " Satellite Information ");
    tabs_->addTab(CarrierTab(), " Carrier Information ");
    tabs_->addTab(ServiceTab(), " Service Information ");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close, this);
    auto* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName("ok");
    ok->setToolTip("Click to set default values");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    Show(store.defaults);
}

QLineEdit* DefaultValuesDialog::Edit(QWidget* tab, const char* name, int maxLength, std::optional<Field> field)
{
    auto* edit = new QLineEdit(tab);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    if (field)
        fields_[*field] = edit;
    return edit;
}

QComboBox* DefaultValuesDialog::Combo(QWidget* tab, const char* name, const std::vector<std::string>& items)
{
    auto* combo = new QComboBox(tab);
    combo->setObjectName(name);
    FillCombo(combo, items);
    return combo;
}

QCheckBox* DefaultValuesDialog::Check(QWidget* tab, const char* name, const QString& text)
{
    auto* box = new QCheckBox(text, tab);
    box->setObjectName(name);
    return box;
}

QWidget* DefaultValuesDialog::LnbTab()
{
    auto* tab = new QWidget;
    auto* form = new QFormLayout(tab);
    form->addRow("LNB Type", lnbType_ = Combo(tab, "lnbType", LnbTypeNames(store_.productType)));
    form->addRow("Low Frequency", low_ = Edit(tab, "low", 10, Field::LowFrequency));
    form->addRow("High Frequency", high_ = Edit(tab, "high", 10, Field::HighFrequency));
    form->addRow("Power Control", power_ = Combo(tab, "power", PowerNames()));
    form->addRow("22 kHz", khz22_ = Combo(tab, "khz22", Khz22Names()));
    form->addRow("DiSEqC 1.0", diseqc10_ = Combo(tab, "diseqc10", Diseqc10Names(store_.productType)));
    form->addRow("DiSEqC 1.1", diseqc11_ = Combo(tab, "diseqc11", Diseqc11Names()));
    form->addRow("Tone Burst", toneBurst_ = Combo(tab, "toneBurst", ToneBurstNames()));
    form->addRow("Repeat Mode", repeat_ = Combo(tab, "repeat", RepeatNames()));
    connect(lnbType_, &QComboBox::activated, this, &DefaultValuesDialog::LnbTypeChosen);
    return tab;
}

QWidget* DefaultValuesDialog::SatelliteTab()
{
    auto* tab = new QWidget;
    auto* form = new QFormLayout(tab);
    form->addRow("LNB Index", satLnb_ = Combo(tab, "satLnb", LnbIndexNames(store_.lnbCount)));
    form->addRow("East / West", eastWest_ = Combo(tab, "eastWest", EastWestNames()));
    form->addRow("Satellite Angle", angle_ = Edit(tab, "angle", 5, Field::Angle));
    form->addRow("Satellite Position", position_ = Edit(tab, "position", 2, Field::Position));
    form->addRow({}, satFactory_ = Check(tab, "satFactoryDefault", "Factory Default"));
    return tab;
}

QWidget* DefaultValuesDialog::CarrierTab()
{
    auto* tab = new QWidget;
    auto* form = new QFormLayout(tab);
    form->addRow("Frequency", frequency_ = Edit(tab, "frequency", 5, Field::Frequency));
    form->addRow("Polarization", polarization_ = Combo(tab, "polarization", PolarizationNames()));
    form->addRow("Symbol Rate", symbolRate_ = Edit(tab, "symbolRate", 5, Field::SymbolRate));
    form->addRow("FEC", fec_ = Combo(tab, "fec", FecNames()));
    form->addRow("Skew sign", skewSign_ = Combo(tab, "skewSign", {"-", "+"}));
    form->addRow("Skew", skew_ = Edit(tab, "skew", 2, Field::Skew));
    form->addRow({}, carFactory_ = Check(tab, "carFactoryDefault", "Factory Default"));
    return tab;
}

QWidget* DefaultValuesDialog::ServiceTab()
{
    auto* tab = new QWidget;
    auto* form = new QFormLayout(tab);
    const QString radix = hex_ ? " [Hex]" : " [Dec]";
    form->addRow("Service Type", serviceType_ = Combo(tab, "serviceType", ServiceTypeNames()));
    form->addRow("Video PID" + radix, video_ = Edit(tab, "videoPid", 4, Field::VideoPid));
    form->addRow("Audio PID" + radix, audio_ = Edit(tab, "audioPid", 4, Field::AudioPid));
    form->addRow("PCR PID" + radix, pcr_ = Edit(tab, "pcrPid", 4, std::nullopt));
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const auto name = QString("group%1").arg(g + 1).toStdString();
        form->addRow({}, groups_[g] = Check(tab, name.c_str(), QString("Group %1").arg(g + 1)));
    }
    form->addRow({}, scramble_ = Check(tab, "scramble", "Scramble"));
    form->addRow({}, serviceFactory_ = Check(tab, "serviceFactoryDefault", "Factory Default"));
    connect(serviceType_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index == 1)
            video_->setText(Q(PidText(kNoPid, hex_)));
        video_->setEnabled(index != 1);
    });
    return tab;
}

void DefaultValuesDialog::LnbTypeChosen(int type)
{
    const auto preset = FrequenciesOfLnbType(store_.productType, static_cast<std::uint32_t>(type));
    low_->setText(QString::number(preset.lowMhz));
    high_->setText(QString::number(preset.highMhz));
    if (store_.productType == 2)
        khz22_->setEnabled(preset.khz22Enabled);
}

void DefaultValuesDialog::Show(const DefaultRecords& d)
{
    SelectIndex(lnbType_, d.lnb.Type());
    low_->setText(QString::number(d.lnb.LowMhz()));
    high_->setText(QString::number(d.lnb.HighMhz()));
    power_->setCurrentIndex(d.lnb.PowerOn() ? 1 : 0);
    SelectIndex(khz22_, d.switchBlock.khz22);
    SelectIndex(diseqc10_, d.switchBlock.diseqc10);
    SelectIndex(diseqc11_, d.switchBlock.diseqc11);
    SelectIndex(toneBurst_, d.switchBlock.toneBurst);
    SelectIndex(repeat_, d.switchBlock.repeat);

    SelectIndex(satLnb_, d.satellite.lnbIndex);
    SelectIndex(eastWest_, d.satellite.west);
    angle_->setText(Q(AngleText(d.satellite.angle)));
    position_->setText(QString::number(d.satellite.position));
    satFactory_->setChecked(d.satellite.factoryDefault == 1);

    frequency_->setText(QString::number(d.carrier.frequencyMhz));
    SelectIndex(polarization_, d.carrier.polarization);
    symbolRate_->setText(QString::number(d.carrier.symbolRateKs));
    SelectIndex(fec_, d.carrier.fec);
    skewSign_->setCurrentIndex(SkewIsPlus(d.carrier.skew) ? 1 : 0);
    skew_->setText(QString::number(SkewMagnitude(d.carrier.skew)));
    carFactory_->setChecked(d.carrier.factoryDefault == 1);

    serviceType_->setCurrentIndex(d.service.type == kServiceRadio ? 1 : 0);
    video_->setText(Q(PidText(d.service.videoPid, hex_)));
    video_->setEnabled(d.service.type != kServiceRadio);
    audio_->setText(Q(PidText(d.service.audioPid, hex_)));
    pcr_->setText(Q(PidText(d.service.pcrPid, hex_)));
    for (std::size_t g = 0; g < groups_.size(); ++g)
        groups_[g]->setChecked((d.service.favourites >> g) & 1);
    scramble_->setChecked(d.service.scrambled == 1);
    serviceFactory_->setChecked(d.service.factoryDefault == 1);
}

DefaultRecords DefaultValuesDialog::Read() const
{
    DefaultRecords d = store_.defaults;
    d.lnb.SetType(SelectedIndex(lnbType_));
    d.lnb.SetLowMhz(static_cast<std::uint32_t>(ParseDecimal(S(low_->text()))));
    d.lnb.SetHighMhz(static_cast<std::uint32_t>(ParseDecimal(S(high_->text()))));
    d.lnb.SetPower(power_->currentIndex() == 1);
    d.switchBlock.khz22 = SelectedIndex(khz22_);
    d.switchBlock.diseqc10 = SelectedIndex(diseqc10_);
    d.switchBlock.diseqc11 = SelectedIndex(diseqc11_);
    d.switchBlock.toneBurst = SelectedIndex(toneBurst_);
    d.switchBlock.repeat = SelectedIndex(repeat_);

    d.satellite.lnbIndex = SelectedIndex(satLnb_);
    d.satellite.west = SelectedIndex(eastWest_);
    d.satellite.angle = static_cast<std::int16_t>(AngleTenthsFromText(S(angle_->text())));
    d.satellite.position = static_cast<std::uint8_t>(ParseDecimal(S(position_->text())));
    d.satellite.factoryDefault = satFactory_->isChecked() ? 1 : 0;

    d.carrier.frequencyMhz = static_cast<std::uint32_t>(ParseDecimal(S(frequency_->text())));
    d.carrier.polarization = SelectedIndex(polarization_);
    d.carrier.symbolRateKs = static_cast<std::uint32_t>(ParseDecimal(S(symbolRate_->text())));
    d.carrier.fec = SelectedIndex(fec_);
    d.carrier.skew = SkewByte(static_cast<std::uint32_t>(ParseDecimal(S(skew_->text()))), skewSign_->currentIndex() == 1);
    d.carrier.factoryDefault = carFactory_->isChecked() ? 1 : 0;

    const bool radio = serviceType_->currentIndex() == 1;
    d.service.type = radio ? kServiceRadio : kServiceTv;
    d.service.videoPid = radio ? kNoPid : PidFromText(S(video_->text()), hex_);
    d.service.audioPid = PidFromText(S(audio_->text()), hex_);
    const auto pcr = PidFromText(S(pcr_->text()), hex_);
    d.service.pcrPid = pcr == 0 || pcr > kNoPid ? kNoPid : pcr;
    std::uint8_t favourites = 0;
    for (std::size_t g = 0; g < groups_.size(); ++g)
        favourites |= static_cast<std::uint8_t>(groups_[g]->isChecked() ? 1u << g : 0u);
    d.service.favourites = favourites;
    d.service.scrambled = scramble_->isChecked() ? 1 : 0;
    d.service.factoryDefault = serviceFactory_->isChecked() ? 1 : 0;
    return d;
}

void DefaultValuesDialog::accept()
{
    const DefaultValuesInput input{S(low_->text()), S(high_->text()), S(position_->text()), S(angle_->text()),
                                   S(frequency_->text()), S(symbolRate_->text()), S(skew_->text()), S(video_->text()),
                                   S(audio_->text()), serviceType_->currentIndex() == 1, hex_};
    if (const auto error = CheckDefaultValuesFields(input)) {
        ui_.Message(error->message, {}, error->icon, Buttons::Ok);
        if (auto* field = fields_.count(error->field) ? fields_[error->field] : nullptr) {
            tabs_->setCurrentWidget(field->parentWidget());
            field->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    store_.defaults = Read();
    QDialog::accept();
}

}  // namespace velk::gui
