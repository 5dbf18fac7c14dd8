#include "common/build_identity.h"
#include "shell/command_table.h"
#include "shell/main_window.h"

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

using namespace velk;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTitleAndRemovesWorkDirOnClose()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        auto session = Session::Start(dir.Path(), ui);
        QVERIFY(session);
        MemoryKeyValueStore settings;
        Preferences prefs;
        prefs.Load(settings);
        gui::MainWindow window(*session, settings, prefs);
        window.show();
        QCOMPARE(window.windowTitle(), QString::fromStdString(ApplicationTitle() + " [ Type 1 ]"));
        QVERIFY(std::filesystem::is_directory(dir / "Temp"));
        QCOMPARE(window.Action(gui::cmd::New)->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(window.Action(gui::cmd::UploadSdb)->text(), QString("SDB Data ( PC to STB )"));
        const auto* import = window.findChild<QToolButton*>("IMPORT_MENU");
        QVERIFY(import && import->menu());
        QCOMPARE(import->toolTip(), QString("Import"));
        QCOMPARE(import->menu()->actions().size(), 4);
        QCOMPARE(import->menu()->actions().last(), window.Action(gui::cmd::Download));
        QVERIFY(window.close());
        QVERIFY(window.IsShutDown());
        QVERIFY(!std::filesystem::exists(dir / "Temp"));
        QVERIFY(std::filesystem::exists(dir / "settings.ini"));
    }

    void recentFilesAppearBeforeExit()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        auto session = Session::Start(dir.Path(), ui);
        MemoryKeyValueStore settings;
        Preferences prefs;
        prefs.recent.Add("/data/one.bin");
        gui::MainWindow window(*session, settings, prefs);
        const auto* recent = window.findChild<QAction*>("cmd40051");
        QVERIFY(recent);
        QCOMPARE(recent->text(), QString("&1  /data/one.bin"));
        window.close();
    }

    void geometryIsRememberedBetweenRuns()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        MemoryKeyValueStore settings;
        Preferences prefs;
        {
            auto session = Session::Start(dir.Path(), ui);
            gui::MainWindow window(*session, settings, prefs, &ui);
            window.setGeometry(40, 50, 700, 500);
            window.show();
            QVERIFY(window.close());
        }
        auto session = Session::Start(dir.Path(), ui);
        gui::MainWindow window(*session, settings, prefs, &ui);
        window.ShowWithSavedGeometry();
        QCOMPARE(window.size(), QSize(700, 500));
        QVERIFY(!window.isMaximized());
        window.close();
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
