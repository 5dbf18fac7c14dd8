#include "shell/background_task.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace velk::gui {

// Keeps the progress for the GUI timer, answers Cancel from a flag and passes
// messages and file choices on to the frame's Ui. The progress dialog steps
// aside for a message and comes back once the work moves on after it.
class BackgroundTask::WorkerUi final : public Ui {
public:
    WorkerUi(Ui& frame, BackgroundTask& task) : frame_(frame), task_(task) {}

    Answer Message(const std::string& text, const std::string& caption, Icon icon, Buttons buttons) override
    {
        ++asking_;
        QMetaObject::invokeMethod(&task_, [task = &task_] { task->HideDialog(); }, Qt::QueuedConnection);
        const auto answer = frame_.Message(text, caption, icon, buttons);
        resumeAfter_ = position_.load();
        --asking_;
        return answer;
    }
    // A message is up, or the work has not moved on since the last one.
    bool Quiet() const { return asking_ > 0 || resumeAfter_ == position_.load(); }
    void ProgressBegin(const std::string& title, std::uint32_t range) override
    {
        const std::lock_guard lock(mutex_);
        title_ = title;
        range_ = range;
        position_ = 0;
    }
    void ProgressSet(std::uint32_t position) override { position_ = position; }
    void ProgressEnd() override {}
    bool ProgressCancelled() override { return cancelled_; }
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice& choice) override { return frame_.ChooseOpenFile(choice); }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice& choice) override { return frame_.ChooseSaveFile(choice); }
    std::optional<std::filesystem::path> ChooseFolder(const std::string& title, const std::filesystem::path& initial) override
    {
        return frame_.ChooseFolder(title, initial);
    }

    struct State {
        std::string title;
        std::uint32_t range;
        std::uint32_t position;
    };
    State Read() const
    {
        const std::lock_guard lock(mutex_);
        return {title_, range_, position_};
    }
    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }

private:
    Ui& frame_;
    mutable std::mutex mutex_;
    std::string title_;
    std::uint32_t range_ = 0;
    std::atomic<std::uint32_t> position_{0};
    std::atomic<bool> cancelled_{false};
    std::atomic<int> asking_{0};
    std::atomic<std::int64_t> resumeAfter_{-1};
    BackgroundTask& task_;
};

BackgroundTask::BackgroundTask(Ui& frameUi, QWidget* owner, QString dialogName)
    : workerUi_(std::make_unique<WorkerUi>(frameUi, *this)), owner_(owner)
{
    dialog_ = new QProgressDialog(owner);
    dialog_->setObjectName(dialogName);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->reset();  // shown by the task's own timer, not by the dialog's estimate
    dialog_->hide();
    connect(dialog_, &QProgressDialog::canceled, this, &BackgroundTask::Cancel);
    poll_.setInterval(50);
    connect(&poll_, &QTimer::timeout, this, &BackgroundTask::Poll);
    showTimer_.setSingleShot(true);
    showTimer_.setInterval(kShowAfterMs);
    connect(&showTimer_, &QTimer::timeout, this, &BackgroundTask::ShowDialog);
}

BackgroundTask::~BackgroundTask()
{
    workerUi_->Cancel();
    if (worker_.joinable())
        worker_.join();
    qApp->removeEventFilter(this);
    delete dialog_;
}

void BackgroundTask::Start(Work work)
{
    if (Running())
        return;
    modalBefore_ = QApplication::activeModalWidget();
    qApp->installEventFilter(this);
    poll_.start();
    showTimer_.start();
    worker_ = std::jthread([this, work = std::move(work)] {
        const int result = work(*workerUi_);
        QMetaObject::invokeMethod(this, [this, result] { Finished(result); }, Qt::QueuedConnection);
    });
}

void BackgroundTask::Cancel()
{
    workerUi_->Cancel();
    if (dialog_)
        dialog_->setLabelText(tr("Cancelling..."));
}

bool BackgroundTask::Cancelled() const { return workerUi_->Cancelled(); }

QProgressDialog* BackgroundTask::Dialog() const { return dialog_; }

void BackgroundTask::Poll()
{
    ShowDialog();
    const auto state = workerUi_->Read();
    const int maximum = static_cast<int>(state.range);
    const int value = static_cast<int>(std::min(state.position, state.range));
    if (value == shownValue_ && maximum == shownMaximum_)
        return;
    shownValue_ = value;
    shownMaximum_ = maximum;
    emit progressed(value, maximum);
    if (!dialog_ || Cancelled())
        return;
    if (!state.title.empty())
        dialog_->setLabelText(QString::fromStdString(state.title));
    dialog_->setMaximum(maximum);
    dialog_->setValue(value);
}

void BackgroundTask::ShowDialog()
{
    if (dialog_ && !showTimer_.isActive() && !Cancelled() && !workerUi_->Quiet() && !dialog_->isVisible())
        dialog_->show();
}

void BackgroundTask::HideDialog()
{
    if (dialog_)
        dialog_->hide();
}

void BackgroundTask::Finished(int result)
{
    poll_.stop();
    showTimer_.stop();
    if (worker_.joinable())
        worker_.join();
    qApp->removeEventFilter(this);
    if (dialog_)
        dialog_->hide();
    emit finished(result);
}

// Input goes only to the progress dialog and to windows the work opened.
bool BackgroundTask::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::Close: break;
    default: return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || QApplication::activePopupWidget())
        return false;  // a popup opens only from a window that takes input
    auto* window = widget->window();
    auto* modal = QApplication::activeModalWidget();
    const bool openedByWork = modal && modal != modalBefore_ && modal != owner_;
    if (window == dialog_ || (openedByWork && window == modal))
        return false;
    if (event->type() == QEvent::Close)
        event->ignore();
    else if (event->type() == QEvent::ShortcutOverride)
        event->accept();  // an accepted override keeps the window's shortcuts from firing
    return true;
}

std::optional<int> BackgroundTask::Run(Ui& frameUi, QWidget* owner, Work work)
{
    BackgroundTask task(frameUi, owner);
    QEventLoop loop;
    int result = 0;
    connect(&task, &BackgroundTask::finished, &loop, [&](int value) {
        result = value;
        loop.quit();
    });
    task.Start(std::move(work));
    loop.exec();
    if (task.Cancelled())
        return std::nullopt;
    return result;
}

}  // namespace velk::gui
