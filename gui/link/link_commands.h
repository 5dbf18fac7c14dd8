#pragma once
// The frame's receiver-link commands: F7 (SDB upload), F6 (ADB upload) and
// F8 (download) under the "Upload" dialog, the "Settings" dialog and the
// upload console; and the "User Settings" dialog of the editor's tree node. The checks and files are made on
// the GUI thread (every refusal before the port is touched); the exchange runs
// on a worker thread; a download ends with the received database in the editor.
#include "sdb/sdb_session.h"
#include "shell/key_value_store.h"
#include "shell/preferences.h"
#include "shell/session.h"
#include "shell/transfer_commands.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QMdiSubWindow;

namespace velk::gui {

class ConsoleWindow;
class MainWindow;

class LinkCommands final : public QObject {
    Q_OBJECT
public:
    // Wires the commands' actions of `frame`.
    LinkCommands(MainWindow& frame, Session& session, sdb::SdbSession& sdbSession, KeyValueStore& settings,
                 Preferences& preferences, Ui& ui);

    LinkContext& Context() { return ctx_; }

    void UploadSdb();
    void UploadAdb();
    void Download();
    // Ctrl+T: the "Settings" dialog and its "&Ok".
    void EditSettings();
    // Ctrl+W: opens the upload console, or brings it to the front.
    void OpenConsole();
    ConsoleWindow* Console() const;
    // Enter or double click on the editor's "User Settings" node.
    void EditUserSettings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs `job` under the "Upload" dialog; nullopt after `threadProblem` when no thread could start.
    std::optional<int> RunDialog(const char* title, const char* threadProblem,
                                 std::function<int(Ui&, LinkContext&)> job);
    void ShowReceivedDatabase();

    MainWindow& frame_;
    Session& session_;
    sdb::SdbSession& sdbSession_;
    KeyValueStore& settings_;
    Preferences& preferences_;
    Ui& ui_;
    LinkContext ctx_;
    QPointer<ConsoleWindow> console_;
    QPointer<QMdiSubWindow> consoleFrame_;
};

}  // namespace velk::gui
