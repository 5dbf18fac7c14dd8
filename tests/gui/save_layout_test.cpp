// Save asks before the receiver's old layout loses what the user typed, writes
// what the user chose, and afterwards the editor shows what the file holds.
#include "gui_test_support.h"

#include "common/files.h"
#include "sdb/save_layout_dialog.h"
#include "sdb/sdb_writer.h"
#include "support/shown_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QtTest>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

sdb::SdbImage Shown(EditorRun& run) { return test::ShownDatabase(run.Store()); }

bool SameRecords(const sdb::SdbImage& a, const sdb::SdbImage& b)
{
    return a.lnbs == b.lnbs && a.satellites == b.satellites && a.carriers == b.carriers && a.services == b.services
        && a.osl == b.osl;
}

void EditWith(EditorRun& run, std::function<void(QWidget*)> fill)
{
    test::OnModal([fill](QWidget* dialog) {
        fill(dialog);
        test::ClickOk(dialog);
    });
    QVERIFY(run.Run(cmd::Edit));
}

// Program numbers 100, 200, 300 for the first three services, 22 kHz "22K" for LNB 2.
void TypeProgramNumbersAnd22kHz(EditorRun& run)
{
    auto* editor = run.Editor();
    editor->SelectNode(editor->RootNode(kAllServices));
    for (int row = 0; row < 3; ++row) {
        editor->FocusList();
        editor->SelectRows({row});
        EditWith(run, [row](QWidget* dialog) { test::SetText(dialog, "programNumber", QString::number(100 * (row + 1))); });
    }
    editor->SelectNode(editor->RootNode(kLnbInformation)->child(1));
    editor->FocusTree();
    EditWith(run, [](QWidget* dialog) { dialog->findChild<QComboBox*>("khz22")->setCurrentIndex(1); });
}

// Save As `file` answering the layout question with `answer`; true when written.
bool SaveAnswering(EditorRun& run, const std::filesystem::path& file, Answer answer)
{
    std::filesystem::remove(file);
    run.ui.files.push_back(file);
    run.ui.answers = {answer};
    test::OnModal([](QWidget* dialog) { test::ClickOk(dialog); });  // the version dialog
    run.Run(cmd::SaveAs);
    return std::filesystem::exists(file);
}

// Saves with each answer and checks the file, the editor and the reopened file.
void SaveAskedReopenAndCompare(EditorRun& run, Answer answer)
{
    const auto before = Shown(run);
    const auto file = run.dir / "db.bin";
    const bool saved = SaveAnswering(run, file, answer);
    QVERIFY(run.LastMessage().find("program numbers") != std::string::npos);
    QCOMPARE(run.ui.messages.back().buttons, Buttons::YesNoCancel);
    if (answer == Answer::Cancel) {
        QVERIFY(!saved);
        QVERIFY(run.Editor()->Modified());
        QVERIFY(SameRecords(Shown(run), before));
        return;
    }
    QVERIFY(saved);
    const auto magic = ReadFileBytes(file).value();
    QCOMPARE(magic.at(0), std::uint8_t(answer == Answer::Yes ? 'S' : 'e'));
    // The padding LNBs are records now: the tree lists what the file holds.
    const auto afterSave = Shown(run);
    QCOMPARE(run.Editor()->RootNode(kLnbInformation)->childCount(), int(run.Store().lnbCount));
    QVERIFY(run.window->OpenDatabase(file));
    auto expected = afterSave;
    if (answer == Answer::Yes)
        test::DropWhatTheOldLayoutCannotKeep(expected);
    QVERIFY(SameRecords(Shown(run), expected));
    // The values the user had before the save come back unless they were let go.
    QCOMPARE(Shown(run).services.size(), before.services.size());
    QCOMPARE(Shown(run).services == before.services, answer == Answer::No);
}

}  // namespace

class SaveLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void typedValuesAreLostOnlyWhenTheUserAgrees()
    {
        for (const auto answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
            EditorRun run;
            run.Store().productType = 2;
            run.Editor()->Reload();
            TypeProgramNumbersAnd22kHz(run);
            QVERIFY(!QTest::currentTestFailed());
            SaveAskedReopenAndCompare(run, answer);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void unEditedImportedDatabaseIsAskedAboutToo()
    {
        for (const auto answer : {Answer::No, Answer::Yes}) {
            EditorRun run;
            // An import writes the new layout with the list's program numbers.
            const auto imported = run.dir / "imported.bin";
            sdb::SdbSession session;
            QCOMPARE(sdb::WriteSdbBinFile(run.Store(), session, run.ui, imported, true, false), 1);
            QVERIFY(run.window->OpenDatabase(imported));
            QVERIFY(!run.Editor()->Modified());
            SaveAskedReopenAndCompare(run, answer);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void preferenceChoosesTheLayoutWithoutAsking()
    {
        EditorRun run;
        auto* action = run.window->findChild<QAction*>("saveLayout");
        QVERIFY(action);
        test::OnModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Save Layout"));
            QVERIFY(dialog->findChild<QRadioButton*>("oldLayout")->isChecked());
            dialog->findChild<QRadioButton*>("newLayout")->setChecked(true);
            QVERIFY(!dialog->findChild<QCheckBox*>("ask")->isEnabled());
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        action->trigger();
        QCOMPARE(run.preferences.saveLayout.layout, sdb::SdbLayout::New);
        Preferences loaded;
        LoadSaveLayout(run.settings, loaded.saveLayout);
        QCOMPARE(loaded.saveLayout.layout, sdb::SdbLayout::New);

        const auto questions = run.ui.messages.size();
        const auto file = run.dir / "new.bin";
        QVERIFY(SaveAnswering(run, file, Answer::Cancel));
        QCOMPARE(run.ui.messages.size(), questions);
        QCOMPARE(ReadFileBytes(file).value().at(0), std::uint8_t('e'));
    }
};

QTEST_MAIN(SaveLayoutTest)
#include "save_layout_test.moc"
