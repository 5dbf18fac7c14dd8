#include "link/settings_dialog.h"

#include "link/line_settings.h"
#include "link/serial_port_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

QString Text(std::string_view v) { return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size())); }

QComboBox* List(QWidget* parent, const char* name, const QStringList& items, int current)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(current < box->count() ? current : 0);
    return box;
}

template <typename Table, typename ToText>
QStringList Texts(const Table& table, std::size_t count, ToText toText)
{
    QStringList texts;
    for (std::size_t i = 0; i < count && i < table.size(); ++i)
        texts << toText(table[i]);
    return texts;
}

QToolButton* Chooser(QWidget* parent, const char* name, const char* tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    button->setToolTip(tip);
    return button;
}

}  // namespace

SettingsDialog::SettingsDialog(const link::SettingsChoice& current, bool portLocked, Ui& ui, QWidget* parent)
    : QDialog(parent), ui_(ui)
{
    setObjectName("Settings");
    setWindowTitle("Settings");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(BuildPortGroup(current, portLocked));
    top->addWidget(BuildOptionsGroup(current));
    layout->addLayout(top);
    layout->addWidget(BuildFilesGroup(current));
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("&Ok", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ok");
    ok->setToolTip("Click to select current configuration");
    ok->setDefault(true);
    buttons->addButton("&Cancel", QDialogButtonBox::RejectRole)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QWidget* SettingsDialog::BuildPortGroup(const link::SettingsChoice& current, bool portLocked)
{
    auto* group = new QGroupBox("Port", this);
    auto* form = new QFormLayout(group);
    QStringList ports;
    for (const auto& path : link::ListSerialPorts())
        ports << QString::fromStdString(path);
    for (const auto name : link::kListedPorts)
        ports << Text(name);
    port_ = List(group, "port", ports, 0);
    port_->setEditable(true);  // any device path may be typed
    port_->setCurrentText(QString::fromStdString(current.port.port));
    port_->setMinimumContentsLength(24);
    // Rates beyond the listed ones stay when they come from the settings store.
    const std::size_t rates = std::max<std::size_t>(link::kListedBaudRates, current.port.baudRateIndex + 1u);
    baud_ = List(group, "baud", Texts(link::kBaudRates, rates, [](auto v) { return QString::number(v); }),
                 current.port.baudRateIndex);
    parity_ = List(group, "parity", Texts(link::kParityTexts, 5, Text), current.port.parityIndex);
    dataBits_ = List(group, "dataBits", Texts(link::kDataBits, 5, [](auto v) { return QString::number(v); }),
                     current.port.dataBitsIndex);
    stopBits_ = List(group, "stopBits", Texts(link::kStopBitsTexts, 3, Text), current.port.stopBitsIndex);
    form->addRow("Communication port", port_);
    form->addRow("Bits per second", baud_);
    form->addRow("Parity", parity_);
    form->addRow("Data bits", dataBits_);
    form->addRow("Stop bits", stopBits_);
    for (QWidget* w : {static_cast<QWidget*>(port_), static_cast<QWidget*>(baud_), static_cast<QWidget*>(parity_),
                       static_cast<QWidget*>(dataBits_), static_cast<QWidget*>(stopBits_)})
        w->setEnabled(!portLocked);
    return group;
}

QWidget* SettingsDialog::BuildOptionsGroup(const link::SettingsChoice& current)
{
    auto* group = new QGroupBox("Options", this);
    auto* form = new QFormLayout(group);
    pids_ = List(group, "pids", {"Decimal", "Hexadecimal"}, current.pidsDecimal ? 0 : 1);
    productType_ = List(group, "productType", {"Type 1", "Type 2", "Type 3"}, current.productType - 1);
    compressed_ = new QCheckBox("Compressed I&mage", group);
    compressed_->setObjectName("compressed");
    compressed_->setChecked(current.compressImage);
    compressionType_ = List(group, "compressionType", {"Zlib", "Bin2Cod"}, current.compressionType);
    QStringList levels;
    for (int level = 1; level <= 9; ++level)
        levels << QString::number(level);
    level_ = List(group, "level", levels, current.compressionLevel);
    form->addRow("PIDs values", pids_);
    form->addRow("Product type", productType_);
    form->addRow(compressed_);
    form->addRow("Compression Type", compressionType_);
    form->addRow("Level", level_);
    const auto enableCompression = [this](bool on) {
        compressionType_->setEnabled(on);
        level_->setEnabled(on);
    };
    enableCompression(current.compressImage);
    connect(compressed_, &QCheckBox::toggled, this, enableCompression);
    return group;
}

QWidget* SettingsDialog::BuildFilesGroup(const link::SettingsChoice& current)
{
    auto* group = new QGroupBox("Files", this);
    auto* form = new QFormLayout(group);
    const auto fileRow = [&](QLineEdit*& edit, const char* name, QToolButton* chooser, const std::filesystem::path& path) {
        edit = new QLineEdit(QString::fromStdString(path.string()), group);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setMinimumWidth(320);
        auto* row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(chooser);
        return row;
    };
    auto* chooseConfiguration = Chooser(group, "chooseConfiguration", "Choose configuration file");
    auto* chooseParser = Chooser(group, "chooseParser", "Choose parser file");
    form->addRow("Configuration file", fileRow(configurationFile_, "configurationFile", chooseConfiguration, current.configurationFile));
    configurationList_ = new QComboBox(group);
    configurationList_->setObjectName("configurationList");
    form->addRow("Configuration List", configurationList_);
    form->addRow("Parser file", fileRow(parserFile_, "parserFile", chooseParser, current.parserFile));
    connect(chooseConfiguration, &QToolButton::clicked, this, &SettingsDialog::ChooseConfigurationFile);
    connect(chooseParser, &QToolButton::clicked, this, &SettingsDialog::ChooseParserFile);
    if (!current.configurationFile.empty())
        FillConfigurationList(current.configurationFile);
    return group;
}

bool SettingsDialog::FillConfigurationList(const std::filesystem::path& file)
{
    const auto names = link::ConfigurationList(ui_, file);
    if (!names)
        return false;
    configurationList_->clear();
    for (const auto& name : *names)
        configurationList_->addItem(QString::fromStdString(name));
    configurationFile_->setText(QString::fromStdString(file.string()));
    return true;
}

void SettingsDialog::ChooseConfigurationFile()
{
    const auto file = ui_.ChooseOpenFile(FileChoice{"Open a Configuration File", "Velk Editor Configuration File ( *.ECF )|*.ecf", "ecf", {}});
    if (file)
        FillConfigurationList(*file);
}

void SettingsDialog::ChooseParserFile()
{
    const auto file = ui_.ChooseOpenFile(FileChoice{"Open a Parser Executable File", "Parser Executable File ( *.exe )|*.exe", "exe", {}});
    if (file)
        parserFile_->setText(QString::fromStdString(file->string()));
}

link::SettingsChoice SettingsDialog::Choice() const
{
    const auto index = [](const QComboBox* box) { return static_cast<std::uint8_t>(std::max(0, box->currentIndex())); };
    link::SettingsChoice c;
    c.port.port = port_->currentText().trimmed().toStdString();
    c.port.baudRateIndex = index(baud_);
    c.port.parityIndex = index(parity_);
    c.port.dataBitsIndex = index(dataBits_);
    c.port.stopBitsIndex = index(stopBits_);
    c.pidsDecimal = pids_->currentIndex() == 0;
    c.productType = static_cast<std::uint8_t>(index(productType_) + 1);
    c.compressImage = compressed_->isChecked();
    c.compressionType = index(compressionType_);
    c.compressionLevel = index(level_);
    c.configurationFile = configurationFile_->text().toStdString();
    if (configurationList_->currentIndex() >= 0)
        c.configurationEntry = static_cast<std::size_t>(configurationList_->currentIndex());
    c.parserFile = parserFile_->text().toStdString();
    return c;
}

}  // namespace velk::gui
