#include "import/list_parse_job.h"

#include <QProgressDialog>
#include <QWidget>

#include <atomic>
#include <mutex>

namespace velk::gui {

// Forwards messages and file choices; keeps the progress for the GUI thread.
class ListParseJob::WorkerUi final : public Ui {
public:
    explicit WorkerUi(Ui& frame) : frame_(frame) {}

    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override
    {
        return frame_.Message(text, caption, icon, buttons);
    }
    void ProgressBegin(const std::string& title, std::uint32_t range) override
    {
        const std::lock_guard lock(mutex_);
        title_ = title;
        range_ = range;
        position_ = 0;
        shown_ = true;
    }
    void ProgressSet(std::uint32_t position) override { position_ = position; }
    void ProgressEnd() override { shown_ = false; }
    bool ProgressCancelled() override { return cancelled_; }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) override { return frame_.ChooseOpenFile(choice); }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) override { return frame_.ChooseSaveFile(choice); }

    struct State {
        bool shown;
        std::string title;
        std::uint32_t range;
        std::uint32_t position;
    };
    State Read() const
    {
        const std::lock_guard lock(mutex_);
        return {shown_, title_, range_, position_};
    }
    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }

private:
    Ui& frame_;
    mutable std::mutex mutex_;
    std::string title_;
    std::uint32_t range_ = 0;
    std::atomic<std::uint32_t> position_{0};
    std::atomic<bool> shown_{false};
    std::atomic<bool> cancelled_{false};
};

ListParseJob::ListParseJob(Ui& ui, std::filesystem::path workDir, std::filesystem::path list, QWidget* owner)
    : workerUi_(std::make_unique<WorkerUi>(ui)), owner_(owner)
{
    poll_.setInterval(50);
    connect(&poll_, &QTimer::timeout, this, &ListParseJob::ShowProgress);
    poll_.start();
    thread_ = std::thread([this, workDir = std::move(workDir), list = std::move(list)] {
        auto session = RunImportCommand(*workerUi_, workDir, list);
        QMetaObject::invokeMethod(
            this, [this, session = std::move(session)]() mutable {
                result_ = std::move(session);
                Finished();
            },
            Qt::QueuedConnection);
    });
}

ListParseJob::~ListParseJob()
{
    if (thread_.joinable())
        thread_.join();
    delete progress_;
}

bool ListParseJob::Cancelled() const { return workerUi_->Cancelled(); }

void ListParseJob::ShowProgress()
{
    const auto state = workerUi_->Read();
    if (!state.shown || Cancelled()) {
        if (progress_)
            progress_->hide();
        return;
    }
    if (!progress_) {
        progress_ = new QProgressDialog(owner_);
        progress_->setObjectName("parseProgress");
        progress_->setWindowModality(Qt::WindowModal);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        connect(progress_, &QProgressDialog::canceled, this, [this] { workerUi_->Cancel(); });
    }
    progress_->setLabelText(QString::fromStdString(state.title));
    progress_->setMaximum(static_cast<int>(state.range));
    progress_->setValue(static_cast<int>(state.position));
    progress_->show();
}

void ListParseJob::Finished()
{
    poll_.stop();
    if (thread_.joinable())
        thread_.join();
    delete progress_;
    if (Cancelled())
        result_.reset();
    emit done();
}

}  // namespace velk::gui
