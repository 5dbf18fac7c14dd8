#include "image/compression_dialog.h"

#include "image/compress_image.h"
#include "image/image_fields.h"
#include "shell/background_task.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

constexpr int kDefaultLevelIndex = 5;  // "6"

FileChoice OpenBinChoice() { return {"Open Bin File", "Bin Files|*.bin", "bin", {}}; }
FileChoice SaveCompressedChoice() { return {"Save Compressed Bin File as", "Bin Files|*.bin", "bin", {}}; }

}  // namespace

CompressionDialog::CompressionDialog(Ui& ui, FieldMemory& memory, QWidget* parent)
    : QDialog(parent), ui_(ui), memory_(memory), input_(FileField(this, "input")),
      type_(ListField(this, "type", {"Zlib", "Bin2Cod"}, 0)), levelLabel_(new QLabel("Compression level", this)),
      level_(ListField(this, "level", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, kDefaultLevelIndex)),
      compress_(new QPushButton("Com&press", this))
{
    setWindowTitle("Compression");
    auto* browse = BrowseButton(this, "input", "Choose binary file", "Choose binary file");
    compress_->setObjectName("compress");
    compress_->setToolTip("Click to compress");
    compress_->setDefault(true);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("close");
    close->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Input file name", this), 0, 0);
    grid->addWidget(input_, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel("Compression type", this), 1, 0);
    grid->addWidget(type_, 1, 1);
    grid->addWidget(levelLabel_, 2, 0);
    grid->addWidget(level_, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(compress_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &CompressionDialog::Browse);
    connect(type_, &QComboBox::currentIndexChanged, this, &CompressionDialog::TypeChanged);
    connect(compress_, &QPushButton::clicked, this, &CompressionDialog::Compress);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    RestoreFields(this, memory_);
    TypeChanged(type_->currentIndex());
}

CompressionDialog::~CompressionDialog() = default;

void CompressionDialog::Browse()
{
    if (const auto chosen = ui_.ChooseOpenFile(OpenBinChoice()))
        input_->setText(QString::fromStdString(chosen->string()));
}

void CompressionDialog::TypeChanged(int index)
{
    const bool zlib = index == 0;
    level_->setEnabled(zlib);
    levelLabel_->setEnabled(zlib);
}

void CompressionDialog::Compress()
{
    if (task_)
        return;
    RememberFields(this, memory_);
    const std::filesystem::path input = input_->text().toStdString();
    if (!CheckCompressionInput(ui_, input))
        return;
    const auto output = ui_.ChooseSaveFile(SaveCompressedChoice());
    if (!output)
        return;
    const auto type = type_->currentIndex() == 1 ? CompressionType::Bin2Cod : CompressionType::Zlib;
    const int level = level_->currentIndex() + 1;
    task_ = std::make_unique<BackgroundTask>(ui_, this, "compressionProgress");
    connect(task_.get(), &BackgroundTask::finished, this, &CompressionDialog::Finished);
    compress_->setEnabled(false);
    task_->Start([input, output = *output, type, level](Ui& ui) { return CompressImageFile(ui, input, output, type, level); });
}

void CompressionDialog::Finished(int result)
{
    task_.release()->deleteLater();  // it is sending the signal we are in
    compress_->setEnabled(true);
    emit compressionFinished(result);
}

void CompressionDialog::done(int result)
{
    task_.reset();  // a running coder stops at its next step; closing waits for that only
    RememberFields(this, memory_);
    QDialog::done(result);
}

}  // namespace velk::gui
