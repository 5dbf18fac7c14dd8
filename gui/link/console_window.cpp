#include "link/console_window.h"

#include "link/line_settings.h"
#include "link/upload_errors.h"
#include "link/upload_image.h"
#include "shell/command_table.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace velk::gui {

// The console upload's progress and reports, raised on the upload thread.
class ConsoleWindow::UploadReport final : public link::UploadEvents {
public:
    explicit UploadReport(ConsoleWindow& window) : window_(window) {}
    void PacketCount(std::uint32_t n) override { emit window_.packetCountKnown(static_cast<int>(n)); }
    void PacketsSent(std::uint32_t n) override { emit window_.packetsSent(static_cast<int>(n)); }

private:
    ConsoleWindow& window_;
};

ConsoleWindow::ConsoleWindow(const link::UploadConfig& config, const std::filesystem::path& workDir, Ui& ui, QWidget* parent)
    : QWidget(parent), config_(config), workDir_(workDir), ui_(ui),
      session_(workDir, ui, [this](const std::string& text, bool report) { emit logAppended(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())), report); }),
      report_(std::make_unique<UploadReport>(*this)), statusLine_(new QLabel(this)), log_(new QTextEdit(this)),
      commandLine_(new QLineEdit(this))
{
    setObjectName("VantorChild");
    setWindowTitle("Vantor");
    statusLine_->setObjectName("statusLine");
    statusLine_->setAutoFillBackground(true);
    log_->setObjectName("log");
    log_->setReadOnly(true);
    log_->setFont(QFont("Monospace"));
    commandLine_->setObjectName("commandLine");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statusLine_);
    layout->addWidget(log_, 1);
    layout->addWidget(commandLine_);
    layout->addWidget(BuildForm());
    BuildMenu();
    connect(this, &ConsoleWindow::logAppended, this, &ConsoleWindow::AppendToView, Qt::QueuedConnection);
    connect(this, &ConsoleWindow::packetCountKnown, this, [this](int count) {
        packetCount_->setText(QString::number(count));
        progress_->setRange(0, count > 0 ? count : 1);
        progress_->setValue(0);
    }, Qt::QueuedConnection);
    connect(this, &ConsoleWindow::packetsSent, this, [this](int sent) {
        packetsSent_->setText(QString::number(sent));
        progress_->setValue(sent);
        Flash(transmit_, "T");
    }, Qt::QueuedConnection);
    connect(commandLine_, &QLineEdit::returnPressed, this, &ConsoleWindow::SendCommandLine);
    qApp->installEventFilter(this);
    RefreshStatusLine();
    UpdateCommands();
}

ConsoleWindow::~ConsoleWindow()
{
    qApp->removeEventFilter(this);
    // The preparation's thread never waits for this one, so joining it cannot hang.
    preparation_.reset();
    // The reader stops while the window can still take its last queued text.
    if (Connected())
        session_.ConnectDisConnectWithPort(config_.port);
}

QWidget* ConsoleWindow::BuildForm()
{
    auto* form = new QWidget(this);
    auto* grid = new QGridLayout(form);
    const auto field = [form](const char* name) {
        auto* edit = new QLineEdit(form);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        return edit;
    };
    fileName_ = field("fileName");
    packetCount_ = field("packetCount");
    packetsSent_ = field("packetsSent");
    transmit_ = new QLabel(form);
    receive_ = new QLabel(form);
    transmit_->setObjectName("transmit");
    receive_->setObjectName("receive");
    for (auto* indicator : {transmit_, receive_})
        indicator->setMinimumWidth(fontMetrics().horizontalAdvance("WW"));
    progress_ = new QProgressBar(form);
    progress_->setObjectName("progress");
    grid->addWidget(new QLabel("File name", form), 0, 0);
    grid->addWidget(fileName_, 0, 1, 1, 5);
    grid->addWidget(new QLabel("Packets", form), 1, 0);
    grid->addWidget(packetCount_, 1, 1);
    grid->addWidget(new QLabel("Packets sent", form), 1, 2);
    grid->addWidget(packetsSent_, 1, 3);
    grid->addWidget(transmit_, 1, 4);
    grid->addWidget(receive_, 1, 5);
    grid->addWidget(progress_, 2, 0, 1, 6);
    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* text, const char* name, auto slot) {
        auto* b = new QPushButton(text, form);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button("&Upload", "upload", &ConsoleWindow::Upload);
    button("&Save Log File", "saveLog", &ConsoleWindow::SaveLog);
    button("&Cancel", "cancel", &ConsoleWindow::CancelUpload);
    button("&Pause", "pause", [] {})->setEnabled(false);
    button("&Download", "download", [] {})->setEnabled(false);
    const auto picture = [&](QStyle::StandardPixmap icon, const char* tip, const char* name, auto slot) {
        auto* b = new QToolButton(form);
        b->setObjectName(name);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        connect(b, &QToolButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    picture(QStyle::SP_TitleBarShadeButton, "Test Tool Command Window", "commandWindow", [this] { log_->setVisible(!log_->isVisible()); });
    picture(QStyle::SP_ArrowUp, "Upload ( PC to STB )", "uploadPicture", &ConsoleWindow::Upload);
    picture(QStyle::SP_BrowserStop, "Cancel", "cancelPicture", &ConsoleWindow::CancelUpload);
    picture(QStyle::SP_DialogSaveButton, "Save log file", "savePicture", &ConsoleWindow::SaveLog);
    picture(QStyle::SP_DialogResetButton, "Clear", "clearPicture", &ConsoleWindow::ClearLog);
    grid->addLayout(buttons, 3, 0, 1, 6);
    return form;
}

void ConsoleWindow::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    auto* file = bar->addMenu("&File");
    const auto add = [&](Command command, const QString& text, const QString& key, auto slot) {
        auto* action = file->addAction(text);
        action->setObjectName(QString("cmd%1").arg(static_cast<int>(command)));
        if (!key.isEmpty())
            action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, slot);
        actions_[command] = action;
    };
    add(cmd::ConsoleConnect, "Connec&t\tF10", "F10", &ConsoleWindow::ConnectOrDisconnect);
    add(cmd::ConsoleUpload, "&Upload\tF9", "F9", &ConsoleWindow::Upload);
    // Ctrl+S is taken by the console before the frame's Save sees it (eventFilter).
    add(cmd::ConsoleSaveLog, "&Save Log File\tCtrl+S", "", &ConsoleWindow::SaveLog);
    add(cmd::ConsoleClear, "C&lear\t", "", &ConsoleWindow::ClearLog);
    add(cmd::ConsoleCancel, "Ca&ncel\t", "Esc", &ConsoleWindow::CancelUpload);
    file->addSeparator();
    add(cmd::ConsoleClose, "&Close", "", [this] { parentWidget() ? parentWidget()->close() : close(); });
}

QAction* ConsoleWindow::Action(Command command) const
{
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (!key || !watched->isWidgetType() || !isAncestorOf(static_cast<QWidget*>(watched)))
        return QWidget::eventFilter(watched, event);
    // The frame's Save (Ctrl+S) and the editor's Edit (Return) must not take these keys
    // from the console: an accepted override delivers them here as key presses.
    const auto combination = static_cast<QKeyEvent*>(event)->keyCombination();
    const bool save = combination == QKeyCombination(Qt::ControlModifier, Qt::Key_S);
    const bool enter = combination.key() == Qt::Key_Return || combination.key() == Qt::Key_Enter;
    if (event->type() == QEvent::ShortcutOverride && (save || enter)) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && save) {
        SaveLog();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ConsoleWindow::RefreshStatusLine()
{
    const auto port = QString::fromStdString(link::PortStatusLine(config_.port));
    statusLine_->setText(activity_.isEmpty() ? port : port + "    " + activity_);
    statusLine_->setStyleSheet(Connected() ? "color: white; background: blue;" : "color: white; background: red;");
}

void ConsoleWindow::UpdateCommands()
{
    const bool connected = Connected();
    const bool uploading = Busy();
    actions_[cmd::ConsoleConnect]->setText(connected ? "&Disconnect\tF10" : "Connec&t\tF10");
    actions_[cmd::ConsoleUpload]->setEnabled(connected && !uploading);
    actions_[cmd::ConsoleCancel]->setEnabled(uploading);
    for (const char* name : {"upload", "uploadPicture"})
        findChild<QWidget*>(name)->setEnabled(connected && !uploading);
    RefreshStatusLine();
}

void ConsoleWindow::ConnectOrDisconnect()
{
    const bool wasUploading = session_.UploadRunning();
    // A file made for this connection is not sent over the next one.
    if (preparation_)
        preparation_->Cancel();
    // A port that does not close is reported by the session; the console counts as
    // disconnected and the program keeps running with its database.
    session_.ConnectDisConnectWithPort(config_.port);
    if (wasUploading)
        UploadEnded();
    UpdateCommands();
}

void ConsoleWindow::Upload()
{
    if (!Connected() || Busy())
        return;
    const auto chosen = ui_.ChooseOpenFile(FileChoice{"Open", "UART File ( *.URT ), BIN File ( *.BIN )|*.urt *.bin", "urt", {}});
    if (chosen)
        Prepare(*chosen);
}

bool ConsoleWindow::Busy() const { return preparation_ || session_.UploadRunning(); }

void ConsoleWindow::Prepare(const std::filesystem::path& chosen)
{
    preparation_ = std::make_unique<TransferWorker>(ui_);
    auto* worker = preparation_.get();
    // Written by the job before it reports its end, read here after the report.
    auto prepared = std::make_shared<std::optional<link::ConsoleUploadImage>>();
    connect(worker, &TransferWorker::statusChanged, this, &ConsoleWindow::ShowActivity, Qt::QueuedConnection);
    connect(
        worker, &TransferWorker::rangeChanged, progress_, [this](int range) { progress_->setRange(0, std::max(range, 1)); },
        Qt::QueuedConnection);
    connect(worker, &TransferWorker::progressed, progress_, &QProgressBar::setValue, Qt::QueuedConnection);
    connect(worker, &TransferWorker::finished, this, [this, prepared] { Prepared(std::move(*prepared)); }, Qt::QueuedConnection);
    // The job works on its own copy of the configuration: the Settings dialog may change it meanwhile.
    auto job = [config = config_, chosen, workDir = workDir_, prepared](Ui& ui, const TransferWorker::Reporter& report) {
        *prepared = link::PrepareConsoleUpload(ui, config, chosen, workDir, report.status);
        return prepared->has_value() ? 1 : 0;
    };
    if (!worker->Start(std::move(job))) {
        preparation_.reset();
        ShowError(ui_, "Create thread failed - ConnectDisConnectWithPort");
        return;
    }
    progress_->setRange(0, 0);  // busy until a step tells its range
    UpdateCommands();
}

void ConsoleWindow::Prepared(std::optional<link::ConsoleUploadImage> image)
{
    const bool cancelled = preparation_->Cancelled();
    preparation_.reset();  // its thread has ended with its report
    activity_.clear();
    progress_->setRange(0, 1);
    progress_->setValue(0);
    if (image && !cancelled && Connected())
        StartUpload(std::move(*image));
    UpdateCommands();
}

void ConsoleWindow::StartUpload(link::ConsoleUploadImage image)
{
    fileName_->setText(QString::fromStdString(image.file.string()));
    packetsSent_->setText("0");
    if (!session_.StartUpload(std::move(image.bytes), report_.get())) {
        ShowError(ui_, "Create thread failed - ConnectDisConnectWithPort");
        return;
    }
    WatchUploadEnd();
}

void ConsoleWindow::ShowActivity(const QString& text)
{
    activity_ = text;
    RefreshStatusLine();
}

void ConsoleWindow::WatchUploadEnd()
{
    // The upload thread ends on its own after its last packet; the menu follows it.
    if (session_.UploadRunning())
        QTimer::singleShot(50, this, &ConsoleWindow::WatchUploadEnd);
    else
        UploadEnded();
}

void ConsoleWindow::CancelUpload()
{
    if (preparation_) {
        // The job stops at its next look at the flag and removes what it made.
        preparation_->Cancel();
        return;
    }
    if (!session_.UploadRunning())
        return;
    session_.CancelUpload();
    UploadEnded();
}

void ConsoleWindow::UploadEnded()
{
    progress_->setValue(0);
    UpdateCommands();
}

void ConsoleWindow::SaveLog() { session_.Log().Save(); }

void ConsoleWindow::ClearLog()
{
    session_.Log().Clear();
    log_->clear();
}

void ConsoleWindow::SendCommandLine()
{
    session_.SendCommandLine((commandLine_->text() + "\r\n").toStdString());
    commandLine_->clear();
}

void ConsoleWindow::AppendToView(const QString& text, bool report)
{
    auto cursor = log_->textCursor();
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(report ? Qt::red : Qt::black);
    cursor.insertText(text, format);
    log_->setTextCursor(cursor);
    log_->ensureCursorVisible();
    if (!report)
        Flash(receive_, "R");
}

void ConsoleWindow::Flash(QLabel* indicator, const QString& letter)
{
    indicator->setText(letter);
    QTimer::singleShot(150, indicator, [indicator] { indicator->clear(); });
}

bool ConsoleWindow::ConfirmClose()
{
    if (!AskOkCancel(ui_, "Do you want to close application ?"))
        return false;
    if (Connected())
        ConnectOrDisconnect();
    return true;
}

}  // namespace velk::gui
