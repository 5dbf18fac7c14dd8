// F7, F6 and F8 from the frame against the simulated loader on a pseudo-terminal.
#include "gui_test_support.h"
#include "loop_watch.h"

#include "link/link_commands.h"
#include "link/receiver_images.h"
#include "link/serial_port.h"
#include "sim/sim_receiver.h"

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

using namespace velk;
using namespace std::chrono_literals;
using velk::test::EditorRun;
using velk::test::LoopWatch;

namespace {

gui::LinkCommands& Link(EditorRun& run) { return *run.window->findChild<gui::LinkCommands*>(); }

QString DialogStatus(QWidget* dialog) { return dialog->findChild<QLabel*>("status")->text(); }

}  // namespace

class LinkTransferTest : public QObject {
    Q_OBJECT
private slots:
    void sdbUploadRunsThroughTheDialogToTheEnd()
    {
        EditorRun run;
        sim::SimReceiver sim({.baud = 115200});
        const auto urt = run.Store().File("TempURTFile.eut");
        Bytes sent;
        sim.PlayUploadLoader(1, [&](std::size_t) {
            sent = test::ReadBytes(urt);
            return LoadBe32(sent, 2);
        });
        Link(run).Context().config.port.port = sim.DevicePath();
        QString title, firstStatus;
        std::unique_ptr<LoopWatch> watch;  // from the dialog's start: the files are made before
        test::OnModal([&](QWidget* dialog) {
            title = dialog->windowTitle();
            firstStatus = DialogStatus(dialog);
            watch = std::make_unique<LoopWatch>();
        });
        QVERIFY(run.Run(gui::cmd::UploadSdb));
        QVERIFY(watch);
        qInfo("longest event-loop pause during the upload at 115200 baud: %lld ms", watch->LongestMs());
        QCOMPARE(title, QString("Transfer Data ( PC to STB )"));
        QCOMPARE(firstStatus, QString("Wait..."));
        QVERIFY(sim.WaitDone(10s));
        QCOMPARE(sim.UploadedFiles(), std::vector<Bytes>{sent});
        QVERIFY(!std::filesystem::exists(urt));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(run.ui.Texts().empty());
        QVERIFY(run.Editor() != nullptr);
    }

    void cancelInTheMiddleLeavesPortAndEditorUsable()
    {
        EditorRun run;
        sim::SimReceiver sim({.silenceAfterPackets = 3});
        sim.PlayUploadLoader(2, [](std::size_t) { return 1000u; });
        Link(run).Context().config.port.port = sim.DevicePath();
        QString statusAtCancel, buttonAfter;
        QPointer<QWidget> shown;
        test::OnModal([&](QWidget* dialog) {
            shown = dialog;
            auto* progress = dialog->findChild<QProgressBar*>("progress");
            auto* poll = new QTimer(dialog);
            QObject::connect(poll, &QTimer::timeout, [=, &statusAtCancel] {
                if (progress->value() < 3)
                    return;
                poll->stop();
                statusAtCancel = DialogStatus(dialog);
                dialog->findChild<QPushButton*>("cancel")->click();
            });
            poll->start(5);
        });
        QVERIFY(run.Run(gui::cmd::UploadAdb));
        QCOMPARE(statusAtCancel, QString("ADB upload inprogress."));
        QVERIFY(shown.isNull() || !shown->isVisible());
        // The port was closed: it opens again at once.
        auto port = link::OpenCommPort(sim.DevicePath(), {}, run.ui);
        QVERIFY(port != nullptr);
        QCOMPARE(link::CloseCommPort(std::move(port)), 1);
        QVERIFY(run.Editor() != nullptr);
        run.Editor()->Reload();
        QCOMPARE(run.Editor()->Tree()->topLevelItemCount(), 7);
        QVERIFY(run.ui.Texts().empty());
    }

    void cancelAfterTheDeviceVanished()
    {
        EditorRun run;
        sim::SimReceiver sim;  // hears the announcement but never answers
        Link(run).Context().config.port.port = sim.DevicePath();
        test::OnModal([&](QWidget* dialog) {
            QTimer::singleShot(800, dialog, [&sim, dialog] {
                sim.Vanish();
                QTimer::singleShot(200, dialog, [dialog] { dialog->findChild<QPushButton*>("cancel")->click(); });
            });
        });
        QVERIFY(run.Run(gui::cmd::UploadSdb));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        // The lost line is reported once, not for every announcement written into it.
        const auto texts = run.ui.Texts();
        QVERIFY(std::count(texts.begin(), texts.end(), std::string("WriteFile (in Writer)")) <= 1);
        QVERIFY(run.Editor() != nullptr);
    }

    void downloadOpensTheReceivedDatabaseInTheEditor()
    {
        EditorRun run;
        test::TempDir other;
        const auto blocks = link::test::SampleReceiverBlocks(other.Path(), run.ui, sdb::DefaultUserSettings(1));
        QCOMPARE(blocks.size(), std::size_t{4});
        sim::SimReceiver sim;
        sim.PlayDownloadSource(blocks);
        Link(run).Context().config.port.port = sim.DevicePath();
        QString title;
        test::OnModal([&](QWidget* dialog) { title = dialog->windowTitle(); });
        QVERIFY(run.Run(gui::cmd::Download));
        QVERIFY(sim.WaitDone(10s));
        QCOMPARE(title, QString("Data from STB ( STB to PC )"));
        QVERIFY2(run.ui.Texts().empty(), run.LastMessage().c_str());
        QVERIFY(run.Editor() != nullptr);
        QCOMPARE(run.Store().serviceCount, 3u);
        QCOMPARE(run.Store().carrierCount, 2u);
        // The maximized editor adds its own title after the frame's.
        QVERIFY(run.window->windowTitle().startsWith(QString::fromStdString(run.session->FrameTitle())));
        QVERIFY(run.window->windowTitle().contains("[ Type 1 ]"));
    }
};

QTEST_MAIN(LinkTransferTest)
#include "link_transfer_test.moc"
