#include "link/user_settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

QString Text(std::string_view v) { return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size())); }

bool IsListField(link::FieldKind kind)
{
    return kind != link::FieldKind::Number && kind != link::FieldKind::LockCode && kind != link::FieldKind::Name;
}

}  // namespace

std::vector<UserSettingsDialog::Tab> UserSettingsDialog::LayoutOf(std::uint8_t productType)
{
    if (productType == 2)
        return {{"Time Setup", {"GMT usage", "Time zone sign", "Time zone"}},
                {"TV Setup", {"Screen mode", "TV mode", "SPDIF output", "VCR scart", "Video output", "UHF mode", "UHF channel"}},
                {"OSD Setup", {"Brightness", "Transparency", "OSD Timeout value", "Color Themes"}},
                {"Language Setup", {"Menu language", "Pref audio lang- I", "Pref audio lang- II", "Sub-Title language"}},
                {"Lock Setup", {"Parent lock", "User lock code"}},
                {"Favorites", {"Favorite group1", "Favorite group2", "Favorite group3", "Favorite group4"}}};
    return {{"Time", {"Timer Mode", "Summer Time", "Region Name", "GMT Offset sign", "GMT Offset Value"}},
            {"TV", {"Aspect Ratio", "Video Fmt [50MHz]", "Video Fmt [60MHz]", "Video Type", "AC3 Output Status",
                    "RF Mode Settings", "RF Channel No"}},
            {"OSD", {"OSD Timeout Value", "OSD Language", "Menu Slide Level", "Transparency (%)"}},
            {"Language", {"Pref Audio Lang I", "Pref Audio Lang II", "Pref Audio Lang III"}},
            {"Lock", {"User Lock Code", "Parent Lock", "Receiver Lock Status"}},
            {"Favorites", {}}};
}

UserSettingsDialog::UserSettingsDialog(link::UserSettings& record, std::uint8_t productType, std::uint32_t serviceCount, Ui& ui,
                                       QWidget* parent)
    : QDialog(parent), record_(record), productType_(productType), serviceCount_(serviceCount), ui_(ui),
      tabs_(new QTabWidget(this))
{
    setObjectName("UserSettings");
    setWindowTitle("User Settings");
    const auto texts = link::ReadUserSettings(record, productType);
    for (const auto& tab : LayoutOf(productType)) {
        auto* page = new QWidget(tabs_);
        auto* form = new QFormLayout(page);
        for (const auto key : tab.keys) {
            const auto* field = link::FindUserSetting(productType, key);
            auto* widget = MakeField(*field, texts.at(std::string(key)), page);
            // A sign and its value share one row under the value's label.
            if (key == "Time zone sign" || key == "GMT Offset sign") {
                auto* row = new QHBoxLayout;
                row->addWidget(widget);
                form->addRow(Text(field->label), row);
            } else if (key == "Time zone" || key == "GMT Offset Value") {
                static_cast<QHBoxLayout*>(form->itemAt(form->rowCount() - 1, QFormLayout::FieldRole)->layout())->addWidget(widget, 1);
            } else {
                form->addRow(Text(field->label), widget);
            }
        }
        if (productType != 2 && QString(tab.title) == "Language") {
            form->addRow("Sub - Title Lang", new QLabel("(For CI S/W only)", page));
            form->addRow("CAM Menu Timeout", new QLabel("(For CI S/W only)", page));
        }
        tabs_->addTab(page, tab.title);
    }
    if (productType != 2)
        tabs_->addTab(BuildColourTab(), "Color");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("&Ok", QDialogButtonBox::AcceptRole)->setObjectName("ok");
    buttons->addButton("&Close", QDialogButtonBox::RejectRole)->setObjectName("close");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
}

QWidget* UserSettingsDialog::MakeField(const link::SettingField& field, const std::string& text, QWidget* parent)
{
    QWidget* widget = nullptr;
    if (IsListField(field.kind)) {
        auto* box = new QComboBox(parent);
        for (const auto value : field.values)
            box->addItem(Text(value));
        box->setCurrentText(QString::fromStdString(text));
        widget = box;
    } else {
        auto* edit = new QLineEdit(QString::fromStdString(text), parent);
        if (field.kind == link::FieldKind::LockCode) {
            edit->setMaxLength(4);
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), edit));
        } else if (field.kind == link::FieldKind::Name) {
            edit->setMaxLength(static_cast<int>(field.length) - 1);
        } else {
            edit->setValidator(new QIntValidator(0, static_cast<int>(field.bits.Mask() + field.offset), edit));
        }
        widget = edit;
    }
    widget->setObjectName(Text(field.key));
    fields_.emplace(std::string(field.key), widget);
    return widget;
}

QWidget* UserSettingsDialog::BuildColourTab()
{
    auto* page = new QWidget(tabs_);
    auto* form = new QFormLayout(page);
    theme_ = new QComboBox(page);
    theme_->setObjectName("theme");
    theme_->addItems({"Basic", "Color1", "Color2"});
    theme_->setCurrentIndex(-1);
    form->addRow("Color Themes", theme_);
    for (const char* name : {"Red", "Green", "Blue"}) {
        auto* spin = new QSpinBox(page);
        spin->setObjectName(name);
        spin->setRange(0, 255);
        connect(spin, &QSpinBox::valueChanged, this, [this, spin] {
            coloursTakenUp_ = true;
            if (theme_->currentIndex() < 0) {
                const QSignalBlocker block(spin);
                spin->setValue(0);
                ShowInfo(ui_, link::kThemeMessage);
            }
        });
        form->addRow(name, spin);
    }
    return page;
}

QWidget* UserSettingsDialog::Field(std::string_view key) const
{
    const auto it = fields_.find(key);
    return it == fields_.end() ? nullptr : it->second;
}

link::SettingTexts UserSettingsDialog::Texts() const
{
    link::SettingTexts texts;
    for (const auto& [key, widget] : fields_) {
        if (auto* box = qobject_cast<QComboBox*>(widget))
            texts[key] = box->currentText().toStdString();
        else
            texts[key] = static_cast<QLineEdit*>(widget)->text().toStdString();
    }
    return texts;
}

void UserSettingsDialog::accept()
{
    const auto texts = Texts();
    if (const auto refusal = link::CheckUserSettings(productType_, texts)) {
        ui_.Message(refusal->message, {}, Icon::Information, Buttons::Ok);
        if (auto* widget = Field(refusal->key)) {
            tabs_->setCurrentWidget(widget->parentWidget());
            widget->setFocus();
        }
        return;
    }
    if (productType_ != 2 && !coloursTakenUp_ && AskYesNo(ui_, link::kColourQuestion)) {
        // Yes leads to the "Color" tab; the record is packed on the next "&Ok".
        coloursTakenUp_ = true;
        tabs_->setCurrentIndex(tabs_->count() - 1);
        return;
    }
    if (!link::AcceptUserSettings(record_, productType_, texts, serviceCount_))
        return;
    QDialog::accept();
}

}  // namespace velk::gui
