#pragma once
// The parse of a channel list on a worker thread. Messages and questions of
// the import front go to the frame's UI port (which carries them over to the
// GUI thread); the progress is kept in the job and shown by a progress dialog
// that the GUI thread refreshes, so the parse never waits for the window.
// Cancel hides the progress; the worker ends on its own (its work is bounded
// by the list) and its result is thrown away.
#include "common/ui.h"
#include "import/import_command.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

class QProgressDialog;
class QWidget;

namespace velk::gui {

class ListParseJob : public QObject {
    Q_OBJECT
public:
    ListParseJob(Ui& ui, std::filesystem::path workDir, std::filesystem::path list, QWidget* owner);
    ~ListParseJob() override;  // waits for the worker

    // The staged list once `done` came, unless the import ended after a message or was cancelled.
    std::optional<ImportSession> TakeResult() { return std::move(result_); }
    bool Cancelled() const;

signals:
    // Sent on the GUI thread when the worker has ended.
    void done();

private:
    class WorkerUi;
    void ShowProgress();
    void Finished();

    std::unique_ptr<WorkerUi> workerUi_;
    QPointer<QWidget> owner_;
    QPointer<QProgressDialog> progress_;
    QTimer poll_;
    std::optional<ImportSession> result_;
    std::thread thread_;
};

}  // namespace velk::gui
