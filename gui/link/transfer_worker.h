#pragma once
// Runs one long job of the link windows on a thread of its own: a serial
// transfer, or the console's preparation of an upload. The thread reports to
// the window only through queued signals, so it never waits for the GUI thread
// and the destructor may join it; Cancel raises a flag that the job sees
// through its Ui (a transfer closes the port itself before it ends).
#include "common/ui.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace velk::gui {

class TransferWorker final : public QObject {
    Q_OBJECT
public:
    // Reports the dialog's status line and title from the transfer thread.
    struct Reporter {
        std::function<void(const std::string&)> status;
        std::function<void(const std::string&)> title;
    };
    // The transfer: runs on the worker thread with a Ui that never blocks it.
    using Job = std::function<int(Ui& ui, const Reporter& report)>;

    // Messages of the transfer are shown through `ui` on the GUI thread, later.
    explicit TransferWorker(Ui& ui, QObject* parent = nullptr);
    ~TransferWorker() override;

    // False when the thread could not be started.
    bool Start(Job job);
    void Cancel() { cancel_.store(true); }
    bool Cancelled() const { return cancel_.load(); }
    bool Running() const { return running_.load(); }

signals:
    void rangeChanged(int range);
    void progressed(int position);
    void statusChanged(const QString& text);
    void titleChanged(const QString& text);
    // The job's result, once the thread has closed the port.
    void finished(int result);

private:
    class ThreadUi;
    void Run(const Job& job);

    Ui& ui_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};
    std::jthread thread_;
};

}  // namespace velk::gui
