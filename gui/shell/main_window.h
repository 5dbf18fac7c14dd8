#pragma once
// The frame: MDI area, menus, toolbar and status bar, the editor window of the
// open database, and the exit order.
#include "database/editor_window.h"
#include "sdb/sdb_session.h"
#include "shell/command_action.h"
#include "shell/key_value_store.h"
#include "shell/preferences.h"
#include "shell/qt_ui.h"
#include "shell/session.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>

#include <array>
#include <functional>
#include <map>

class QAction;
class QLabel;
class QMenu;
class QMdiSubWindow;

namespace velk::gui {
class WorkflowCommands;
}

namespace velk::gui {


// The question asked before unsaved changes would be lost.
inline constexpr const char* kUnsavedQuestion = "The database has been changed.\nDo you want to save the changes ?";

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `ui` replaces the message boxes and file dialogs (tests); null uses Qt's.
    MainWindow(Session& session, KeyValueStore& settings, Preferences& preferences, Ui* ui = nullptr);

    CommandAction* Action(Command command) const;
    QMdiArea* MdiArea() const { return mdi_; }
    Ui& UiPort() { return *uiPort_; }
    EditorWindow* Editor() const { return editor_; }
    // True once the run has been shut down (WorkDir removed).
    bool IsShutDown() const { return shutDown_; }
    // Shows the frame where it was last time, on a first run over most of the screen.
    void ShowWithSavedGeometry();

    // New: clears the store and opens an editor on an empty database.
    bool NewDatabase();
    // Closes the editor and clears the store; false when the user kept it.
    bool CloseEditor();
    // Open with a file already chosen (command line, recent files); empty asks.
    bool OpenDatabase(std::filesystem::path path = {});
    // Save (or Save As); true when written.
    bool SaveDatabase(bool saveAs = false);
    // Asks before unsaved changes are lost: true when they may go.
    bool ConfirmDiscard();
    // Closes the editor, lets `load` fill the emptied store and shows it in a new
    // editor under the frame title of the store's product type.
    bool ReplaceDatabase(const std::function<bool()>& load, const QString& title);
    WorkingStore& Store() { return session_.Store(); }
    sdb::SdbSession& FileSession() { return sdbSession_; }
    // After an Undo Sorting filled the store from `file`: a new editor
    // titled with it shows the store (the old editor goes, the store stays).
    void ShowStoreDatabase(const std::filesystem::path& file);
    // After an import into the open database or a sort filled the store from
    // `file` and saved it there: the editor keeps its history, the change is one
    // step named `step`, and the database stands saved under `file`.
    void RecordStoreFilled(const std::filesystem::path& file, const std::string& step, StepKind kind);

signals:
    // The run is about to end and WorkDir to go: windows that work in it stop now.
    void shuttingDown();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CommandAction* MakeAction(Command command);
    void BuildMenus();
    void BuildToolBar();
    void WireCommands();
    // Undo, Redo, the one Ctrl+Z of Undo and Undo Sorting, Find and the list tools.
    void WireHistory();
    bool UndoSortingAvailable() const;
    void UndoKey();
    void UpdateHistoryCommands();
    void RebuildRecentMenu();
    void ShowAbout();
    void ShowHelp();
    bool HasEditor() const { return editor_ != nullptr; }
    void OpenRecent(std::size_t slot);
    void OpenEditor(const QString& title);
    void DropEditor();
    void DetachEditor();
    void UpdateCommands();
    void ShowPopup(const QPoint& globalPos, bool onList);
    void EditColours();
    void EditDefaultValues();
    void SaveGeometry();

    Session& session_;
    KeyValueStore& settings_;
    Preferences& preferences_;
    QtUi qtUi_;
    Ui* uiPort_;
    QMdiArea* mdi_;
    sdb::SdbSession sdbSession_;
    QPointer<EditorWindow> editor_;
    QMdiSubWindow* editorFrame_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    CommandAction* exitAction_ = nullptr;
    std::vector<QAction*> recentActions_;
    std::array<QLabel*, 3> counters_{};  // status window: satellites, carriers, services
    std::map<Command, CommandAction*> actions_;
    std::array<QAction*, 2> toolbarNewOpen_{};  // disabled while an editor exists; the menu items stay
    WorkflowCommands* workflows_ = nullptr;
    bool shutDown_ = false;
};

}  // namespace velk::gui
