#include "shell/main_window.h"

#include "common/build_identity.h"
#include "database/colour_dialog.h"
#include "database/default_values_dialog.h"
#include "database/editor_window.h"
#include "link/link_commands.h"
#include "database/view_layout.h"
#include "image/image_tools.h"
#include "sdb/sdb_commands.h"
#include "sdb/text_report.h"
#include "sdb/version_dialog.h"
#include "sdb/workflow_commands.h"
#include "shell/command_table.h"
#include "shell/document_title.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QMenu>

namespace velk::gui {

namespace {

// Commands of the editor's popup menus and view buttons: the editor carries them out.
constexpr Command kEditorCommands[] = {cmd::Edit, cmd::Add, cmd::Insert, cmd::Delete, cmd::Move, cmd::MoveUp, cmd::MoveDown,
                                   cmd::SwapInformation, cmd::FactoryDefault, cmd::ExpandCollapse, cmd::DetailedInformation,
                                   cmd::ChangeCarrier, cmd::ViewDecimal, cmd::ViewHex};

const char* kGeometryKey = "Window";

}  // namespace

MainWindow::MainWindow(Session& session, KeyValueStore& settings, Preferences& preferences, Ui* ui)
    : session_(session), settings_(settings), preferences_(preferences), qtUi_(this), uiPort_(ui ? ui : &qtUi_),
      mdi_(new QMdiArea(this))
{
    setObjectName("VelkMdi");
    setCentralWidget(mdi_);
    // One document fills the area; the frame's title carries its caption once.
    mdi_->setViewMode(QMdiArea::TabbedView);
    mdi_->setDocumentMode(true);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWindowTitle(QString::fromStdString(session_.FrameTitle()));
    BuildMenus();
    BuildToolBar();
    WireCommands();
    InstallImageTools(this, *uiPort_, [this](Command command) { return MakeAction(command); });
    workflows_ = new WorkflowCommands(*this);
    statusBar()->setObjectName("VelkStatus");
    for (auto*& counter : counters_) {
        counter = new QLabel(statusBar());
        statusBar()->addPermanentWidget(counter);
    }
    UpdateCommands();
}

void MainWindow::ShowWithSavedGeometry()
{
    const auto saved = settings_.Read(PreferenceKey(kGeometryKey), "Geometry");
    if (!saved || !restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*saved)))) {
        // First start: most of the screen, centred.
        const auto area = screen()->availableGeometry();
        resize(area.size() * 0.8);
        move(area.center() - rect().center());
    }
    show();
}

void MainWindow::SaveGeometry()
{
    settings_.Write(PreferenceKey(kGeometryKey), "Geometry", saveGeometry().toBase64().toStdString());
}

void MainWindow::WireCommands()
{
    auto on = [this](Command command, auto handler) { Action(command)->Handle(this, handler); };
    on(cmd::New, [this] { NewDatabase(); });
    on(cmd::Close, [this] { CloseEditor(); });
    on(cmd::Open, [this] { OpenDatabase(); });
    on(cmd::Save, [this] { SaveDatabase(false); });
    on(cmd::SaveAs, [this] { SaveDatabase(true); });
    on(cmd::SdbInformation, [this] { sdb::SdbInformation(session_.Store(), sdbSession_, *uiPort_); });
    on(cmd::TextFile, [this] {
        // The report opens in the desktop's text editor.
        sdb::ExportTextReport(session_.Store(), *uiPort_, [](const std::filesystem::path& file) {
            return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
        });
    });
    on(cmd::Contents, &MainWindow::ShowHelp);
    on(cmd::Color, &MainWindow::EditColours);
    on(cmd::DefaultValues, &MainWindow::EditDefaultValues);
    new LinkCommands(*this, session_, sdbSession_, settings_, preferences_, *uiPort_);
    for (Command command : kEditorCommands) {
        auto* action = MakeAction(command);
        addAction(action);  // keys work without the popup menu being open
        action->Handle(this, [this, command] {
            if (editor_)
                editor_->RunCommand(command);
        });
    }
    // The keys that carry "<" and ">", shifted or not.
    Action(cmd::MoveUp)->setShortcuts({QKeySequence("<"), QKeySequence(",")});
    Action(cmd::MoveDown)->setShortcuts({QKeySequence(">"), QKeySequence(".")});
    Action(cmd::ViewDecimal)->setCheckable(true);
    Action(cmd::ViewHex)->setCheckable(true);
    WireHistory();
}

void MainWindow::UpdateCommands()
{
    const bool editor = HasEditor();
    for (Command command : {cmd::New, cmd::Open, cmd::Color, cmd::DefaultValues, cmd::Download, cmd::Settings, cmd::Vantorup})
        Action(command)->setEnabled(true);
    for (auto* button : toolbarNewOpen_)
        button->setEnabled(!editor);
    if (workflows_)
        workflows_->UpdateCommands();
    for (Command command : {cmd::UploadAdb, cmd::UploadSdb})
        Action(command)->setEnabled(editor);
    Action(cmd::Contents)->setEnabled(true);
    for (Command command : {cmd::Close, cmd::Save, cmd::SaveAs, cmd::SdbInformation, cmd::TextFile, cmd::Find, cmd::FindDuplicates,
                            cmd::ApplyOrder, cmd::ExportCsv, cmd::ImportCsv})
        Action(command)->setEnabled(editor);
    for (Command command : kEditorCommands)
        Action(command)->setEnabled(editor && editor_->CanRun(command));
    const auto& store = session_.Store();
    counters_[0]->setText(editor ? QString(" Total Satellites %1 ").arg(store.satelliteCount) : QString());
    counters_[1]->setText(editor ? QString(" Total Carriers %1 ").arg(store.carrierCount) : QString());
    counters_[2]->setText(editor ? QString(" Total Services %1 ").arg(store.serviceCount) : QString());
    Action(cmd::ViewDecimal)->setChecked(editor && !editor_->Hex());
    Action(cmd::ViewHex)->setChecked(editor && editor_->Hex());
    UpdateHistoryCommands();
}

void MainWindow::OpenEditor(const QString& title)
{
    auto* editor = new EditorWindow(session_.Store(), *uiPort_, preferences_.colours);
    RememberViewSizes(editor, settings_);
    editor_ = editor;
    editorFrame_ = mdi_->addSubWindow(editor);
    editorFrame_->setWindowTitle(title.contains("[*]") ? title : title + "[*]");
    editorFrame_->setAttribute(Qt::WA_DeleteOnClose, false);
    editorFrame_->installEventFilter(this);
    connect(editor, &EditorWindow::contextChanged, this, &MainWindow::UpdateCommands);
    connect(editor, &EditorWindow::popupRequested, this, &MainWindow::ShowPopup);
    connect(editor, &EditorWindow::modifiedChanged, this, [this](bool modified) {
        editorFrame_->setWindowModified(modified);
        setWindowModified(modified);
    });
    const auto showCaption = [this](const QString& caption) {
        setWindowTitle(DocumentFrameTitle(QString::fromStdString(session_.FrameTitle()), caption));
    };
    connect(editorFrame_, &QWidget::windowTitleChanged, this, showCaption);
    showCaption(editorFrame_->windowTitle());
    editorFrame_->showMaximized();
    editor->Tree()->setFocus();
    UpdateCommands();
}

void MainWindow::DetachEditor()
{
    if (!editorFrame_)
        return;
    editorFrame_->removeEventFilter(this);
    mdi_->removeSubWindow(editorFrame_);
    editorFrame_->deleteLater();
    editorFrame_ = nullptr;
    editor_ = nullptr;
    setWindowTitle(QString::fromStdString(session_.FrameTitle()));
    setWindowModified(false);
}

void MainWindow::ShowStoreDatabase(const std::filesystem::path& file)
{
    DetachEditor();
    OpenEditor(QString(" [ %1 ] ").arg(QString::fromStdString(file.string())));
    preferences_.recent.Add(file.string());
    RebuildRecentMenu();
}

void MainWindow::DropEditor()
{
    if (!editorFrame_)
        return;
    DetachEditor();
    ClearStore(session_.Store());
    sdbSession_.currentFile.clear();
    UpdateCommands();
}

bool MainWindow::ConfirmDiscard()
{
    if (!editor_ || !editor_->Modified())
        return true;
    switch (uiPort_->Message(kUnsavedQuestion, {}, Icon::Question, Buttons::YesNoCancel)) {
    case Answer::Yes: return SaveDatabase();
    case Answer::No: return true;
    default: return false;
    }
}

bool MainWindow::SaveDatabase(bool saveAs)
{
    if (!editor_)
        return false;
    const auto versionDialog = [this](sdb::SdbSession& session) { return VersionDialog::Run(session, *uiPort_, this); };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto& layout = preferences_.saveLayout;
    const int saved = saveAs ? sdb::SaveAsCommand(session_.Store(), sdbSession_, *uiPort_, versionDialog, layout)
                             : sdb::SaveCommand(session_.Store(), sdbSession_, *uiPort_, versionDialog, layout);
    QApplication::restoreOverrideCursor();
    if (saved != 1)
        return false;
    if (!saveAs)
        editorFrame_->setWindowTitle(QString::fromStdString(sdb::SavedCaption(sdbSession_.currentFile)) + "[*]");
    editor_->RecordChange("Fill tables for saving");  // padding may have raised the counts
    editor_->MarkSaved();
    return true;
}

bool MainWindow::OpenDatabase(std::filesystem::path path)
{
    if (!ConfirmDiscard())
        return false;
    if (path.empty()) {
        const auto chosen = uiPort_->ChooseOpenFile(sdb::kSdbOpenChoice);
        if (!chosen)
            return false;  // cancelled: the open database stays
        path = *chosen;
    }
    DropEditor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int opened = sdb::OpenCommand(session_.Store(), sdbSession_, *uiPort_, path);
    QApplication::restoreOverrideCursor();
    if (opened != 1) {
        ClearStore(session_.Store());  // a failed open leaves no half database behind
        return false;
    }
    OpenEditor(QString(" [ %1 ] ").arg(QString::fromStdString(path.string())));
    preferences_.recent.Add(path.string());
    RebuildRecentMenu();
    return true;
}

void MainWindow::OpenRecent(std::size_t slot)
{
    if (slot >= preferences_.recent.Count())
        return;
    const std::filesystem::path path = preferences_.recent.At(slot);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        ShowError(*uiPort_, "File Path (or) File does not exist");
        return;
    }
    OpenDatabase(path);
}

bool MainWindow::NewDatabase()
{
    if (!ConfirmDiscard())
        return false;
    DropEditor();
    ClearStore(session_.Store());
    OpenEditor(" [ New ] [*]");
    return true;
}

bool MainWindow::ReplaceDatabase(const std::function<bool()>& load, const QString& title)
{
    DropEditor();
    if (!load()) {
        ClearStore(session_.Store());
        return false;
    }
    setWindowTitle(QString::fromStdString(session_.FrameTitle()));
    OpenEditor(title);
    return true;
}

bool MainWindow::CloseEditor()
{
    if (!editor_ || !ConfirmDiscard())
        return false;
    DropEditor();
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The MDI child's own close button takes the same road as Close.
    if (watched == editorFrame_ && event->type() == QEvent::Close) {
        event->ignore();
        QMetaObject::invokeMethod(this, [this] { CloseEditor(); }, Qt::QueuedConnection);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ShowPopup(const QPoint& globalPos, bool onList)
{
    UpdateCommands();
    QMenu menu(this);
    for (Command c : {cmd::Edit, cmd::Add, cmd::Insert, cmd::Delete})
        menu.addAction(Action(c));
    menu.addSeparator();
    for (Command c : {cmd::Move, cmd::MoveUp, cmd::MoveDown, cmd::SwapInformation, cmd::FactoryDefault})
        menu.addAction(Action(c));
    menu.addSeparator();
    for (Command c : {cmd::ExpandCollapse, cmd::DetailedInformation, cmd::ChangeCarrier})
        menu.addAction(Action(c));
    auto* view = menu.addMenu("View As");
    view->addAction(Action(cmd::ViewDecimal));
    view->addAction(Action(cmd::ViewHex));
    if (editor_ && onList) {
        menu.addSeparator();
        editor_->AddMarkMenus(&menu);
    }
    menu.exec(globalPos);
}

void MainWindow::EditColours()
{
    ColourDialog dialog(preferences_.colours, settings_, this);
    dialog.exec();
    if (editor_)
        editor_->Reload();  // a chosen colour applies at once, also on Close
}

void MainWindow::EditDefaultValues()
{
    DefaultValuesDialog dialog(session_.Store(), *uiPort_, editor_ && editor_->Hex(), this);
    dialog.exec();
    if (editor_)
        editor_->RecordChange("Default values");
}


void MainWindow::ShowHelp()
{
    // The help is shipped as HTML beside the program (or in its share folder when installed).
    const QString dir = QApplication::applicationDirPath();
    for (const QString& candidate : {dir + "/help.html", dir + "/../share/velk-editor/help.html"}) {
        if (QFileInfo::exists(candidate)) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(candidate));
            return;
        }
    }
    ShowError(*uiPort_, "File Path (or) File does not exist");
}

void MainWindow::ShowAbout()
{
    const auto text = QString("Velk Editor \n%1\nBuild Date - %2\nBuild Time - %3\nProject ID - %4")
                          .arg(QString::fromStdString(VersionText()), QString::fromStdString(BuildDate()),
                               QString::fromStdString(BuildTime()), QString::fromStdString(ProjectId()));
    QMessageBox::about(this, QString::fromStdString(ApplicationTitle()), text);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // One question: the save question when there are changes, else the close question.
    const bool keep = HasEditor()
        && (editor_->Modified() ? !ConfirmDiscard() : !AskOkCancel(*uiPort_, "Do you want to close application ?"));
    if (keep) {
        event->ignore();
        return;
    }
    SaveGeometry();
    preferences_.StoreAtExit(settings_);
    emit shuttingDown();
    session_.Shutdown();
    shutDown_ = true;
    event->accept();
}

}  // namespace velk::gui
