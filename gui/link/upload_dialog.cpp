#include "link/upload_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace velk::gui {

UploadDialog::UploadDialog(const QString& title, Ui& ui, QWidget* parent)
    : QDialog(parent), worker_(new TransferWorker(ui, this)), status_(new QLabel("Wait...", this)),
      progress_(new QProgressBar(this)), cancel_(new QPushButton("Cancel", this))
{
    setObjectName("Upload");
    setWindowTitle(title);
    setModal(true);
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(48, 48));
    status_->setObjectName("status");
    status_->setMinimumWidth(320);
    status_->setWordWrap(true);
    progress_->setObjectName("progress");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    cancel_->setObjectName("cancel");

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(status_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(progress_);
    layout->addLayout(buttons);

    connect(cancel_, &QPushButton::clicked, this, &UploadDialog::Cancel);
    connect(worker_, &TransferWorker::rangeChanged, progress_, [this](int range) {
        progress_->setRange(0, range > 0 ? range : 1);
        progress_->setValue(0);
    });
    connect(worker_, &TransferWorker::progressed, progress_, &QProgressBar::setValue);
    connect(worker_, &TransferWorker::statusChanged, status_, &QLabel::setText);
    connect(worker_, &TransferWorker::titleChanged, this, &QWidget::setWindowTitle);
    connect(worker_, &TransferWorker::finished, this, &UploadDialog::Ended);
}

std::optional<int> UploadDialog::Run(TransferWorker::Job job)
{
    if (!worker_->Start(std::move(job)))
        return std::nullopt;
    exec();
    return result_;
}

void UploadDialog::Cancel()
{
    if (ended_) {
        accept();
        return;
    }
    // The transfer thread closes the port and then reports its end.
    cancel_->setEnabled(false);
    worker_->Cancel();
}

void UploadDialog::reject()
{
    // Esc and the close box cancel like the button; the dialog stays until the port is closed.
    Cancel();
}

void UploadDialog::Ended(int result)
{
    result_ = result;
    ended_ = true;
    cancel_->setText("&Close");
    cancel_->setEnabled(true);
    accept();
}

}  // namespace velk::gui
