#include "link/transfer_worker.h"

#include <QCoreApplication>
#include <QPointer>

#include <system_error>

namespace velk::gui {

// The Ui the job's thread sees: progress goes out as queued signals, a
// message is handed to the GUI thread without waiting for its answer (the
// jobs only report, they ask nothing), and cancel is the worker's flag.
class TransferWorker::ThreadUi final : public Ui {
public:
    explicit ThreadUi(TransferWorker& worker) : worker_(worker) {}

    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override
    {
        QPointer<TransferWorker> worker(&worker_);
        QMetaObject::invokeMethod(
            qApp, [worker, text, caption, icon, buttons] {
                if (worker)
                    worker->ui_.Message(text, caption, icon, buttons);
            },
            Qt::QueuedConnection);
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    void ProgressBegin(const std::string&, std::uint32_t range) override { emit worker_.rangeChanged(static_cast<int>(range)); }
    void ProgressSet(std::uint32_t position) override { emit worker_.progressed(static_cast<int>(position)); }
    void ProgressEnd() override {}
    bool ProgressCancelled() override { return worker_.cancel_.load(); }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }

private:
    TransferWorker& worker_;
};

TransferWorker::TransferWorker(Ui& ui, QObject* parent) : QObject(parent), ui_(ui) {}

TransferWorker::~TransferWorker()
{
    Cancel();
    if (thread_.joinable())
        thread_.join();
}

bool TransferWorker::Start(Job job)
{
    if (thread_.joinable())
        return false;
    cancel_.store(false);
    running_.store(true);
    try {
        thread_ = std::jthread([this, job = std::move(job)] { Run(job); });
    } catch (const std::system_error&) {
        running_.store(false);
        return false;
    }
    return true;
}

void TransferWorker::Run(const Job& job)
{
    ThreadUi ui(*this);
    const Reporter report{
        [this](const std::string& text) { emit statusChanged(QString::fromStdString(text)); },
        [this](const std::string& text) { emit titleChanged(QString::fromStdString(text)); },
    };
    const int result = job(ui, report);
    running_.store(false);
    emit finished(result);
}

}  // namespace velk::gui
