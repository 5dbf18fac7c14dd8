// Find, duplicates and the CSV round trip through the frame's commands, with
// every change undone through the Edit menu.
#include "gui_test_support.h"

#include "common/files.h"
#include "database/duplicates_dialog.h"
#include "database/record_io.h"

#include <QSignalSpy>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

QStringList AllServices(EditorRun& run)
{
    run.Editor()->SelectNode(run.Editor()->RootNode(kAllServices));
    return run.Column(2);
}

std::string FileText(const std::filesystem::path& path)
{
    const auto bytes = ReadFileBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    QVERIFY(WriteFileAtomic(path, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())));
}

// The services as File › Export › CSV List writes them.
std::string ExportedCsv(EditorRun& run)
{
    const auto path = run.dir.Path() / "services.csv";
    run.ui.files.push_back(path);
    return run.Run(cmd::ExportCsv) ? FileText(path) : std::string();
}

}  // namespace

class ListToolsTest : public QObject {
    Q_OBJECT
private slots:
    void findSelectsTheServiceInTreeAndList()
    {
        EditorRun run;
        run.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(run.window.get()));
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        QTest::keyClick(editor->List(), Qt::Key_F, Qt::ControlModifier);
        auto* bar = editor->Finder();
        QVERIFY(bar->isVisible());
        // Case and accents do not matter; the text reaches the core as database bytes.
        bar->Text()->setText(QString::fromUtf8("RAÏ"));
        QTRY_VERIFY(bar->Ready());
        QCOMPARE(bar->Results()->model()->rowCount(), 1);
        QCOMPARE(bar->Results()->model()->index(0, 3).data().toString(), QString("Rai 1"));
        QCOMPARE(bar->Results()->model()->index(0, 1).data().toString(), QString("12722 Vertical"));
        QTest::keyClick(bar->Text(), Qt::Key_Return);
        QCOMPARE(editor->Tree()->currentItem(), editor->CarrierNode(2, 1));
        QCOMPARE(editor->SelectedRows().size(), std::size_t(1));
        QCOMPARE(run.Cell(editor->SelectedRows().front(), 2), QString("Rai 1"));

        // PIDs are read in the radix the editor shows; Enter and Shift+Enter walk the results.
        QVERIFY(editor->RunCommand(cmd::ViewHex));
        bar->Text()->setText("a0");
        QCOMPARE(bar->Results()->model()->rowCount(), 1);
        bar->Text()->setText("1");
        QCOMPARE(bar->Results()->model()->rowCount(), 2);
        QTest::keyClick(bar->Text(), Qt::Key_Return);
        QTest::keyClick(bar->Text(), Qt::Key_Return);
        QCOMPARE(bar->Results()->currentIndex().row(), 1);
        QTest::keyClick(bar->Text(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(bar->Results()->currentIndex().row(), 0);
        QCOMPARE(run.Cell(editor->SelectedRows().front(), 2), bar->Results()->model()->index(0, 3).data().toString());
    }

    void findFollowsAChangeMadeWhileItsCatalogueIsBuilt()
    {
        EditorRun run;
        auto* editor = run.Editor();
        auto services = *ReadAllRecords<ServiceRecord>(run.Store());
        services[2].name = "Rete 4";
        QVERIFY(WriteAllRecords<ServiceRecord>(run.Store(), services));
        editor->RecordChange("Edit service");
        auto* bar = editor->Finder();
        QSignalSpy ready(bar, &FindBar::ready);
        editor->ShowFindBar();  // the catalogue of "Rete 4" is being built
        bar->Text()->setText("rai");
        QVERIFY(!bar->Ready());
        QCOMPARE(bar->Results()->model()->rowCount(), 0);  // typing taken, results once ready
        editor->Undo();  // "Rai 1" again, before the first catalogue came
        QTRY_VERIFY(bar->Ready());
        QCOMPARE(ready.count(), 1);  // the stale catalogue was never shown
        QCOMPARE(bar->Results()->model()->rowCount(), 1);
        QCOMPARE(bar->Results()->model()->index(0, 3).data().toString(), QString("Rai 1"));
        bar->Text()->setText("rete");
        QCOMPARE(bar->Results()->model()->rowCount(), 0);
    }

    void keepFirstDeletesTheRestAndUndoBringsThemBack()
    {
        EditorRun run;
        // Radio 1 shares the carrier of Rai 1; giving it Rai 1's program number makes it the same channel.
        auto services = *ReadAllRecords<ServiceRecord>(run.Store());
        services[3].programNumber = services[2].programNumber;
        WriteAllRecords<ServiceRecord>(run.Store(), services);
        run.Editor()->ResetHistory();
        run.Editor()->Reload();
        const auto before = AllServices(run);

        int groups = 0;
        test::OnModal([&](QWidget* dialog) {
            groups = dialog->findChild<QTreeWidget*>("groups")->topLevelItemCount();
            dialog->findChild<QPushButton*>("keepFirst")->click();
        });
        QVERIFY(run.Run(cmd::FindDuplicates));
        QCOMPARE(groups, 1);
        QCOMPARE(run.Store().serviceCount, 4u);
        QVERIFY(!AllServices(run).contains("Radio 1"));
        QCOMPARE(run.window->Action(cmd::Undo)->text(), QString("&Undo Delete 1 duplicate service"));

        QVERIFY(run.Run(cmd::Undo));
        QCOMPARE(run.Store().serviceCount, 5u);
        QCOMPARE(AllServices(run), before);
        QVERIFY(!run.Editor()->Modified());
    }

    void csvExportEditImportAndUndo()
    {
        EditorRun run;
        const auto edited = run.dir.Path() / "edited.csv";
        auto text = ExportedCsv(run);
        const auto at = text.find("ZDF");
        QVERIFY(at != std::string::npos);
        text.replace(at, 3, "\"ZDF, \"\"Zwei\"\" \xC3\xB1\"");  // a comma, quotes and a non-ASCII letter
        WriteText(edited, text);

        const auto before = AllServices(run);
        run.ui.files.push_back(edited);
        QVERIFY(run.Run(cmd::ImportCsv));
        QCOMPARE(run.LastMessage().substr(0, 17), std::string("1 service renamed"));
        auto expected = before;
        expected.replace(expected.indexOf("ZDF"), QString::fromUtf8("ZDF, \"Zwei\" ñ"));
        QCOMPARE(AllServices(run), expected);
        QCOMPARE(run.window->Action(cmd::Undo)->text(), QString("&Undo Import CSV list"));

        QVERIFY(run.Run(cmd::Undo));
        QCOMPARE(AllServices(run), before);
    }

    void orderFromAReversedListAndUndo()
    {
        EditorRun run;
        const auto reversed = run.dir.Path() / "reversed.csv";
        auto lines = QString::fromStdString(ExportedCsv(run)).split("\r\n", Qt::SkipEmptyParts);
        std::reverse(lines.begin() + 1, lines.end());  // the header stays first
        WriteText(reversed, (lines.join("\r\n") + "\r\n").toStdString());

        const auto before = AllServices(run);
        run.ui.files.push_back(reversed);
        QVERIFY(run.Run(cmd::ApplyOrder));
        QVERIFY(run.LastMessage().find("5 services") != std::string::npos);
        auto expected = before;
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(AllServices(run), expected);
        QCOMPARE(run.window->Action(cmd::Undo)->text(), QString("&Undo Apply order"));
        QVERIFY(run.Run(cmd::Undo));
        QCOMPARE(AllServices(run), before);
    }
};

QTEST_MAIN(ListToolsTest)
#include "list_tools_test.moc"
