// Undo and redo through the Edit menu: the store returns byte for byte, the
// menu names the step, and the modified flag follows the saved state.
#include "gui_test_support.h"

#include "common/files.h"
#include "database/store_files.h"

#include <QtTest>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

// The files the database lives in, with the counts.
struct StoreState {
    std::vector<std::optional<Bytes>> files;
    std::uint32_t satellites = 0, carriers = 0, services = 0;
    bool operator==(const StoreState&) const = default;
};

StoreState StateOf(const WorkingStore& store)
{
    StoreState state{{}, store.satelliteCount, store.carrierCount, store.serviceCount};
    for (const auto name : {store_file::kLnb, store_file::kSatellite, store_file::kCarrier, store_file::kService,
                            store_file::kCarrierOrder, store_file::kServiceOrder})
        state.files.push_back(ReadFileBytes(store.File(name)));
    return state;
}

QString MenuText(EditorRun& run, Command command) { return run.window->Action(command)->text(); }

}  // namespace

class HistoryTest : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoADeleteAndAMove()
    {
        EditorRun run;
        auto* editor = run.Editor();
        const auto start = StateOf(run.Store());
        QVERIFY(!run.window->Action(cmd::Undo)->isEnabled());
        QVERIFY(!run.window->Action(cmd::Redo)->isEnabled());

        editor->SelectNode(editor->RootNode(kAllServices));
        editor->FocusList();
        editor->SelectRows({0, 1, 2});
        QVERIFY(run.Run(cmd::Delete));
        QCOMPARE(run.Store().serviceCount, 2u);
        const auto deleted = StateOf(run.Store());
        QCOMPARE(MenuText(run, cmd::Undo), QString("&Undo Delete 3 services"));

        editor->SelectRows({0, 1});
        editor->DropRows(0);  // refused: the rows are already there, no step
        editor->SelectRows({1});
        editor->DropRows(0);
        QCOMPARE(run.Column(2), QStringList({"Radio 1", "Bayern 3"}));
        QCOMPARE(MenuText(run, cmd::Undo), QString("&Undo Move 1 service"));

        QVERIFY(run.Run(cmd::Undo));
        QCOMPARE(StateOf(run.Store()), deleted);
        QCOMPARE(run.Column(2), QStringList({"Bayern 3", "Radio 1"}));
        QCOMPARE(MenuText(run, cmd::Redo), QString("&Redo Move 1 service"));
        QVERIFY(run.Run(cmd::Undo));
        QCOMPARE(StateOf(run.Store()), start);
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Das Erste", "Rai 1", "Bayern 3", "Radio 1"}));
        QVERIFY(!run.window->Action(cmd::Undo)->isEnabled());
        QVERIFY(!editor->Modified());

        QVERIFY(run.Run(cmd::Redo));
        QVERIFY(run.Run(cmd::Redo));
        QCOMPARE(run.Column(2), QStringList({"Radio 1", "Bayern 3"}));
        QVERIFY(!run.window->Action(cmd::Redo)->isEnabled());
        QVERIFY(editor->Modified());
    }

    void keysAndTheSavedState()
    {
        EditorRun run;
        run.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(run.window.get()));
        auto* editor = run.Editor();
        editor->SelectNode(editor->CarrierNode(1, 1));
        editor->FocusList();
        editor->SelectRows({0});
        QVERIFY(run.Run(cmd::MoveDown));
        QVERIFY(editor->Modified());
        QCOMPARE(run.window->Action(cmd::Undo)->shortcut(), QKeySequence("Ctrl+Z"));
        QVERIFY(run.window->Action(cmd::Redo)->shortcuts().contains(QKeySequence("Ctrl+Y")));
        // Undo Sorting keeps its text and shows its key; the Undo action holds the key.
        QCOMPARE(MenuText(run, cmd::UndoSorting), QString("&Undo Sorting\tCtrl+Z"));

        QTest::keyClick(editor->List(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!editor->Modified());
        QTest::keyClick(editor->List(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(editor->Modified());

        // A change outside the editor's commands is one step too.
        const auto program = run.Store().defaults.service.programNumber;
        run.Store().defaults.service.programNumber = static_cast<std::uint16_t>(program + 1);
        editor->RecordChange("Default values");
        QCOMPARE(MenuText(run, cmd::Undo), QString("&Undo Default values"));
        QVERIFY(run.Run(cmd::Undo));
        QCOMPARE(run.Store().defaults.service.programNumber, program);

        // New forgets the history.
        run.ui.answers.push_back(Answer::No);
        QVERIFY(run.window->NewDatabase());
        QVERIFY(!run.window->Action(cmd::Undo)->isEnabled());
        QVERIFY(!run.window->Action(cmd::Redo)->isEnabled());
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
