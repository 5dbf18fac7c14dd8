#pragma once
// The frame: MDI area, menus, toolbar and status bar, and the exit order.
#include "shell/key_value_store.h"
#include "shell/preferences.h"
#include "shell/qt_ui.h"
#include "shell/session.h"

#include <QMainWindow>
#include <QMdiArea>

#include <map>

class QAction;
class QMenu;

namespace velk::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Session& session, KeyValueStore& settings, Preferences& preferences);

    QAction* Action(int command) const;
    QMdiArea* MdiArea() const { return mdi_; }
    Ui& UiPort() { return ui_; }
    // True once the run has been shut down (WorkDir removed).
    bool IsShutDown() const { return shutDown_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* MakeAction(int command);
    void BuildMenus();
    void BuildToolBar();
    void RebuildRecentMenu();
    void ShowAbout();
    bool HasEditor() const;

    Session& session_;
    KeyValueStore& settings_;
    Preferences& preferences_;
    QtUi ui_;
    QMdiArea* mdi_;
    QMenu* fileMenu_ = nullptr;
    QAction* exitAction_ = nullptr;
    std::vector<QAction*> recentActions_;
    std::map<int, QAction*> actions_;
    bool shutDown_ = false;
};

}  // namespace velk::gui
