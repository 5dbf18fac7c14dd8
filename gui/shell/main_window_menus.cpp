// The frame's actions, menus, toolbar and recent-files list, built from the command table.
#include "shell/main_window.h"

#include "sdb/save_layout_dialog.h"
#include "shell/command_table.h"
#include "shell/toolbar_icons.h"
#include "shell/toolbar_overflow.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace velk::gui {

CommandAction* MainWindow::Action(Command command) const
{
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

CommandAction* MainWindow::MakeAction(Command command)
{
    if (auto* existing = Action(command))
        return existing;
    const auto& info = InfoOf(command);
    const auto text = [](std::string_view v) { return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size())); };
    auto* action = new CommandAction(text(info.text), this);
    action->setObjectName(QString("cmd%1").arg(static_cast<int>(command)));
    if (!info.key.empty())
        action->setShortcut(QKeySequence(text(info.key)));
    if (!info.tip.empty())
        action->setToolTip(text(info.tip));
    action->setEnabled(false);  // enabled once its subsystem is wired
    actions_[command] = action;
    return action;
}

void MainWindow::BuildMenus()
{
    // Menu mnemonics keep clear of Alt+T, R, A, C and V: those press the editor's list buttons.
    auto add = [this](QMenu* menu, std::initializer_list<Command> commands) {
        for (Command c : commands)
            menu->addAction(MakeAction(c));
    };
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    add(fileMenu_, {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::Close});
    fileMenu_->addSeparator();
    add(fileMenu_->addMenu(tr("&Export")), {cmd::ExportCsv});
    add(fileMenu_, {cmd::ImportCsv});
    fileMenu_->addSeparator();
    exitAction_ = MakeAction(cmd::Exit);
    fileMenu_->addAction(exitAction_);
    RebuildRecentMenu();

    auto* edit = menuBar()->addMenu(tr("&Edit"));
    add(edit, {cmd::Undo, cmd::Redo});
    edit->addSeparator();
    add(edit, {cmd::Find});

    auto* import = menuBar()->addMenu(tr("&Import"));
    add(import, {cmd::ImportSatcoDx, cmd::ImportDvb2000, cmd::ImportLyngsat, cmd::Download});
    auto* upload = menuBar()->addMenu(tr("&Upload"));
    add(upload, {cmd::UploadAdb, cmd::UploadSdb});
    auto* exportMenu = menuBar()->addMenu(tr("E&xport"));
    add(exportMenu, {cmd::TextFile});
    auto* merge = menuBar()->addMenu(tr("&Merge"));
    add(merge, {cmd::MergeSatcoDx, cmd::MergeDvb2000, cmd::MergeLyngsat, cmd::MergeSdb});
    auto* tools = menuBar()->addMenu(tr("T&ools"));
    add(tools, {cmd::Compression});
    auto* urt = tools->addMenu(tr("BIN&2URT"));
    add(urt, {cmd::SingleImage, cmd::MultipleImage, cmd::Bin2Urt});
    add(tools, {cmd::Vantorup, cmd::SortInformation, cmd::UndoSorting, cmd::SdbInformation});
    tools->addSeparator();
    add(tools, {cmd::FindDuplicates, cmd::ApplyOrder});
    auto* config = menuBar()->addMenu(tr("Confi&g"));
    add(config, {cmd::Settings, cmd::Color, cmd::DefaultValues});
    auto* saveLayout = config->addAction(tr("Save La&yout..."));
    saveLayout->setObjectName("saveLayout");
    connect(saveLayout, &QAction::triggered, this, [this] {
        if (SaveLayoutDialog::Run(preferences_.saveLayout, this))
            StoreSaveLayout(settings_, preferences_.saveLayout);
    });
    auto* help = menuBar()->addMenu(tr("&Help"));
    add(help, {cmd::Contents, cmd::About});

    exitAction_->setEnabled(true);
    exitAction_->Handle(this, &QWidget::close);
    Action(cmd::About)->setEnabled(true);
    Action(cmd::About)->Handle(this, &MainWindow::ShowAbout);
}

void MainWindow::BuildToolBar()
{
    auto* bar = addToolBar(tr("Toolbar"));
    bar->setObjectName("Toolbar");
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto buttons = [&](std::initializer_list<Command> commands) {
        for (Command c : commands) {
            auto* action = MakeAction(c);
            action->setIcon(CommandIcon(c, *style()));
            bar->addAction(action);
        }
    };
    // A toolbar button that drops down the menu of a command group.
    const auto dropDown = [&](const QString& name, const QString& tip, std::initializer_list<Command> commands) {
        auto* menu = new QMenu(this);
        for (Command c : commands)
            menu->addAction(MakeAction(c));
        auto* button = new QToolButton(bar);
        button->setObjectName(name);
        button->setText(tip);
        button->setToolTip(tip);
        button->setIcon(DropDownIcon(name, *style()));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        bar->addWidget(button);
    };
    // New and Open clear the single working store: their buttons rest while an editor exists.
    for (std::size_t i = 0; i < toolbarNewOpen_.size(); ++i) {
        auto* menuAction = MakeAction(i == 0 ? cmd::New : cmd::Open);
        auto* button = bar->addAction(menuAction->text(), menuAction, &QAction::trigger);
        button->setObjectName(menuAction->objectName() + "Button");
        button->setToolTip(menuAction->toolTip());
        toolbarNewOpen_[i] = button;
    }
    buttons({cmd::Save, cmd::Close});
    dropDown("IMPORT_MENU", tr("Import"), {cmd::ImportSatcoDx, cmd::ImportDvb2000, cmd::ImportLyngsat, cmd::Download});
    dropDown("UPLOAD_MENU", tr("Upload"), {cmd::UploadAdb, cmd::UploadSdb});
    buttons({cmd::UploadAdb, cmd::Download, cmd::Settings, cmd::SdbInformation, cmd::ExpandCollapse, cmd::SortInformation,
             cmd::Vantorup, cmd::TextFile});
    dropDown("MERGE_MENU", tr("Merge"), {cmd::MergeSatcoDx, cmd::MergeDvb2000, cmd::MergeLyngsat, cmd::MergeSdb});
    dropDown("URT_MENU", tr("Bin2Urt"), {cmd::SingleImage, cmd::MultipleImage, cmd::Bin2Urt});
    buttons({cmd::Compression});
    ShowOverflowAsMenu(bar);
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
        const auto slot = static_cast<std::size_t>(item.command - kFirstRecentCommand);
        connect(action, &QAction::triggered, this, [this, slot] { OpenRecent(slot); });
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

}  // namespace velk::gui
