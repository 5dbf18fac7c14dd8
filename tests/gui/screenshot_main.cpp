// Makes a PNG of the editor with the sample database, for the README:
// velk_gui_screenshot OUT.png (run under QT_QPA_PLATFORM=offscreen).
#include "database/editor_window.h"
#include "shell/main_window.h"
#include "support/sample_database.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QTableView>
#include <QTreeWidget>

using namespace velk;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    test::TempDir dir;
    test::ScriptedUi ui;
    auto session = Session::Start(dir.Path(), ui);
    MemoryKeyValueStore settings;
    Preferences preferences;
    preferences.recent.Add("/home/user/channels/astra-hotbird.bin");
    gui::MainWindow window(*session, settings, preferences, &ui);
    window.resize(1180, 640);
    window.show();
    window.NewDatabase();
    test::WriteSampleDatabase(session->Store(), test::EditorSample());
    auto* editor = window.Editor();
    editor->Reload();
    editor->Tree()->expandAll();
    editor->SelectNode(editor->RootNode(gui::kAllServices));
    editor->List()->setFocus();
    editor->SelectRows({1});
    QApplication::processEvents();
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    window.close();
    return saved ? 0 : 1;
}
