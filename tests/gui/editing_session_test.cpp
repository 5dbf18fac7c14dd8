// A whole editing session through the frame's commands and the real dialogs:
// build a database, edit every level with refused inputs first, reorder,
// save, close, reopen from the recent list and compare.
#include "gui_test_support.h"

#include "database/colour_dialog.h"
#include "database/record_io.h"

#include <QComboBox>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

// Opens the record dialog of the focused node or row, types a refused value,
// checks the message and focus, then types `fix` and confirms.
void EditWithRefusal(EditorRun& run, const char* field, const QString& bad, const std::string& message,
                     std::vector<std::pair<const char*, QString>> fix)
{
    QString focus;
    std::string shown;
    test::OnModal([&](QWidget* dialog) {
        test::SetText(dialog, field, bad);
        test::ClickOk(dialog);
        shown = run.LastMessage();
        focus = test::FocusName(dialog);
        for (const auto& [name, text] : fix)
            test::SetText(dialog, name, text);
        test::ClickOk(dialog);
    });
    QVERIFY(run.Run(cmd::Edit));
    QCOMPARE(shown, message);
    QCOMPARE(focus, QString(field));
}

struct Contents {
    std::vector<std::string> satellites, carriers, channelOrder;
    bool operator==(const Contents&) const = default;
};

Contents ContentsOf(const WorkingStore& store)
{
    Contents c;
    const auto satellites = ReadAllRecords<SatelliteRecord>(store);
    const auto carriers = ReadAllRecords<CarrierRecord>(store);
    const auto services = ReadAllRecords<ServiceRecord>(store);
    const auto order = ReadOrderList(store, store_file::kServiceOrder);
    for (const auto& s : *satellites)
        c.satellites.push_back(s.name.Text());
    for (const auto& k : *carriers)
        c.carriers.push_back(k.name.Text());
    for (auto index : *order)
        c.channelOrder.push_back(services->at(index).name.Text());
    return c;
}

}  // namespace

class EditingSessionTest : public QObject {
    Q_OBJECT
private slots:
    void buildEditSaveAndReopen()
    {
        EditorRun run(test::EditorRun::Start::EmptyDatabase);
        auto* editor = run.Editor();
        QVERIFY(run.window->MdiArea()->subWindowList().front()->windowTitle().startsWith(" [ New ] "));

        // Build: an LNB, two satellites, a carrier with three services.
        editor->SelectNode(editor->RootNode(kLnbInformation));
        QVERIFY(run.Run(cmd::Add));
        QCOMPARE(editor->Tree()->currentItem()->text(0), QString("[ 1 ] LNB"));
        editor->SelectNode(editor->RootNode(kSatelliteInformation));
        QVERIFY(run.Run(cmd::Add));
        editor->SelectNode(editor->RootNode(kSatelliteInformation));
        QVERIFY(run.Run(cmd::Add));
        QCOMPARE(editor->SatelliteNode(2)->text(0), QString("[ 2 ] Satellite 2"));
        editor->SelectNode(editor->SatelliteNode(1));
        QVERIFY(run.Run(cmd::Add));
        QCOMPARE(editor->Tree()->currentItem()->text(0), QString("[ 1 ] Carrier"));
        for (int i = 0; i < 3; ++i) {
            editor->SelectNode(editor->CarrierNode(1, 1));
            QVERIFY(run.Run(cmd::Add));
        }
        QCOMPARE(run.Store().serviceCount, 3u);
        QCOMPARE(run.Column(2), QStringList({"Service 1", "Service 2", "Service 3"}));
        QVERIFY(editor->Modified());

        // Edit every level, each first with a refused value.
        editor->SelectNode(editor->RootNode(kLnbInformation)->child(0));
        editor->FocusTree();
        EditWithRefusal(run, "low", "13000", "Invalid Frequency", {{"low", "9750"}, {"high", "10600"}});
        editor->SelectNode(editor->SatelliteNode(1));
        editor->FocusTree();
        EditWithRefusal(run, "position", "64", "Satellite Position should be less then 64.",
                        {{"position", "1"}, {"name", "Astra"}, {"angle", "19.2"}});
        QCOMPARE(editor->SatelliteNode(1)->text(0), QString("[ 1 ] Astra"));
        QCOMPARE(ReadRecord<SatelliteRecord>(run.Store(), run.ui, 1)->angle, std::int16_t(192));
        editor->SelectNode(editor->CarrierNode(1, 1));
        editor->FocusTree();
        EditWithRefusal(run, "frequency", "999", "Carrier frequency should be in the range of 1000-15000.",
                        {{"frequency", "11362"}, {"name", "11362 H"}});
        QCOMPARE(editor->CarrierNode(1, 1)->text(0), QString("[ 1 ] 11362 H"));
        editor->SelectNode(editor->CarrierNode(1, 1));
        editor->FocusList();
        editor->SelectRows({0});
        const QString taken = run.Cell(1, 1);
        EditWithRefusal(run, "programNumber", taken, "Service Program No already exist.",
                        {{"programNumber", "700"}, {"name", "First"}, {"videoPid", "511"}, {"audioPid", "512"}});
        QCOMPARE(run.Column(2), QStringList({"First", "Service 2", "Service 3"}));

        // Factory default: refused on a carrier of a plain satellite, then allowed.
        editor->SelectNode(editor->CarrierNode(1, 1));
        editor->FocusTree();
        QVERIFY(run.Run(cmd::FactoryDefault));
        QCOMPARE(run.LastMessage(), std::string("Not possible to set factory default.\nBecause satellite factory default is not set."));
        editor->SelectNode(editor->SatelliteNode(1));
        QVERIFY(run.Run(cmd::FactoryDefault));
        editor->SelectNode(editor->CarrierNode(1, 1));
        QVERIFY(run.Run(cmd::FactoryDefault));
        QCOMPARE(int(ReadRecord<CarrierRecord>(run.Store(), run.ui, 1)->factoryDefault), 1);

        // Reorder services: swap the first two, then move the last one up.
        editor->SelectNode(editor->CarrierNode(1, 1));
        editor->FocusList();
        editor->SelectRows({0, 1});
        QVERIFY(run.Run(cmd::SwapInformation));
        QCOMPARE(run.Column(2), QStringList({"Service 2", "First", "Service 3"}));
        editor->SelectRows({2});
        QVERIFY(run.Run(cmd::MoveUp));
        QCOMPARE(run.Column(2), QStringList({"Service 2", "Service 3", "First"}));
        QCOMPARE(editor->SelectedRows(), std::vector<int>{1});

        // Move satellite 1 behind satellite 2 through the Move dialog; a refused target first.
        editor->SelectNode(editor->SatelliteNode(1));
        editor->FocusTree();
        std::string refused;
        test::OnModal([&](QWidget* dialog) {
            test::SetText(dialog, "target", "3");
            test::ClickOk(dialog);
            refused = run.LastMessage();
            test::SetText(dialog, "target", "2");
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(cmd::Move));
        QCOMPARE(refused, std::string("Record Index should not exceed 2"));
        QCOMPARE(editor->SatelliteNode(2)->text(0), QString("[ 2 ] Astra"));
        QCOMPARE(editor->Tree()->currentItem(), editor->SatelliteNode(2));

        // Save through the version dialog and the file choice.
        const auto file = run.dir / "session.bin";
        run.ui.files.push_back(file);
        test::OnModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("StaticDatabase Version"));
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(cmd::Save));
        QVERIFY(std::filesystem::exists(file));
        QVERIFY(!editor->Modified());
        QCOMPARE(run.window->MdiArea()->subWindowList().front()->windowTitle(), QString::fromStdString("[ " + file.string() + " ]") + "[*]");
        const auto saved = ContentsOf(run.Store());

        // Close (no question: nothing unsaved), open the file, close, reopen from the recent list.
        const auto questions = run.ui.messages.size();
        QVERIFY(run.Run(cmd::Close));
        QCOMPARE(run.ui.messages.size(), questions);
        QVERIFY(!run.window->Editor());
        QCOMPARE(run.Store().satelliteCount, 0u);
        run.ui.files.push_back(file);
        QVERIFY(run.Run(cmd::Open));
        QCOMPARE(run.ui.fileChoices.back().title, std::string("Open"));
        QCOMPARE(ContentsOf(run.Store()), saved);
        QVERIFY(run.Run(cmd::Close));
        auto* recent = run.window->findChild<QAction*>("cmd40051");
        QVERIFY(recent);
        QCOMPARE(recent->text(), QString::fromStdString("&1  " + file.string()));
        recent->trigger();
        QVERIFY(run.window->Editor());
        QCOMPARE(ContentsOf(run.Store()), saved);
        QCOMPARE(run.window->Editor()->SatelliteNode(2)->text(0), QString("[ 2 ] Astra"));

        // A recent file that vanished is reported and the open database stays.
        std::filesystem::remove(file);
        run.window->findChild<QAction*>("cmd40051")->trigger();
        QCOMPARE(run.LastMessage(), std::string("File Path (or) File does not exist"));
        QCOMPARE(ContentsOf(run.Store()), saved);
    }

    void unsavedChangesAreNeverDroppedSilently()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kSatelliteInformation));
        QVERIFY(run.Run(cmd::Add));
        QVERIFY(editor->Modified());

        // Close, New, Open and Exit each ask; Cancel keeps the database.
        for (Command command : {cmd::Close, cmd::New, cmd::Open}) {
            run.ui.answers = {Answer::Cancel};
            QVERIFY(run.Run(command));
            QCOMPARE(run.LastMessage(), std::string(kUnsavedQuestion));
            QCOMPARE(run.window->Editor(), editor);
            QCOMPARE(run.Store().satelliteCount, 4u);
        }
        // Exit asks one question: with changes, the save question.
        const auto shown = run.ui.messages.size();
        run.ui.answers = {Answer::Cancel};
        QVERIFY(!run.window->close());
        QCOMPARE(run.ui.messages.size(), shown + 1);
        QCOMPARE(run.LastMessage(), std::string(kUnsavedQuestion));
        QCOMPARE(run.Store().satelliteCount, 4u);

        // Yes saves first; a cancelled save keeps the database too.
        run.ui.answers = {Answer::Yes};
        test::OnModal([](QWidget* dialog) { dialog->close(); });  // the version dialog, cancelled
        QVERIFY(run.Run(cmd::Close));
        QCOMPARE(run.window->Editor(), editor);

        // No drops the changes.
        run.ui.answers = {Answer::No};
        QVERIFY(run.Run(cmd::Close));
        QVERIFY(!run.window->Editor());
        QCOMPARE(run.Store().satelliteCount, 0u);
    }

    void defaultValuesDialogChecksAndStores()
    {
        EditorRun run;
        std::string shown;
        QString focus;
        test::OnModal([&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Default Values"));
            test::SetText(dialog, "low", "10600");
            test::SetText(dialog, "high", "9750");
            test::ClickOk(dialog);
            shown = run.LastMessage();
            focus = test::FocusName(dialog);
            test::SetText(dialog, "high", "10700");
            test::SetText(dialog, "frequency", "999");
            test::ClickOk(dialog);
            test::SetText(dialog, "frequency", "3000");
            dialog->findChild<QComboBox*>("serviceType")->setCurrentIndex(1);
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(cmd::DefaultValues));
        QCOMPARE(shown, std::string("Low frequency greater than high frequency."));
        QCOMPARE(focus, QString("low"));
        QCOMPARE(run.ui.messages.back().text, std::string("Carrier frequency should be in the range of 1000-15000."));
        const auto& d = run.Store().defaults;
        QCOMPARE(d.lnb.HighMhz(), 10700u);
        QCOMPARE(int(d.service.type), int(kServiceRadio));
        QCOMPARE(d.service.videoPid, kNoPid);

        // The next satellite takes the edited defaults; the records already there do not change.
        auto* editor = run.Editor();
        editor->SelectNode(editor->CarrierNode(1, 1));
        QVERIFY(run.Run(cmd::Add));
        QCOMPARE(run.Cell(run.Editor()->Model()->rowCount() - 1, 3), QString("Radio"));
        QCOMPARE(run.Cell(0, 3), QString("TV"));
    }

    void colourDialogAppliesAndStores()
    {
        EditorRun run;
        test::OnModal([](QWidget* dialog) {
            auto* colours = qobject_cast<ColourDialog*>(dialog);
            colours->chooser = [](const QColor&) { return QColor(255, 0, 0); };
            colours->Swatch(1)->click();  // inactive satellites
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(cmd::Color));
        QCOMPARE(run.preferences.colours.inactiveSatellite, 0x0000FFu);
        QCOMPARE(*run.settings.Read(PreferenceKey("Color"), "InactSatellite"), std::string("255"));
        QCOMPARE(run.Editor()->SatelliteNode(3)->foreground(0).color(), QColor(255, 0, 0));
    }

    void commandsOnAnEmptyDatabaseAreRefused()
    {
        EditorRun run(test::EditorRun::Start::EmptyDatabase);
        for (Command command : {cmd::Save, cmd::SaveAs, cmd::SdbInformation, cmd::TextFile})
            QVERIFY(run.Run(command));
        const std::vector<std::string> expected{"LNB Information should be entered", "LNB Information should be entered",
                                                "LNB Information should be entered ", "There is no information to export"};
        QCOMPARE(run.ui.Texts(), expected);
        QVERIFY(run.ui.fileChoices.empty());
        QVERIFY(run.Run(cmd::Contents));
        QCOMPARE(run.LastMessage(), std::string("File Path (or) File does not exist"));
    }

    void sdbInformationShowsCountsAndSize()
    {
        EditorRun run;
        QVERIFY(run.Run(cmd::SdbInformation));
        QCOMPARE(run.ui.messages.back().caption, std::string("SDB file information "));
        QVERIFY(run.LastMessage().find(" Total  Services\t: 5 ") != std::string::npos);
    }
};

QTEST_MAIN(EditingSessionTest)
#include "editing_session_test.moc"
