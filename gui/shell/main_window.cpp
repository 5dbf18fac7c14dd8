#include "shell/main_window.h"

#include "common/build_identity.h"
#include "shell/command_table.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace velk::gui {

MainWindow::MainWindow(Session& session, KeyValueStore& settings, Preferences& preferences)
    : session_(session), settings_(settings), preferences_(preferences), ui_(this), mdi_(new QMdiArea(this))
{
    setObjectName("VelkMdi");
    setCentralWidget(mdi_);
    setWindowTitle(QString::fromStdString(session_.FrameTitle()));
    BuildMenus();
    BuildToolBar();
    statusBar()->setObjectName("VelkStatus");
}

QAction* MainWindow::Action(int command) const
{
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* MainWindow::MakeAction(int command)
{
    if (auto* existing = Action(command))
        return existing;
    const auto& spec = Command(command);
    auto* action = new QAction(QString::fromUtf8(spec.text.data(), static_cast<int>(spec.text.size())), this);
    action->setObjectName(QString("cmd%1").arg(command));
    if (!spec.key.empty())
        action->setShortcut(QKeySequence(QString::fromUtf8(spec.key.data(), static_cast<int>(spec.key.size()))));
    if (!spec.tip.empty())
        action->setToolTip(QString::fromUtf8(spec.tip.data(), static_cast<int>(spec.tip.size())));
    action->setEnabled(false);  // enabled once its subsystem is wired
    actions_[command] = action;
    return action;
}

void MainWindow::BuildMenus()
{
    auto add = [this](QMenu* menu, std::initializer_list<int> commands) {
        for (int c : commands)
            menu->addAction(MakeAction(c));
    };
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    add(fileMenu_, {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::Close});
    fileMenu_->addSeparator();
    exitAction_ = MakeAction(cmd::Exit);
    fileMenu_->addAction(exitAction_);
    RebuildRecentMenu();

    auto* import = menuBar()->addMenu(tr("&Import"));
    add(import, {cmd::ImportSatcoDx, cmd::ImportDvb2000, cmd::ImportLyngsat, cmd::Download});
    auto* upload = menuBar()->addMenu(tr("&Upload"));
    add(upload, {cmd::UploadAdb, cmd::UploadSdb});
    auto* exportMenu = menuBar()->addMenu(tr("E&xport"));
    add(exportMenu, {cmd::TextFile});
    auto* merge = menuBar()->addMenu(tr("&Merge"));
    add(merge, {cmd::MergeSatcoDx, cmd::MergeDvb2000, cmd::MergeLyngsat, cmd::MergeSdb});
    auto* tools = menuBar()->addMenu(tr("&Tools"));
    add(tools, {cmd::Compression});
    auto* urt = tools->addMenu(tr("BIN&2URT"));
    add(urt, {cmd::SingleImage, cmd::MultipleImage, cmd::Bin2Urt});
    add(tools, {cmd::Vantorup, cmd::SortInformation, cmd::UndoSorting, cmd::SdbInformation});
    auto* config = menuBar()->addMenu(tr("&Config"));
    add(config, {cmd::Settings, cmd::Color, cmd::DefaultValues});
    auto* help = menuBar()->addMenu(tr("&Help"));
    add(help, {cmd::Contents, cmd::About});

    exitAction_->setEnabled(true);
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
    Action(cmd::About)->setEnabled(true);
    connect(Action(cmd::About), &QAction::triggered, this, &MainWindow::ShowAbout);
}

void MainWindow::BuildToolBar()
{
    auto* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName("Toolbar");
    for (int c : {cmd::New, cmd::Open, cmd::Save, cmd::Close, cmd::UploadAdb, cmd::Download, cmd::Settings,
                  cmd::SdbInformation, cmd::ExpandCollapse, cmd::SortInformation, cmd::Vantorup, cmd::TextFile, cmd::Compression})
        bar->addAction(MakeAction(c));
}

void MainWindow::RebuildRecentMenu()
{
    for (auto* action : recentActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const auto items = preferences_.recent.MenuItems();
    for (const auto& item : items) {
        auto* action = new QAction(QString::fromStdString(item.text), this);
        action->setObjectName(QString("cmd%1").arg(item.command));
        fileMenu_->insertAction(exitAction_, action);
        recentActions_.push_back(action);
    }
    if (!items.empty()) {
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        fileMenu_->insertAction(exitAction_, separator);
        recentActions_.push_back(separator);
    }
}

void MainWindow::ShowAbout()
{
    const auto text = QString("Velk Editor \n%1\nBuild Date - %2\nBuild Time - %3\nProject ID - %4")
                          .arg(QString::fromStdString(VersionText()), QString::fromStdString(BuildDate()),
                               QString::fromStdString(BuildTime()), QString::fromStdString(ProjectId()));
    QMessageBox::about(this, QString::fromStdString(ApplicationTitle()), text);
}

bool MainWindow::HasEditor() const
{
    return !mdi_->subWindowList().isEmpty() && findChild<QWidget*>("VelkChild") != nullptr;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (HasEditor() && !AskOkCancel(ui_, "Do you want to close application ?")) {
        event->ignore();
        return;
    }
    preferences_.StoreAtExit(settings_);
    session_.Shutdown();
    shutDown_ = true;
    event->accept();
}

}  // namespace velk::gui
