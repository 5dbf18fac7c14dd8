#include "image/compression_dialog.h"

#include "image/compression_job.h"
#include "image/image_fields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
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
      compress_(new QPushButton("Com&press", this)), cancel_(new QPushButton("Cancel", this)), progress_(new QProgressBar(this))
{
    setWindowTitle("Compression");
    auto* browse = BrowseButton(this, "input", "Choose binary file", "Choose binary file");
    compress_->setObjectName("compress");
    compress_->setToolTip("Click to compress");
    compress_->setDefault(true);
    cancel_->setObjectName("cancel");
    cancel_->setAutoDefault(false);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("close");
    close->setAutoDefault(false);
    progress_->setObjectName("progress");
    progress_->setTextVisible(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Input file name", this), 0, 0);
    grid->addWidget(input_, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel("Compression type", this), 1, 0);
    grid->addWidget(type_, 1, 1);
    grid->addWidget(levelLabel_, 2, 0);
    grid->addWidget(level_, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancel_);
    buttons->addWidget(compress_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &CompressionDialog::Browse);
    connect(type_, &QComboBox::currentIndexChanged, this, &CompressionDialog::TypeChanged);
    connect(compress_, &QPushButton::clicked, this, &CompressionDialog::Compress);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (job_)
            job_->Cancel();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    RestoreFields(this, memory_);
    TypeChanged(type_->currentIndex());
    progress_->hide();
    cancel_->hide();
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
    if (job_)
        return;
    RememberFields(this, memory_);
    const std::filesystem::path input = input_->text().toStdString();
    if (!CheckCompressionInput(ui_, input))
        return;
    const auto output = ui_.ChooseSaveFile(SaveCompressedChoice());
    if (!output)
        return;
    job_ = std::make_unique<CompressionJob>();
    connect(job_.get(), &CompressionJob::progressed, this, [this](int value, int maximum) {
        progress_->setRange(0, maximum);
        progress_->setValue(value);
    });
    connect(job_.get(), &CompressionJob::finished, this, &CompressionDialog::Finished, Qt::QueuedConnection);
    compress_->setEnabled(false);
    progress_->setRange(0, 0);  // busy until the coder reports
    progress_->show();
    cancel_->show();
    job_->Start({input, *output, type_->currentIndex() == 1 ? CompressionType::Bin2Cod : CompressionType::Zlib,
                 level_->currentIndex() + 1});
}

void CompressionDialog::Finished(int result)
{
    if (!job_)
        return;  // cancelled by closing; its result is void
    const std::unique_ptr<CompressionJob> job = std::move(job_);
    progress_->hide();
    cancel_->hide();
    compress_->setEnabled(true);
    job->ShowMessages(ui_);
    emit compressionFinished(result);
}

void CompressionDialog::done(int result)
{
    job_.reset();  // a running coder stops at its next step; closing waits for that only
    RememberFields(this, memory_);
    QDialog::done(result);
}

}  // namespace velk::gui
