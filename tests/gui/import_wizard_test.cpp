// The Import command through the four wizard steps, driven on the real
// widgets: selections and filters, the steps' refusals, Escape, and Finish
// building a new database or merging into the open one.
#include "gui_test_support.h"

#include "store_contents.h"

#include "import/carrier_step_page.h"
#include "import/import_wizard_dialog.h"
#include "import/lnb_step_page.h"
#include "import/satellite_step_page.h"
#include "import/service_step_page.h"
#include "import/list_builders.h"

#include <QCheckBox>
#include <QLabel>
#include <QTableView>
#include <QMdiSubWindow>
#include <QtTest>

#include <fstream>
#include <set>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

// Two satellites, three carriers each (C band vertical, KU vertical, KU
// horizontal: a SatcoDX list writes vertical as 0), each carrier with a free TV, a scrambled radio and a scrambled TV service.
std::filesystem::path WriteList(const std::filesystem::path& path)
{
    std::vector<test::SdxRecord> records;
    const std::pair<const char*, const char*> satellites[] = {{"ASTRA", "0192"}, {"HOTBIRD", "0130"}};
    const std::tuple<const char*, char> carriers[] = {{"003800", '0'}, {"011778", '0'}, {"012000", '1'}};
    for (const auto& [satellite, position] : satellites) {
        for (int c = 0; c < 3; ++c) {
            const auto prefix = std::string(1, satellite[0]) + std::to_string(c + 1);
            for (const auto& [kind, type, access] : {std::tuple{"TV", 'T', "____"}, std::tuple{"RA", 'R', "0B00"}, std::tuple{"TS", 'T', "0B00"}}) {
                test::SdxRecord r;
                r.satellite = QString(satellite).leftJustified(18).toStdString();  // lists pad names with blanks
                r.position = position;
                r.frequencyMhz = std::get<0>(carriers[c]);
                r.polarization = std::get<1>(carriers[c]);
                r.type = type;
                r.access = access;
                r.name = prefix + kind;
                r.serviceId = "0000" + std::to_string(records.size() % 3 + 1);
                records.push_back(r);
            }
        }
    }
    const auto bytes = test::JoinSdx(records, false);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::set<std::string> ServiceNames(const WorkingStore& store)
{
    const auto names = test::RecordNames<ServiceRecord>(store);
    return {names.begin(), names.end()};
}

void Next(QWizard* wizard) { wizard->button(QWizard::NextButton)->click(); }

void Check(QAbstractItemModel* model, int row, bool on)
{
    model->setData(model->index(row, 0), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

QString Label(QWidget* page, const char* name) { return page->findChild<QLabel*>(name)->text(); }

// Runs `drive` on the wizard once it shows; a failed check still closes it.
void OnWizard(std::function<void(ImportWizardDialog*)> drive)
{
    test::OnModal([drive](QWidget* dialog) {
        drive(qobject_cast<ImportWizardDialog*>(dialog));
        if (dialog->isVisible())
            qobject_cast<QDialog*>(dialog)->reject();
    });
}

// With no database open the number-of-LNB dialog comes first.
void AnswerLnbCount(const QString& count, std::function<void(ImportWizardDialog*)> drive)
{
    test::OnModal([count, drive](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QString("LNB Record Details"));
        OnWizard(drive);
        test::SetText(dialog, "count", count);
        test::ClickOk(dialog);
    });
}

bool WaitIdle(EditorRun& run)
{
    return QTest::qWaitFor([&] { return run.window->Action(cmd::ImportSatcoDx)->isEnabled() && !QApplication::activeModalWidget(); }, 20000);
}

}  // namespace

class ImportWizardTest : public QObject {
    Q_OBJECT
private slots:
    void importsOneSatelliteThroughItsFilters()
    {
        EditorRun run(test::EditorRun::Start::NoDatabase);
        const auto list = WriteList(run.dir / "astra.sdx");
        const auto target = run.dir / "imported.bin";
        run.ui.files = {list, target};
        run.ui.answers = {Answer::Yes};  // filter mode: nothing selected yet
        AnswerLnbCount("2", [](ImportWizardDialog* w) {
            QCOMPARE(w->windowTitle(), QString("Import Wizard ( 1/4 ) Steps - LNB Selection"));
            auto* lnbs = w->LnbPage()->List()->model();
            QCOMPARE(lnbs->rowCount(), 2);
            QCOMPARE(lnbs->index(1, 1).data().toString(), QString("5150"));
            Next(w);
            QCOMPARE(w->windowTitle(), QString("Import Wizard ( 2/4 ) Steps - Satellite Selection"));
            auto* satellites = w->SatellitePage()->List()->model();
            QCOMPARE(satellites->rowCount(), 2);
            QCOMPARE(satellites->index(0, 1).data().toString(), QString("ASTRA"));
            Check(satellites, 0, true);
            QCOMPARE(Label(w->SatellitePage(), "selectedSatellites"), QString("1"));
            QCOMPARE(Label(w->SatellitePage(), "totalLnbs"), QString("2"));
            // The LNB index edited in place: 2 is taken, 3 is no LNB of the list.
            satellites->setData(satellites->index(0, 0), "2", Qt::EditRole);
            satellites->setData(satellites->index(0, 0), "3", Qt::EditRole);
            QCOMPARE(satellites->index(0, 0).data().toString(), QString("2"));
            Next(w);
            QCOMPARE(w->windowTitle(), QString("Import Wizard ( 3/4 ) Steps - Carrier Selection"));
            auto* page3 = w->CarrierPage();
            QCOMPARE(page3->ParentList()->model()->rowCount(), 2);  // all satellites, ASTRA
            page3->ParentList()->setCurrentIndex(page3->ParentList()->model()->index(1, 0));
            page3->Box(1)->click();  // "&KU Band"
            QCOMPARE(page3->Box(1)->text(), QString("&KU Band"));
            QCOMPARE(Label(page3, "headline"), QString("Selected Satellite - ASTRA   Selected Carrier Count - 2"));
            QCOMPARE(Label(page3, "shownTotal"), QString("3"));
            Next(w);
            auto* page4 = w->ServicePage();
            QCOMPARE(page4->ChildList()->model()->rowCount(), 6);  // the services of both KU carriers
            page4->Box(0)->click();  // "FTA"
            QCOMPARE(Label(page4, "selectedTotal"), QString("2"));
            QCOMPARE(Label(page4, "parentLine"), QString("Satellite Name - All Satellite"));
            w->button(QWizard::FinishButton)->click();
        });
        QVERIFY(run.Run(cmd::ImportSatcoDx));
        QVERIFY(QTest::qWaitFor([&] { return run.window->Editor() != nullptr; }, 20000));
        QCOMPARE(run.ui.fileChoices.front().title, std::string("Select a SatcoDX file"));
        QCOMPARE(run.ui.fileChoices.back().title, std::string("Save as BIN File"));
        QCOMPARE(run.window->MdiArea()->activeSubWindow()->windowTitle(), QString::fromStdString(" [ " + target.string() + " ] [*]"));
        QCOMPARE(test::RecordNames<SatelliteRecord>(run.Store()), std::vector<std::string>{"ASTRA"});
        QCOMPARE(ServiceNames(run.Store()), (std::set<std::string>{"A2TV", "A3TV"}));
        QCOMPARE(ReadAllRecords<SatelliteRecord>(run.Store())->front().lnbIndex, 1);
        QVERIFY(std::filesystem::exists(target));
        QVERIFY(!std::filesystem::exists(run.Store().File("TempSat.tmp")));  // Finish deletes the staging files
    }

    void importsAllSatellitesIntoTheOpenDatabase()
    {
        EditorRun run;
        const auto before = ServiceNames(run.Store());
        const auto startFiles = test::StoreFiles(run.Store());
        const auto list = WriteList(run.dir / "lists.sdx");
        run.ui.files = {list, run.dir / "merged.bin"};
        run.ui.answers = {Answer::Yes, Answer::No};  // filter mode; keep the open database's LNB table if asked
        OnWizard([](ImportWizardDialog* w) {
            QCOMPARE(w->windowTitle(), QString("Import Wizard ( 2/4 ) Steps - Satellite Selection"));
            QVERIFY(!w->button(QWizard::BackButton)->isVisible());
            QCOMPARE(Label(w->SatellitePage(), "totalLnbs"), QString("2"));  // the open database's LNBs
            w->SatellitePage()->findChild<QCheckBox*>("selectAll")->click();
            QCOMPARE(Label(w->SatellitePage(), "selectedSatellites"), QString("2"));
            Next(w);
            auto* page3 = w->CarrierPage();
            QCOMPARE(page3->ChildList()->model()->rowCount(), 6);
            QCOMPARE(page3->ChildList()->model()->index(0, 2).data().toString(), QString("Vertical"));
            page3->Box(2)->click();  // "&Vertical polar" for all satellites
            QCOMPARE(Label(page3, "selectedTotal"), QString("4"));
            Next(w);
            auto* page4 = w->ServicePage();
            page4->Box(3)->click();  // "Radio" for all carriers
            QCOMPARE(Label(page4, "selectedTotal"), QString("4"));
            // "Select All" clears and locks the other boxes.
            page4->SelectAllBox()->click();
            QVERIFY(!page4->Box(3)->isChecked() && !page4->Box(3)->isEnabled());
            QCOMPARE(Label(page4, "selectedTotal"), QString("12"));
            page4->SelectAllBox()->click();
            page4->Box(3)->click();
            w->button(QWizard::FinishButton)->click();
        });
        QVERIFY(run.Run(cmd::ImportSatcoDx));
        QVERIFY(WaitIdle(run));
        auto expected = before;
        expected.insert({"A1RA", "A2RA", "H1RA", "H2RA"});
        QCOMPARE(ServiceNames(run.Store()), expected);
        const auto satellites = test::RecordNames<SatelliteRecord>(run.Store());
        QCOMPARE(satellites.size(), std::size_t{5});
        QCOMPARE(satellites.back(), std::string("HOTBIRD"));

        // The import is one step of the open editor's history, saved under the file.
        auto* editor = run.Editor();
        QVERIFY(!editor->Modified());
        QCOMPARE(run.window->Action(cmd::Undo)->text(), QString("&Undo Import"));
        const auto imported = test::StoreFiles(run.Store());
        QVERIFY(run.Run(cmd::Undo));  // Ctrl+Z
        QCOMPARE(test::StoreFiles(run.Store()), startFiles);
        QCOMPARE(ServiceNames(run.Store()), before);
        QVERIFY(editor->Modified());  // the file holds the import
        QVERIFY(run.Run(cmd::Redo));  // Ctrl+Shift+Z
        QCOMPARE(test::StoreFiles(run.Store()), imported);
        QVERIFY(!editor->Modified());
        QCOMPARE(run.Editor(), editor);
    }

    void stepsRefuseWithTheirMessages()
    {
        EditorRun run(test::EditorRun::Start::NoDatabase);
        run.ui.files = {WriteList(run.dir / "a.sdx")};
        run.ui.answers = {Answer::Yes};
        test::OnModal([&](QWidget* count) {
            test::SetText(count, "count", "256");
            test::ClickOk(count);
            QCOMPARE(run.LastMessage(), std::string("Value should be less than 256"));
            QVERIFY(count->isVisible());
            OnWizard([&](ImportWizardDialog* w) {
                auto* page = w->LnbPage();
                test::OnModal([&](QWidget* details) {
                    test::SetText(details, "low", "3499");
                    test::ClickOk(details);
                    QCOMPARE(run.LastMessage(), std::string("Value should be in the range of ( 3500 - 12750 )."));
                    QCOMPARE(test::FocusName(details), QString("low"));
                    test::SetText(details, "low", "3500");
                    test::SetText(details, "high", "12751");
                    test::ClickOk(details);
                    QCOMPARE(test::FocusName(details), QString("high"));
                    test::SetText(details, "high", "12750");
                    test::ClickOk(details);
                });
                page->findChild<QPushButton*>("add")->click();
                QCOMPARE(page->List()->model()->rowCount(), 2);
                QCOMPARE(page->List()->model()->index(1, 2).data().toString(), QString("12750"));
                page->List()->clearSelection();
                page->findChild<QPushButton*>("delete")->click();
                QCOMPARE(run.LastMessage(), std::string("Please Select the Item to Delete"));
                for (int i = 0; i < 2; ++i) {
                    page->List()->selectRow(0);
                    page->findChild<QPushButton*>("delete")->click();
                }
                QVERIFY(!page->findChild<QPushButton*>("delete")->isEnabled());
                Next(w);
                QCOMPARE(run.LastMessage(), std::string("Please enter minimum one LNB Information to continue"));
                QCOMPARE(w->currentId(), int(ImportWizardDialog::LnbStep));
                test::OnModal([](QWidget* details) { test::ClickOk(details); });
                page->findChild<QPushButton*>("add")->click();
                Next(w);
                Next(w);  // filter mode: no satellite selected
                QCOMPARE(run.LastMessage(), std::string("Please Select any Satellite from the List."));
                QCOMPARE(w->currentId(), int(ImportWizardDialog::SatelliteStep));
                QTest::keyClick(w, Qt::Key_Escape);
            });
            test::SetText(count, "count", "1");
            test::ClickOk(count);
        });
        QVERIFY(run.Run(cmd::ImportSatcoDx));
        QVERIFY(WaitIdle(run));
        QVERIFY(!run.window->Editor());
        QCOMPARE(run.Store().satelliteCount, 0u);
    }

    void escapeOnEveryStepLeavesTheOpenDatabase()
    {
        EditorRun run;
        const auto list = WriteList(run.dir / "a.sdx");
        const auto before = test::StoreFiles(run.Store());
        auto* editor = run.Editor();
        for (int step : {ImportWizardDialog::SatelliteStep, ImportWizardDialog::CarrierStep, ImportWizardDialog::ServiceStep}) {
            run.ui.files = {list};
            run.ui.answers = {Answer::No};  // non-filter mode: everything selected
            bool escaped = false;
            OnWizard([&](ImportWizardDialog* w) {
                while (w->currentId() < step)
                    Next(w);
                QTest::keyClick(w, Qt::Key_Escape);
                escaped = !w->isVisible();
            });
            QVERIFY(run.Run(cmd::ImportSatcoDx));
            QVERIFY(WaitIdle(run));
            QVERIFY(escaped);
            QCOMPARE(run.Editor(), editor);
            QCOMPARE(test::StoreFiles(run.Store()), before);
        }
        // With no database open, Escape on the LNB step opens none.
        QVERIFY(run.window->CloseEditor());
        run.ui.files = {list};
        run.ui.answers = {Answer::No};
        AnswerLnbCount("1", [](ImportWizardDialog* w) { QTest::keyClick(w, Qt::Key_Escape); });
        QVERIFY(run.Run(cmd::ImportSatcoDx));
        QVERIFY(WaitIdle(run));
        QVERIFY(!run.window->Editor());
    }

    void invalidListIsRefused()
    {
        EditorRun run;
        const auto bad = run.dir / "bad.sdx";
        std::ofstream(bad) << "NOTALIST";
        run.ui.files = {bad};
        QVERIFY(run.Run(cmd::ImportSatcoDx));
        QVERIFY(WaitIdle(run));
        QCOMPARE(run.LastMessage(), std::string("Error - Invalid File"));
    }
};

QTEST_MAIN(ImportWizardTest)
#include "import_wizard_test.moc"
