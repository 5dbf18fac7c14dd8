#pragma once
// The modal "Upload" dialog of the transfer commands: a picture, the status
// line ("Wait..." and the exchange's texts), a progress bar and Cancel. The
// transfer runs on a TransferWorker; the dialog closes when it has ended.
#include "link/transfer_worker.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velk::gui {

class UploadDialog final : public QDialog {
    Q_OBJECT
public:
    UploadDialog(const QString& title, Ui& ui, QWidget* parent);

    // Starts the job and shows the dialog until the transfer has ended.
    // Nullopt when the thread could not be started.
    std::optional<int> Run(TransferWorker::Job job);

protected:
    void reject() override;

private:
    void Cancel();
    void Ended(int result);

    TransferWorker* worker_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    int result_ = 0;
    bool ended_ = false;
};

}  // namespace velk::gui
