#pragma once
// Core work on a worker thread behind one cancellable progress dialog. The work
// runs against a Ui that never waits for the GUI thread for its progress: the
// progress is kept in the task and a GUI timer shows it; Cancel is a flag the
// core asks through ProgressCancelled. Messages and file choices go to the
// frame's Ui, which carries them over to the GUI thread. The dialog shows once
// the work has run for a second; until the work ends the user's input reaches
// only the dialog and the windows the work opens, so nothing else starts or
// reads what the work is changing.
#include "common/ui.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <thread>

class QProgressDialog;
class QWidget;

namespace velk::gui {

class BackgroundTask : public QObject {
    Q_OBJECT
public:
    using Work = std::function<int(Ui&)>;
    // How long the work runs before its dialog shows.
    static constexpr int kShowAfterMs = 1000;

    // `frameUi` answers the work's messages and file choices; the dialog is modal over `owner`.
    BackgroundTask(Ui& frameUi, QWidget* owner, QString dialogName = "taskProgress");
    ~BackgroundTask() override;  // cancels and waits for the worker

    // Runs `work` once; `finished` follows on the GUI thread.
    void Start(Work work);
    void Cancel();
    bool Cancelled() const;
    bool Running() const { return worker_.joinable(); }
    QProgressDialog* Dialog() const;

    // Runs `work` to its end while the GUI thread keeps serving events: its
    // result, or nullopt when the user cancelled it.
    static std::optional<int> Run(Ui& frameUi, QWidget* owner, Work work);

signals:
    void finished(int result);
    // The core's progress as the timer last saw it (maximum 0 while unknown).
    void progressed(int value, int maximum);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class WorkerUi;
    void Poll();
    // Shows the dialog once the work has run for a second, unless a message is up.
    void ShowDialog();
    void HideDialog();
    void Finished(int result);

    std::unique_ptr<WorkerUi> workerUi_;
    QPointer<QWidget> owner_;
    QPointer<QWidget> modalBefore_;
    QPointer<QProgressDialog> dialog_;
    QTimer poll_;
    QTimer showTimer_;
    int shownValue_ = -1, shownMaximum_ = -1;
    std::jthread worker_;  // last: joined before the rest goes
};

}  // namespace velk::gui
