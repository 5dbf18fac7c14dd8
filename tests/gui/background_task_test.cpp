// The background task behind the editor's long operations: the work's Ui on
// the worker, Cancel, the input held back while it runs, and the list parse
// of the Import command cancelled from its progress dialog.
#include "gui_test_support.h"

#include "store_contents.h"

#include "import/list_builders.h"
#include "import/staging_files.h"
#include "shell/background_task.h"

#include <QProgressDialog>
#include <QSignalSpy>
#include <QtTest>

#include <chrono>
#include <fstream>
#include <thread>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

// Work that reports its progress and then runs until it is cancelled.
int UntilCancelled(Ui& ui)
{
    ui.ProgressBegin("Working", 10);
    ui.ProgressSet(4);
    while (!ui.ProgressCancelled())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return 7;
}

}  // namespace

class BackgroundTaskTest : public QObject {
    Q_OBJECT
private slots:
    void workAsksTheFrameAndEndsOnTheGuiThread()
    {
        test::ScriptedUi ui;
        ui.answers = {Answer::No};
        ui.files = {std::filesystem::path("chosen.bin")};
        QWidget owner;
        std::optional<std::filesystem::path> file;
        const auto result = BackgroundTask::Run(ui, &owner, [&](Ui& worker) {
            file = worker.ChooseSaveFile({"Save", "Bin Files|*.bin", "bin", {}});
            return worker.Message("Replace?", {}, Icon::Question, Buttons::YesNo) == Answer::No ? 3 : 4;
        });
        QCOMPARE(result, std::optional<int>(3));
        QCOMPARE(file, std::optional<std::filesystem::path>("chosen.bin"));
        QCOMPARE(ui.Texts(), std::vector<std::string>{"Replace?"});
    }

    void cancelStopsTheWorkAndHoldsItsResultBack()
    {
        test::ScriptedUi ui;
        QWidget owner;
        owner.show();
        auto* button = new QPushButton("Other command", &owner);
        button->show();
        QSignalSpy clicked(button, &QPushButton::clicked);
        BackgroundTask task(ui, &owner);
        QSignalSpy progressed(&task, &BackgroundTask::progressed);
        QSignalSpy finished(&task, &BackgroundTask::finished);
        task.Start(UntilCancelled);
        QVERIFY(task.Running());
        QVERIFY(!task.Dialog()->isVisible());  // not before the work took a second
        QTRY_COMPARE(progressed.count(), 1);
        QCOMPARE(progressed.front(), (QList<QVariant>{4, 10}));
        QCOMPARE(task.Dialog()->labelText(), QString("Working"));
        QCOMPARE(task.Dialog()->maximum(), 10);
        // While the work runs the frame's widgets take no input.
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(task.Dialog()->isVisible(), 10000);
        test::ClickCancel(task.Dialog());
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.front().front().toInt(), 7);
        QVERIFY(task.Cancelled());
        QVERIFY(!task.Dialog()->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }

    void runGivesNothingForCancelledWork()
    {
        test::ScriptedUi ui;
        QWidget owner;
        QTimer::singleShot(20, [&] {
            auto* dialog = owner.findChild<QProgressDialog*>("taskProgress");
            QVERIFY(dialog);
            test::ClickCancel(dialog);
        });
        QVERIFY(!BackgroundTask::Run(ui, &owner, UntilCancelled));
    }

    // The Import command cancelled from its progress dialog while the list is
    // parsed: the open database, its history and the working directory stay.
    void cancelledImportLeavesTheOpenDatabase()
    {
        EditorRun run;
        std::vector<test::SdxRecord> records(20000);
        const auto bytes = test::JoinSdx(records, false);
        const auto list = run.dir / "big.sdx";
        std::ofstream(list, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        const auto files = test::StoreFiles(run.Store());
        const auto undo = run.window->Action(cmd::Undo)->text();
        run.ui.files = {list};
        run.ui.answers = {Answer::No};
        QVERIFY(run.Run(cmd::ImportSatcoDx));
        QVERIFY(!run.window->Action(cmd::ImportSatcoDx)->isEnabled());
        auto* progress = run.window->findChild<QProgressDialog*>("parseProgress");
        QVERIFY(progress);
        test::ClickCancel(progress);
        QTRY_VERIFY_WITH_TIMEOUT(run.window->Action(cmd::ImportSatcoDx)->isEnabled(), 60000);
        QVERIFY(!QApplication::activeModalWidget());  // no wizard
        QCOMPARE(run.ui.messages.size(), std::size_t{1});  // the mode question; no error after it
        QCOMPARE(run.ui.messages.front().icon, Icon::Question);
        QCOMPARE(test::StoreFiles(run.Store()), files);
        QCOMPARE(run.window->Action(cmd::Undo)->text(), undo);
        QVERIFY(!run.Editor()->Modified());
        for (const auto staged : staging_file::kAll)
            QVERIFY(!std::filesystem::exists(run.Store().File(staged)));
    }
};

QTEST_MAIN(BackgroundTaskTest)
#include "background_task_test.moc"
