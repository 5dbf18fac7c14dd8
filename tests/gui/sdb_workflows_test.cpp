// Sort and Undo Sorting, the SDB merge dialog and the frame's commands around
// them, driven on the real widgets.
#include "gui_test_support.h"

#include "store_contents.h"

#include "sdb/sdb_writer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QtTest>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

std::vector<std::string> SatelliteNames(const WorkingStore& store) { return test::RecordNames<SatelliteRecord>(store); }

// Saves the open database as `file` and reopens it, so that the store holds what the file holds.
void SaveAndReopen(EditorRun& run, const std::filesystem::path& file)
{
    run.ui.files = {file};
    test::OnModal([](QWidget* version) { test::ClickOk(version); });
    QVERIFY(run.window->SaveDatabase());
    QVERIFY(run.window->OpenDatabase(file));
}

QPushButton* Button(QWidget* dialog, const char* name) { return dialog->findChild<QPushButton*>(name); }

}  // namespace

class SdbWorkflowsTest : public QObject {
    Q_OBJECT
private slots:
    void sortIsRefusedAtOneRecordPerLevel()
    {
        EditorRun run(test::EditorRun::Start::EmptyDatabase);
        auto& store = run.Store();
        const std::vector<LnbRecord> lnbs{LnbRecord{}};
        const std::vector<SatelliteRecord> satellites{test::MakeSatellite("Astra", 0, 192, 1)};
        QVERIFY(WriteAllRecords<LnbRecord>(store, lnbs));
        QVERIFY(WriteAllRecords<SatelliteRecord>(store, satellites));
        store.lnbCount = store.satelliteCount = store.carrierCount = store.serviceCount = 1;
        QVERIFY(run.Run(cmd::SortInformation));
        QCOMPARE(run.LastMessage(), std::string("Add the information to sort"));
        QCOMPARE(run.ui.messages.back().icon, Icon::Warning);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!run.window->Action(cmd::UndoSorting)->isEnabled());
    }

    void sortThenUndoRestoresTheFile()
    {
        EditorRun run;
        const auto file = run.dir / "db.bin";
        SaveAndReopen(run, file);
        const auto before = test::StoreFiles(run.Store());
        const auto names = SatelliteNames(run.Store());
        auto* editor = run.Editor();
        QVERIFY(!run.window->Action(cmd::UndoSorting)->isEnabled());
        test::OnModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Sorting Information"));
            QCOMPARE(Button(dialog, "sort")->toolTip(), QString("Sort SDB information "));
            QCOMPARE(Button(dialog, "saveAs")->toolTip(), QString("Sort to save as separate SDB file"));
            auto* satellites = dialog->findChild<QGroupBox*>("satelliteSort");
            satellites->setChecked(true);
            auto* order = satellites->findChild<QComboBox*>("order");
            QCOMPARE(order->itemText(1), QString("Z to A"));
            order->setCurrentIndex(1);
            Button(dialog, "sort")->click();
            if (dialog->isVisible())
                Button(dialog, "close")->click();
        });
        QVERIFY(run.Run(cmd::SortInformation));
        QCOMPARE(SatelliteNames(run.Store()), (std::vector<std::string>{"Hotbird 13E", "Empty Sat", "Astra 19.2E"}));
        QVERIFY(run.window->Action(cmd::UndoSorting)->isEnabled());
        QCOMPARE(run.window->MdiArea()->activeSubWindow()->windowTitle(), QString::fromStdString(" [ " + file.string() + " ] [*]"));
        // The sort is one step of the same editor's history, saved; Ctrl+Z is Undo Sorting's.
        QCOMPARE(run.Editor(), editor);
        QCOMPARE(run.window->Action(cmd::Undo)->text(), QString("&Undo Sort"));
        QVERIFY(!editor->Modified());

        QVERIFY(run.Run(cmd::Undo));
        QCOMPARE(*ReadFileBytes(file), *ReadFileBytes(run.Store().File("UndoSorting.bin")));
        QCOMPARE(SatelliteNames(run.Store()), names);
        QCOMPARE(test::StoreFiles(run.Store()), before);
        QVERIFY(!run.window->Action(cmd::UndoSorting)->isEnabled());
    }

    void mergeDialogAsksForEachDuplicateSatellite()
    {
        EditorRun run;
        auto& store = run.Store();
        auto& session = run.window->FileSession();
        const auto file1 = run.dir / "one.bin";
        const auto file2 = run.dir / "two.bin";
        QCOMPARE(sdb::WriteSdbBinFile(store, session, run.ui, file1, true, false), 1);
        auto hotbird = *ReadRecord<SatelliteRecord>(store, run.ui, 2);
        hotbird.name = "Thor";
        QVERIFY(WriteRecord(store, run.ui, 2, hotbird));
        QCOMPARE(sdb::WriteSdbBinFile(store, session, run.ui, file2, true, false), 1);

        const std::pair<Answer, std::vector<std::string>> ways[] = {
            {Answer::Yes, {"Astra 19.2E", "Hotbird 13E", "Empty Sat", "Thor"}},
            {Answer::No, {"Hotbird 13E", "Astra 19.2E", "Thor", "Empty Sat"}}};
        for (const auto& [answer, expected] : ways) {
            const auto output = run.dir / (answer == Answer::Yes ? "keep1.bin" : "keep2.bin");
            run.ui.answers = {Answer::No, answer, answer};  // File 1's LNB table; the two duplicates
            run.ui.files = {output};
            const auto asked = run.ui.messages.size();
            test::OnModal([&](QWidget* dialog) {
                QCOMPARE(dialog->windowTitle(), QString("Static Bin Merger"));
                QCOMPARE(Button(dialog, "merge")->toolTip(), QString("Click to merge static binary files"));
                test::SetText(dialog, "file1", QString::fromStdString(file1.string()));
                test::SetText(dialog, "file2", QString::fromStdString(file2.string()));
                Button(dialog, "merge")->click();
                Button(dialog, "close")->click();
            });
            QVERIFY(run.Run(cmd::MergeSdb));
            QCOMPARE(run.ui.messages.size(), asked + 4);
            QVERIFY(run.ui.messages[asked + 1].text.starts_with("File1 and File2 are having \"Astra 19.2E\" Satellite."));
            QCOMPARE(run.LastMessage(), "Static bin file's are merged successfully. \nOutput file ( " + output.string() + " ) created.");
            QVERIFY(run.window->OpenDatabase(output));
            QCOMPARE(SatelliteNames(run.Store()), expected);
        }
    }

    void frameCommandsAroundTheEditor()
    {
        EditorRun run;
        auto* newButton = run.window->findChild<QAction*>("cmd40001Button");
        auto* openButton = run.window->findChild<QAction*>("cmd40002Button");
        QVERIFY(newButton && openButton);
        QVERIFY(!newButton->isEnabled() && !openButton->isEnabled());
        QVERIFY(run.window->Action(cmd::New)->isEnabled());
        QVERIFY(run.Run(cmd::Close));
        QVERIFY(newButton->isEnabled() && openButton->isEnabled());

        // The text report's file dialog is titled "Save".
        QVERIFY(run.window->NewDatabase());
        test::WriteSampleDatabase(run.Store(), test::EditorSample());
        run.Editor()->Reload();
        QVERIFY(run.Run(cmd::TextFile));
        QCOMPARE(run.ui.fileChoices.back().title, std::string("Save"));

        // Without changes Exit asks only whether to close.
        const auto asked = run.ui.messages.size();
        run.ui.answers = {Answer::Cancel};
        QVERIFY(!run.window->close());
        QCOMPARE(run.ui.messages.size(), asked + 1);
        QCOMPARE(run.LastMessage(), std::string("Do you want to close application ?"));
    }
};

QTEST_MAIN(SdbWorkflowsTest)
#include "sdb_workflows_test.moc"
