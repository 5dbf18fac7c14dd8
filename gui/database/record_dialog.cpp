#include "database/record_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

void FillCombo(QComboBox* combo, const TextList& items)
{
    combo->clear();
    for (const auto& item : items)
        combo->addItem(Q(item));
}

void SelectIndex(QComboBox* combo, std::uint32_t index)
{
    combo->setCurrentIndex(index < static_cast<std::uint32_t>(combo->count()) ? static_cast<int>(index) : -1);
}

std::uint8_t SelectedIndex(const QComboBox* combo)
{
    return static_cast<std::uint8_t>(std::max(combo->currentIndex(), 0));
}

RecordDialog::RecordDialog(const WorkingStore& store, Ui& ui, const QString& title, const QString& okTip, QWidget* parent)
    : QDialog(parent), store_(store), ui_(ui), form_(new QFormLayout),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close))
{
    setWindowTitle(title);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(buttons_);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons_->button(QDialogButtonBox::Ok)->setToolTip(okTip);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void RecordDialog::accept()
{
    if (Collect())
        QDialog::accept();
}

void RecordDialog::Refuse(const FieldError& error)
{
    ui_.Message(error.message, {}, error.icon, Buttons::Ok);
    if (auto* widget = fields_.count(error.field) ? fields_[error.field] : nullptr) {
        widget->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && error.icon == Icon::Warning)
            edit->selectAll();
    }
}

QLineEdit* RecordDialog::AddEdit(const QString& label, const char* name, int maxLength, std::optional<Field> field)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    AddRow(label, edit);
    if (field)
        fields_[*field] = edit;
    return edit;
}

QComboBox* RecordDialog::AddCombo(const QString& label, const char* name, const TextList& items)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    FillCombo(combo, items);
    AddRow(label, combo);
    return combo;
}

void RecordDialog::AddRow(const QString& label, QWidget* widget)
{
    form_->addRow(label, widget);
}

void RecordDialog::AddSwitchBlock(bool withVolt12, bool full)
{
    if (withVolt12)
        switch_.volt12 = AddCombo("0/12 V", "volt12", Volt12Names());
    switch_.diseqc10 = AddCombo("DiSEqC 1.0", "diseqc10", Diseqc10Names(store_.productType));
    if (!full)
        return;
    switch_.diseqc11 = AddCombo("DiSEqC 1.1", "diseqc11", Diseqc11Names());
    switch_.toneBurst = AddCombo("Tone Burst", "toneBurst", ToneBurstNames());
    switch_.repeat = AddCombo("Repeat Mode", "repeat", RepeatNames());
    switch_.khz22 = AddCombo("22 kHz", "khz22", Khz22Names());
}

void RecordDialog::ShowSwitchBlock(const SwitchBlock& sb)
{
    const std::pair<QComboBox*, std::uint8_t> pairs[] = {{switch_.volt12, sb.volt12}, {switch_.diseqc10, sb.diseqc10},
        {switch_.diseqc11, sb.diseqc11}, {switch_.toneBurst, sb.toneBurst}, {switch_.repeat, sb.repeat}, {switch_.khz22, sb.khz22}};
    for (const auto& [combo, value] : pairs)
        if (combo)
            SelectIndex(combo, value);
}

SwitchBlock RecordDialog::ReadSwitchBlock(SwitchBlock sb) const
{
    const std::pair<QComboBox*, std::uint8_t*> pairs[] = {{switch_.volt12, &sb.volt12}, {switch_.diseqc10, &sb.diseqc10},
        {switch_.diseqc11, &sb.diseqc11}, {switch_.toneBurst, &sb.toneBurst}, {switch_.repeat, &sb.repeat}, {switch_.khz22, &sb.khz22}};
    for (const auto& [combo, value] : pairs)
        if (combo)
            *value = SelectedIndex(combo);
    return sb;
}

}  // namespace velk::gui
