// The upload console against the simulated loader on a pseudo-terminal.
#include "gui_test_support.h"

#include "link/console_window.h"
#include "link/link_commands.h"
#include "sim/sim_receiver.h"

#include <QAction>
#include <QLabel>
#include <QTextEdit>
#include <QtTest>

using namespace velk;
using velk::test::EditorRun;

class LinkConsoleTest : public QObject {
    Q_OBJECT
private slots:
    void sessionFromConnectToDisconnect()
    {
        EditorRun run;
        sim::SimReceiver sim;
        auto& link = *run.window->findChild<gui::LinkCommands*>();
        link.Context().config.port.port = sim.DevicePath();
        QVERIFY(run.Run(gui::cmd::Vantorup));
        auto* console = link.Console();
        QVERIFY(console);
        QCOMPARE(console->objectName(), QString("VantorChild"));
        auto* status = console->findChild<QLabel*>("statusLine");
        auto* log = console->findChild<QTextEdit*>("log");
        QCOMPARE(status->text(), QString::fromStdString(sim.DevicePath() + " 115200 8 N 1"));
        QVERIFY(status->styleSheet().contains("red"));
        QVERIFY(!console->Action(gui::cmd::ConsoleUpload)->isEnabled());

        console->Action(gui::cmd::ConsoleConnect)->trigger();
        QVERIFY(console->Connected());
        QVERIFY(status->styleSheet().contains("blue"));
        QCOMPARE(console->Action(gui::cmd::ConsoleConnect)->text(), QString("&Disconnect\tF10"));

        // The loader listens from now on; the upload below is its first file.
        const auto urt = run.Store().File("TempURTFile.eut");
        sim.PlayUploadLoader(1, [&](std::size_t) { return LoadBe32(test::ReadBytes(urt), 2); });
        auto* commandLine = console->findChild<QLineEdit*>("commandLine");
        commandLine->setFocus();
        QTest::keyClicks(commandLine, "help");
        QTest::keyClick(commandLine, Qt::Key_Return);
        const auto heard = [&sim] {
            const auto bytes = sim.Heard();
            return std::string(bytes.begin(), bytes.end());
        };
        QTRY_VERIFY_WITH_TIMEOUT(heard().find("help\r\n") != std::string::npos, 10000);
        QVERIFY(commandLine->text().isEmpty());

        sim.SendRaw(Bytes{'o', 'k', 0x13, '!'});
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains("ok !"), 10000);

        // A BIN file becomes a URT file with the configuration's image values and goes out.
        const auto bin = run.dir / "app.bin";
        test::WriteBytes(bin, Bytes(3000, 0x3C));
        run.ui.files.push_back(bin);
        console->Action(gui::cmd::ConsoleUpload)->trigger();
        QCOMPARE(console->findChild<QLineEdit*>("fileName")->text(), QString::fromStdString(urt.string()));
        QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().contains("<========== Upload Success ==========>"), 20000);
        QVERIFY(sim.WaitDone(std::chrono::seconds(10)));
        QCOMPARE(console->findChild<QLineEdit*>("packetsSent")->text(), console->findChild<QLineEdit*>("packetCount")->text());
        QTRY_VERIFY(console->Action(gui::cmd::ConsoleUpload)->isEnabled());

        // Ctrl+S in the console saves the log, not the database.
        const auto saved = run.dir / "session.txt";
        run.ui.files.push_back(saved);
        QTest::keyClick(commandLine, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(test::ReadBytes(saved), test::ReadBytes(run.Store().File("_debugprint.tmp")));
        QCOMPARE(run.LastMessage(), saved.string() + " log file is saved successfully.");

        console->Action(gui::cmd::ConsoleClear)->trigger();
        QVERIFY(log->toPlainText().isEmpty());
        console->Action(gui::cmd::ConsoleSaveLog)->trigger();
        QCOMPARE(run.LastMessage(), std::string("No data in the buffer to save log file"));

        console->Action(gui::cmd::ConsoleConnect)->trigger();
        QVERIFY(!console->Connected());
        QVERIFY(status->styleSheet().contains("red"));
        QCOMPARE(console->Action(gui::cmd::ConsoleConnect)->text(), QString("Connec&t\tF10"));
        QVERIFY(run.Editor() != nullptr);
    }
};

QTEST_MAIN(LinkConsoleTest)
#include "link_console_test.moc"
