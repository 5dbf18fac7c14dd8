#include "image/single_image_dialog.h"

#include "image/image_fields.h"
#include "image/image_urt_commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velk::gui {
namespace {

QStringList DestinationNames()
{
    QStringList names;
    for (const DestinationMemory& d : kDestinationMemoryList)
        names << d.name;
    return names;
}

QStringList ImageTypeNames()
{
    QStringList names;
    for (const char* name : kImageTypeList)
        names << name;
    return names;
}

int DestinationIndex(std::uint16_t code)
{
    const auto it = std::ranges::find(kDestinationMemoryList, code, &DestinationMemory::code);
    return it == kDestinationMemoryList.end() ? 0 : static_cast<int>(it - kDestinationMemoryList.begin());
}

// The region fields: object name, label, and the value they give.
struct RegionField {
    const char* name;
    const char* label;
    std::uint32_t UrtImageParams::*value;
};
constexpr RegionField kRegionFields[] = {
    {"resStart", "RES Start Address", &UrtImageParams::resStart}, {"resEnd", "RES End Address", &UrtImageParams::resEnd},
    {"sdbStart", "SDB Start Address", &UrtImageParams::sdbStart}, {"sdbEnd", "SDB End Address", &UrtImageParams::sdbEnd},
    {"adbStart", "ADB Start Address", &UrtImageParams::adbStart}, {"adbEnd", "ADB End Address", &UrtImageParams::adbEnd},
};

}  // namespace

SingleImageDialog::SingleImageDialog(Mode mode, Ui& ui, const UrtSettings& settings, const UrtImageParams& start, FieldMemory& memory,
                                     QWidget* parent)
    : QDialog(parent), mode_(mode), ui_(ui), settings_(settings), memory_(memory), imageFile_(FileField(this, "imageFile")),
      destination_(ListField(this, "destination", DestinationNames(), DestinationIndex(start.destinationCode))),
      imageType_(ListField(this, "imageType", ImageTypeNames(), start.imageType)), loaderText_(new QLineEdit(this)),
      compressed_(new QCheckBox("Compressed Image", this))
{
    setWindowTitle(mode == Mode::Bin2Urt ? "BIN2URT" : "Single Image Details");
    loaderText_->setObjectName("loaderText");
    loaderText_->setMaxLength(15);
    compressed_->setObjectName("compressed");
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildImageBox());
    auto* right = new QVBoxLayout;
    right->addWidget(BuildVersionBox());
    right->addWidget(BuildRegionBox());
    columns->addLayout(right);

    const UrtButtons buttons = MakeUrtButtons(this);
    buttons.settings->setVisible(mode == Mode::SingleImage);  // BIN2URT generates with the upload configuration's
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons.row);

    connect(buttons.urt, &QPushButton::clicked, this, &SingleImageDialog::GenerateUrt);
    connect(buttons.close, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.settings, &QPushButton::clicked, this, &SingleImageDialog::settingsRequested);
    connect(compressed_, &QCheckBox::toggled, hex_.at("decompressStart"), &QWidget::setEnabled);
    Fill(start);
    RestoreFields(this, memory_);
    hex_.at("decompressStart")->setEnabled(compressed_->isChecked());
}

QLineEdit* SingleImageDialog::AddHex(const char* name, int digits, std::uint32_t value, bool filled)
{
    return hex_[name] = HexField(this, name, digits, value, filled);
}

QWidget* SingleImageDialog::BuildImageBox()
{
    auto* box = new QGroupBox("Image", this);
    auto* browse = BrowseButton(this, "imageFile", "...", "Open Bin File");
    connect(browse, &QPushButton::clicked, this, [this] {
        if (const auto chosen = ui_.ChooseOpenFile({"Open Bin File", "Bin Files|*.bin", "bin", {}}))
            imageFile_->setText(QString::fromStdString(chosen->string()));
    });
    auto* file = new QHBoxLayout;
    file->addWidget(imageFile_);
    file->addWidget(browse);
    auto* form = new QFormLayout(box);
    form->addRow("Binary File Name", file);
    form->addRow("Dest. Memory Type", destination_);
    form->addRow("Loader Text", loaderText_);
    form->addRow("Manufacture ID (0x)", AddHex("manufacturerId", 2, 0, false));
    form->addRow("Image Type", imageType_);
    form->addRow("Start Address", AddHex("startAddress", 8, 0, false));
    form->addRow("End Address", AddHex("endAddress", 8, 0, false));
    form->addRow(compressed_);
    form->addRow("Decompress Start Address", AddHex("decompressStart", 8, 0, false));
    return box;
}

QWidget* SingleImageDialog::BuildVersionBox()
{
    auto* box = new QGroupBox("Version", this);
    box->setLayout(VersionGrid(box, AddHex("hwMajor", 2, 0, false), AddHex("hwMinor", 2, 0, false), AddHex("swMajor", 2, 0, false),
                               AddHex("swMinor", 2, 0, false)));
    return box;
}

QWidget* SingleImageDialog::BuildRegionBox()
{
    auto* box = new QGroupBox("Regions", this);
    auto* form = new QFormLayout(box);
    for (const RegionField& f : kRegionFields)
        form->addRow(f.label, AddHex(f.name, 8, 0, false));
    return box;
}

void SingleImageDialog::Fill(const UrtImageParams& start)
{
    const auto set = [this](const char* name, std::uint32_t value) { hex_.at(name)->setText(QString::number(value, 16).toUpper()); };
    if (start.manufacturerId == 0 && start.startAddress == 0)
        return;  // nothing to start from: the fields stay empty
    loaderText_->setText(QString::fromStdString(start.loaderText));
    set("manufacturerId", start.manufacturerId);
    set("startAddress", start.startAddress);
    set("endAddress", start.endAddress);
    set("hwMajor", start.hwMajor);
    set("hwMinor", start.hwMinor);
    set("swMajor", start.swMajor);
    set("swMinor", start.swMinor);
    compressed_->setChecked(start.compressed);
    if (start.compressed)
        set("decompressStart", start.decompressStart);
}

SingleImageForm SingleImageDialog::Form() const
{
    const auto hex = [this](const char* name) { return HexValue(hex_.at(name)); };
    SingleImageForm form;
    form.imageFile = imageFile_->text().toStdString();
    UrtImageParams& p = form.params;
    p.imageType = static_cast<std::uint16_t>(imageType_->currentIndex());
    p.destinationCode = kDestinationMemoryList[static_cast<std::size_t>(destination_->currentIndex())].code;
    p.loaderText = loaderText_->text().toStdString();
    p.manufacturerId = static_cast<std::uint16_t>(hex("manufacturerId"));
    p.startAddress = hex("startAddress");
    p.endAddress = hex("endAddress");
    p.hwMajor = static_cast<std::uint16_t>(hex("hwMajor"));
    p.hwMinor = static_cast<std::uint16_t>(hex("hwMinor"));
    p.swMajor = static_cast<std::uint16_t>(hex("swMajor"));
    p.swMinor = static_cast<std::uint16_t>(hex("swMinor"));
    p.compressed = compressed_->isChecked();
    p.decompressStart = hex("decompressStart");
    for (const RegionField& f : kRegionFields)
        p.*f.value = hex(f.name);
    return form;
}

void SingleImageDialog::GenerateUrt()
{
    RememberFields(this, memory_);
    const SingleImageForm form = Form();
    const UrtRunOutcome outcome = mode_ == Mode::Bin2Urt ? RunBin2Urt(ui_, settings_, form) : RunSingleImageUrt(ui_, settings_, form);
    if (outcome.failure) {
        const std::map<ImageField, QWidget*> focus{
            {ImageField::LoaderText, loaderText_}, {ImageField::ManufacturerId, hex_.at("manufacturerId")},
            {ImageField::StartAddress, hex_.at("startAddress")}, {ImageField::EndAddress, hex_.at("endAddress")},
            {ImageField::ImageFile, imageFile_}, {ImageField::DecompressStart, hex_.at("decompressStart")}};
        if (const auto it = focus.find(outcome.failure->field); it != focus.end())
            it->second->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (outcome.attempted)
        accept();  // the dialog closes after a generation, whatever its result
}

void SingleImageDialog::done(int result)
{
    RememberFields(this, memory_);
    QDialog::done(result);
}

}  // namespace velk::gui
