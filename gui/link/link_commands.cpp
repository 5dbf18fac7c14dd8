#include "link/link_commands.h"

#include "link/console_window.h"
#include "link/settings_dialog.h"
#include "link/upload_dialog.h"
#include "link/user_settings_dialog.h"
#include "shell/command_table.h"
#include "shell/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <thread>

namespace velk::gui {
namespace {

constexpr const char* kUploadTitle = "Transfer Data ( PC to STB )";
constexpr const char* kDownloadTitle = "Data from STB ( STB to PC )";

// The wait cursor while the images are built on the GUI thread.
// Qt's MDI children close on Ctrl+W, the console's key; they keep Ctrl+F4.
void FreeConsoleKey(QMdiSubWindow* child)
{
    if (auto* menu = child->systemMenu())
        for (auto* action : menu->actions())
            if (action->shortcuts().contains(QKeySequence("Ctrl+W")))
                action->setShortcut(QKeySequence("Ctrl+F4"));
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

LinkCommands::LinkCommands(MainWindow& frame, Session& session, sdb::SdbSession& sdbSession, KeyValueStore& settings,
                           Preferences& preferences, Ui& ui)
    : QObject(&frame), frame_(frame), session_(session), sdbSession_(sdbSession), settings_(settings),
      preferences_(preferences), ui_(ui)
{
    ctx_.config.port = preferences_.port;
    ctx_.config.productType = session_.Store().productType;
    frame_.Action(cmd::UploadSdb)->Handle(this, &LinkCommands::UploadSdb);
    frame_.Action(cmd::UploadAdb)->Handle(this, &LinkCommands::UploadAdb);
    frame_.Action(cmd::Download)->Handle(this, &LinkCommands::Download);
    frame_.Action(cmd::Settings)->Handle(this, &LinkCommands::EditSettings);
    frame_.Action(cmd::Vantorup)->Handle(this, &LinkCommands::OpenConsole);
    // The console's workers write into WorkDir: they end before it is removed.
    connect(&frame_, &MainWindow::shuttingDown, this, [this] { delete consoleFrame_.data(); });
    // Each new editor window is met when its frame is activated.
    connect(frame_.MdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* child) {
        if (!child)
            return;
        FreeConsoleKey(child);
        if (auto* editor = qobject_cast<EditorWindow*>(child->widget()))
            connect(editor, &EditorWindow::userSettingsRequested, this, &LinkCommands::EditUserSettings, Qt::UniqueConnection);
    });
}

std::optional<int> LinkCommands::RunDialog(const char* title, const char* threadProblem,
                                           std::function<int(Ui&, LinkContext&)> job)
{
    // The transfer works on its own copy: the window keeps using the context meanwhile.
    auto transfer = [ctx = ctx_, job = std::move(job)](Ui& ui, const TransferWorker::Reporter& report) mutable {
        ctx.status = report.status;
        ctx.title = report.title;
        return job(ui, ctx);
    };
    UploadDialog dialog(title, ui_, &frame_);
    const auto result = dialog.Run(std::move(transfer));
    if (!result)
        ShowError(ui_, threadProblem);
    return result;
}

void LinkCommands::UploadSdb()
{
    auto& store = session_.Store();
    ctx_.lastParity = link::LineSettingsFromPort(ctx_.config.port).parity;
    if (!PrepareSdbUpload(store, sdbSession_, ui_, ctx_))
        return;
    const auto files = SdbUploadFiles(store);
    RunDialog(kUploadTitle, "Thread creation problem - Upload as SDB", [files](Ui& ui, LinkContext& ctx) {
        std::this_thread::sleep_for(kSdbSettle);
        return SendUploadFiles(link::UploadKind::Sdb, files, ui, ctx);
    });
}

void LinkCommands::UploadAdb()
{
    std::optional<std::vector<std::filesystem::path>> files;
    {
        const WaitCursor wait;
        files = PrepareAdbUpload(session_.Store(), sdbSession_, ui_, ctx_);
    }
    if (!files)
        return;
    ctx_.lastParity = link::LineSettingsFromPort(ctx_.config.port).parity;
    RunDialog(kUploadTitle, "Thread creation problem - Upload as ADB", [files = *files](Ui& ui, LinkContext& ctx) {
        return SendUploadFiles(link::UploadKind::Adb, files, ui, ctx);
    });
}

void LinkCommands::Download()
{
    // The received database replaces the open one: unsaved changes are asked for first.
    if (!frame_.ConfirmDiscard())
        return;
    const WorkingStore& store = session_.Store();
    const auto received = RunDialog(kDownloadTitle, "Thread creation problem - Data from STB",
                                    [&store](Ui& ui, LinkContext& ctx) { return ReceiveDumps(store, ui, ctx); });
    if (received != 1)
        return;
    if (ParseReceivedDumps(store, sdbSession_, ui_, ctx_) != 1)
        return;
    ShowReceivedDatabase();
}

void LinkCommands::ShowReceivedDatabase()
{
    auto& store = session_.Store();
    frame_.ReplaceDatabase([this, &store] { return OpenReceivedDatabase(store, sdbSession_, ui_) == 1; },
                           QString(" [ %1 ] ").arg(kDownloadTitle));
}

void LinkCommands::EditSettings()
{
    auto& store = session_.Store();
    ctx_.config.productType = store.productType;
    if (const auto* editor = frame_.Editor())
        ctx_.config.pidsDecimal = !editor->Hex();
    SettingsDialog dialog(link::CurrentSettings(ctx_.config), console_ && console_->Connected(), ui_, &frame_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const bool typeChanged = link::ApplySettings(ui_, dialog.Choice(), ctx_.config, store, session_.DvRecordRead());
    preferences_.port = ctx_.config.port;
    // On a key that does not exist yet the first call only writes the defaults.
    for (int pass = 0; pass < 2; ++pass)
        ReadWriteCOMPortValuesToReg(settings_, preferences_.port, 2);
    preferences_.parserPath = ctx_.config.parserFile.string();
    preferences_.configurationPath = ctx_.config.configurationFile.string();
    if (console_)
        console_->RefreshStatusLine();
    auto* editor = frame_.Editor();
    if (editor)
        editor->RunCommand(ctx_.config.pidsDecimal ? cmd::ViewDecimal : cmd::ViewHex);  // the lists show PIDs so
    if (!typeChanged)
        return;
    frame_.setWindowTitle(QString::fromStdString(session_.FrameTitle()));
    if (editor)
        editor->Reload();
}

void LinkCommands::EditUserSettings()
{
    const auto& store = session_.Store();
    UserSettingsDialog dialog(sdbSession_.userSettings.For(store.productType), store.productType, store.serviceCount, ui_, &frame_);
    if (dialog.exec() == QDialog::Accepted && frame_.Editor())
        frame_.Editor()->MarkChangedBesideStore();  // the record is saved with the database
}

ConsoleWindow* LinkCommands::Console() const { return console_; }

void LinkCommands::OpenConsole()
{
    if (!console_) {
        console_ = new ConsoleWindow(ctx_.config, session_.WorkDir(), ui_);
        consoleFrame_ = frame_.MdiArea()->addSubWindow(console_);
        consoleFrame_->setAttribute(Qt::WA_DeleteOnClose);
        consoleFrame_->installEventFilter(this);
        consoleFrame_->resize(frame_.MdiArea()->viewport()->size().boundedTo(QSize(760, 560)));
    }
    consoleFrame_->show();
    frame_.MdiArea()->setActiveSubWindow(consoleFrame_);
}

bool LinkCommands::eventFilter(QObject* watched, QEvent* event)
{
    // The console's close box and "&Close" ask first and disconnect.
    // The type first: the frame also sees events while it is being destroyed.
    if (event->type() == QEvent::Close && watched == consoleFrame_ && console_ && !console_->ConfirmClose()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velk::gui
