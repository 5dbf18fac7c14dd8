#include "image/multiple_image_dialog.h"

#include "image/image_fields.h"
#include "image/image_urt_commands.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

struct ImageTexts {
    const char* prefix;  // of the fields' object names
    const char* box;
    const char* fileLabel;
    const char* browseTip;
};
constexpr ImageTexts kImages[] = {
    {"app", "&Application", "Image file", "Open as Application Bin File"},
    {"res", "&Resource", "Image File", "Open as Resource Bin File"},
    {"sdb", "&Static Database", "Image File", "Open as SDB Bin File"},
};

// Named apart from the images' own "resStart" and "sdbEnd" fields.
struct RegionField {
    const char* name;
    const char* label;
    std::uint32_t MultipleImageForm::*value;
};
constexpr RegionField kRegionFields[] = {
    {"resourceRegionStart", "Resource Start Address [0x]", &MultipleImageForm::resStart},
    {"resourceRegionEnd", "Resource End Address [0x]", &MultipleImageForm::resEnd},
    {"sdbRegionStart", "SDB Start Address [0x]", &MultipleImageForm::sdbStart},
    {"sdbRegionEnd", "SDB End Address [0x]", &MultipleImageForm::sdbEnd},
    {"adbRegionStart", "ADB Start Address [0x]", &MultipleImageForm::adbStart},
    {"adbRegionEnd", "ADB End Address [0x]", &MultipleImageForm::adbEnd},
};

std::string Name(std::size_t image, const char* field) { return std::string(kImages[image].prefix) + field; }

// The field suffix that takes the focus for a failed check.
const char* FocusField(ImageField field)
{
    switch (field) {
    case ImageField::StartAddress: return "Start";
    case ImageField::EndAddress: return "End";
    case ImageField::DecompressStart: return "DecompressStart";
    default: return nullptr;
    }
}

}  // namespace

MultipleImageDialog::MultipleImageDialog(Ui& ui, const UrtSettings& settings, FieldMemory& memory, QWidget* parent)
    : QDialog(parent), ui_(ui), settings_(settings), memory_(memory)
{
    setWindowTitle("Multiple Image Details");
    const MultipleImageForm start = DefaultMultipleImageForm();
    auto* grid = new QGridLayout;
    grid->addWidget(BuildCommonBox(start), 0, 0);
    grid->addWidget(BuildRegionBox(start), 0, 1);
    grid->addWidget(BuildImageBox(0, start.images[0]), 1, 0);
    grid->addWidget(BuildImageBox(1, start.images[1]), 1, 1);
    grid->addWidget(BuildImageBox(2, start.images[2]), 2, 0);

    const UrtButtons buttons = MakeUrtButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.row);

    connect(buttons.urt, &QPushButton::clicked, this, &MultipleImageDialog::GenerateUrt);
    connect(buttons.close, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.settings, &QPushButton::clicked, this, &MultipleImageDialog::settingsRequested);
    RestoreFields(this, memory_);
    UpdateEnabling();
}

QLineEdit* MultipleImageDialog::AddHex(const std::string& name, int digits, std::uint32_t value)
{
    return hex_[name] = HexField(this, name.c_str(), digits, value, true);
}

std::uint32_t MultipleImageDialog::Hex(const std::string& name) const { return HexValue(hex_.at(name)); }

QWidget* MultipleImageDialog::BuildCommonBox(const MultipleImageForm& start)
{
    auto* box = new QGroupBox("Image header", this);
    loaderText_ = new QLineEdit(QString::fromStdString(start.loaderText), box);
    loaderText_->setObjectName("loaderText");
    loaderText_->setMaxLength(15);
    auto* form = new QFormLayout(box);
    form->addRow("Manufacture ID [0x]", AddHex("manufacturerId", 2, start.manufacturerId));
    form->addRow("Loader text", loaderText_);
    form->addRow(VersionGrid(box, AddHex("hwMajor", 2, start.hwMajor), AddHex("hwMinor", 2, start.hwMinor), AddHex("swMajor", 2, start.swMajor),
                             AddHex("swMinor", 2, start.swMinor)));
    return box;
}

QWidget* MultipleImageDialog::BuildImageBox(std::size_t index, const FlashImageEntry& start)
{
    const ImageTexts& t = kImages[index];
    auto* box = new QGroupBox(this);
    auto* present = new QCheckBox(t.box, box);
    present->setObjectName(QString::fromStdString(Name(index, "Present")));
    auto* fields = new QWidget(box);
    auto* file = FileField(fields, Name(index, "File").c_str());
    auto* browse = BrowseButton(fields, Name(index, "File").c_str(), "...", t.browseTip);
    connect(browse, &QPushButton::clicked, this, [this, file, tip = QString(t.browseTip)] {
        if (const auto chosen = ui_.ChooseOpenFile({tip.toStdString(), "Bin Files|*.bin", "bin", {}}))
            file->setText(QString::fromStdString(chosen->string()));
    });
    auto* compressed = new QCheckBox("Compressed Image", fields);
    compressed->setObjectName(QString::fromStdString(Name(index, "Compressed")));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout(fields);
    form->addRow(t.fileLabel, fileRow);
    form->addRow("SW Major ", AddHex(Name(index, "SwMajor"), 2, start.swMajor));
    form->addRow("SW Minor ", AddHex(Name(index, "SwMinor"), 2, start.swMinor));
    form->addRow("Start Address", AddHex(Name(index, "Start"), 8, start.startAddress));
    form->addRow("End Address", AddHex(Name(index, "End"), 8, start.endAddress));
    form->addRow(compressed);
    form->addRow("Decompress Start Address", AddHex(Name(index, "DecompressStart"), 8, start.decompressStart));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(present);
    layout->addWidget(fields);
    groups_[index] = {present, fields, file, compressed};
    connect(present, &QCheckBox::toggled, this, &MultipleImageDialog::UpdateEnabling);
    connect(compressed, &QCheckBox::toggled, this, &MultipleImageDialog::UpdateEnabling);
    return box;
}

QWidget* MultipleImageDialog::BuildRegionBox(const MultipleImageForm& start)
{
    auto* box = new QGroupBox("Regions", this);
    auto* form = new QFormLayout(box);
    for (const RegionField& f : kRegionFields)
        form->addRow(f.label, AddHex(f.name, 8, start.*f.value));
    return box;
}

void MultipleImageDialog::UpdateEnabling()
{
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        groups_[i].fields->setEnabled(groups_[i].present->isChecked());
        hex_.at(Name(i, "DecompressStart"))->setEnabled(groups_[i].compressed->isChecked());
    }
}

MultipleImageForm MultipleImageDialog::Form() const
{
    MultipleImageForm form = DefaultMultipleImageForm();
    form.manufacturerId = static_cast<std::uint8_t>(Hex("manufacturerId"));
    form.loaderText = loaderText_->text().toStdString();
    form.hwMajor = static_cast<std::uint8_t>(Hex("hwMajor"));
    form.hwMinor = static_cast<std::uint8_t>(Hex("hwMinor"));
    form.swMajor = static_cast<std::uint8_t>(Hex("swMajor"));
    form.swMinor = static_cast<std::uint8_t>(Hex("swMinor"));
    for (std::size_t i = 0; i < groups_.size(); ++i) {
        FlashImageEntry& e = form.images[i];
        e.present = groups_[i].present->isChecked();
        e.file = groups_[i].file->text().toStdString();
        e.swMajor = static_cast<std::uint8_t>(Hex(Name(i, "SwMajor")));
        e.swMinor = static_cast<std::uint8_t>(Hex(Name(i, "SwMinor")));
        e.startAddress = Hex(Name(i, "Start"));
        e.endAddress = Hex(Name(i, "End"));
        e.compressed = groups_[i].compressed->isChecked();
        e.decompressStart = e.compressed ? Hex(Name(i, "DecompressStart")) : 0;
    }
    for (const RegionField& f : kRegionFields)
        form.*f.value = Hex(f.name);
    return form;
}

void MultipleImageDialog::GenerateUrt()
{
    RememberFields(this, memory_);
    const UrtRunOutcome outcome = RunMultipleImageUrt(ui_, settings_, Form());
    if (!outcome.failure || !outcome.failure->image)
        return;
    const char* field = FocusField(outcome.failure->field);
    const auto it = field ? hex_.find(Name(static_cast<std::size_t>(*outcome.failure->image), field)) : hex_.end();
    if (it != hex_.end())
        it->second->setFocus(Qt::OtherFocusReason);
    else if (outcome.failure->field == ImageField::ImageFile)
        groups_[static_cast<std::size_t>(*outcome.failure->image)].file->setFocus(Qt::OtherFocusReason);
}

void MultipleImageDialog::done(int result)
{
    RememberFields(this, memory_);
    QDialog::done(result);
}

}  // namespace velk::gui
