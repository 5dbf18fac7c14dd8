#include "gui_test_support.h"

#include "common/charset.h"
#include "database/record_io.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

class EditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void treeHasSevenRootsAndNumberedLabels()
    {
        EditorRun run;
        auto* tree = run.Editor()->Tree();
        QStringList roots;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            roots << tree->topLevelItem(i)->text(0);
        QCOMPARE(roots, QStringList({"All LNB(s)", "All Satellite(s)", "All Carrier(s)", "All Service(s)", "LNB Information",
                                     "Satellite Information", "User Settings"}));
        QCOMPARE(run.Editor()->RootNode(kLnbInformation)->child(1)->text(0), QString("[ 2 ] LNB"));
        QCOMPARE(run.Editor()->SatelliteNode(1)->text(0), QString("[ 1 ] Astra 19.2E"));
        // Carriers are listed in carrier order: records 0 and 2 belong to satellite 1.
        QCOMPARE(run.Editor()->CarrierNode(1, 2)->text(0), QString("[ 2 ] 11493 H"));
        QCOMPARE(run.Editor()->CarrierNode(2, 1)->text(0), QString("[ 1 ] 12722 V"));
        // Satellites with services take the active colour, the empty one the inactive.
        QCOMPARE(run.Editor()->SatelliteNode(1)->foreground(0).color(), QColor(1, 1, 1));
        QCOMPARE(run.Editor()->SatelliteNode(3)->foreground(0).color(), QColor(0, 0x91, 0));
        QCOMPARE(run.Editor()->findChild<QLabel*>("satelliteCounter")->text(), QString(" Total Satellites  \t3"));
        QCOMPARE(run.Editor()->findChild<QLabel*>("serviceCounter")->text(), QString(" Total Services  \t5"));
    }

    void listsFollowTheSelectedNode()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Das Erste", "Rai 1", "Bayern 3", "Radio 1"}));
        QCOMPARE(run.Cell(0, 7), QString("Groups 1,3"));

        // Filtering renumbers the Index column and writes the view list.
        editor->findChild<QPushButton*>("filterRadio")->click();
        QCOMPARE(run.Column(2), QStringList({"Bayern 3", "Radio 1"}));
        QCOMPARE(run.Column(0), QStringList({"1", "2"}));
        QCOMPARE(*ReadOrderList(run.Store(), store_file::kAllServicesView), (std::vector<std::uint16_t>{3, 4}));
        editor->findChild<QPushButton*>("filterBoth")->click();

        editor->SelectNode(editor->CarrierNode(1, 1));
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Das Erste"}));
        editor->SelectNode(editor->SatelliteNode(1));
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Das Erste", "Bayern 3"}));
        QVERIFY(editor->findChild<QPushButton*>("levelCarrier")->isEnabled());
        editor->findChild<QPushButton*>("levelCarrier")->click();
        QCOMPARE(editor->Model()->Kind(), ListKind::Carriers);
        QCOMPARE(run.Column(1), QStringList({"11362 H", "11493 H"}));
        QVERIFY(!editor->findChild<QPushButton*>("filterTv")->isEnabled());

        editor->SelectNode(editor->RootNode(kAllLnbs));
        QCOMPARE(editor->Model()->columnCount(), 6);  // product type 1 with the block in the LNB
        QCOMPARE(run.Column(3), QStringList({"Universal Band", "C Band"}));
    }

    void hexViewRenamesHeadersAndCells()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        QCOMPARE(editor->Model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Video [Dec]"));
        QVERIFY(run.Run(cmd::ViewHex));
        QCOMPARE(editor->Model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), QString("Video [Hex]"));
        QCOMPARE(editor->Model()->headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), QString("PCR [Hex]"));
        QCOMPARE(run.Cell(0, 4), QString("6E"));
        QCOMPARE(run.Cell(3, 4), QString("2000"));
        QVERIFY(run.window->Action(cmd::ViewHex)->isChecked());
    }

    void detailStripShowsTheServicesParents()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        editor->SelectRows({2});
        QCOMPARE(editor->StripGroup()->title(), QString("Info - Rai 1"));
        QCOMPARE(editor->Strip()->horizontalHeaderItem(0)->text(), QString("Satellite Name"));
        QCOMPARE(editor->Strip()->item(0, 0)->text(), QString("Hotbird 13E"));
        QCOMPARE(editor->Strip()->item(0, 1)->text(), QString("013.0"));
        QCOMPARE(editor->Strip()->item(0, 2)->text(), QString("12722 V"));
        QCOMPARE(editor->Strip()->item(0, 5)->text(), QString("Vertical"));

        editor->SelectNode(editor->RootNode(kLnbInformation)->child(0));
        QCOMPARE(editor->StripGroup()->title(), QString("Info - LNB 1"));
        QCOMPARE(editor->Strip()->item(0, 1)->text(), QString("10600"));
    }

    void addRefusedOnTheAllNodes()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllCarriers));
        QVERIFY(run.Run(cmd::Add));
        QCOMPARE(run.LastMessage(), std::string("Can not insert carrier through this category.\nPlease go to particular satellite to insert a carrier."));
        QCOMPARE(run.Store().carrierCount, 3u);
        QVERIFY(!run.Editor()->Modified());
    }

    void satelliteLosingItsLastServiceTurnsInactive()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->CarrierNode(2, 1));
        editor->FocusList();
        editor->SelectRows({0, 1});
        QVERIFY(run.Run(cmd::Delete));
        QCOMPARE(run.Store().serviceCount, 3u);
        QCOMPARE(editor->SatelliteNode(2)->foreground(0).color(), QColor(0, 0x91, 0));
        QCOMPARE(editor->CarrierNode(2, 1)->foreground(0).color(), QColor(0, 0, 255));
        QVERIFY(editor->Modified());
    }

    void markingATvServiceRadioInATvViewDropsItsRow()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        editor->findChild<QPushButton*>("filterTv")->click();
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Das Erste", "Rai 1"}));
        editor->FocusList();
        editor->SelectRows({1});
        test::OnModal([](QWidget* dialog) {
            dialog->findChild<QComboBox*>("serviceType")->setCurrentIndex(1);
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(cmd::Edit));
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Rai 1"}));
        QCOMPARE(run.Column(0), QStringList({"1", "2"}));
        const auto service = ReadRecord<ServiceRecord>(run.Store(), run.ui, 1);
        QCOMPARE(int(service->type), int(kServiceRadio));
        QCOMPARE(service->videoPid, kNoPid);
    }

    void popupMarksAndSelectsRows()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->SatelliteNode(1));
        editor->findChild<QPushButton*>("levelCarrier")->click();
        editor->FocusList();
        editor->SelectRows({1});
        QMenu menu;
        editor->AddMarkMenus(&menu);
        FindAction(&menu, {"Mark As", "Polarization", "Vertical"})->trigger();
        QCOMPARE(run.Column(3), QStringList({"Horizontal", "Vertical"}));
        QCOMPARE(int(ReadRecord<CarrierRecord>(run.Store(), run.ui, 3)->polarization), 1);  // row 2 is carrier record 3
        QVERIFY(editor->Modified());

        QMenu again;
        editor->AddMarkMenus(&again);
        FindAction(&again, {"Selection", "Polarization", "Horizontal"})->trigger();
        QCOMPARE(editor->SelectedRows(), std::vector<int>{0});
        FindAction(&again, {"Selection", "&Invert Selection"})->trigger();
        QCOMPARE(editor->SelectedRows(), std::vector<int>{1});

        // Service rows: marking one factory default marks its carrier and satellite.
        editor->SelectNode(editor->CarrierNode(2, 1));
        editor->FocusList();
        editor->SelectRows({0});
        QMenu services;
        editor->AddMarkMenus(&services);
        FindAction(&services, {"Mark As", "Factory &Default"})->trigger();
        QCOMPARE(int(ReadRecord<SatelliteRecord>(run.Store(), run.ui, 2)->factoryDefault), 1);
        QCOMPARE(int(ReadRecord<CarrierRecord>(run.Store(), run.ui, 2)->factoryDefault), 1);
    }

    void detailedInformationNeedsOneRowAndFollowsTheRadix()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        editor->SelectRows({0, 1});
        QVERIFY(run.Run(cmd::DetailedInformation));
        QCOMPARE(run.LastMessage(), std::string("Select any one service record"));
        QVERIFY(run.Run(cmd::ViewHex));
        editor->SelectRows({0});
        QString title, video, lowFrequency;
        test::OnModal([&](QWidget* dialog) {
            title = dialog->windowTitle();
            video = dialog->findChild<QLabel*>("Video PID [Hex]")->text();
            lowFrequency = dialog->findChild<QLabel*>("Low freq. [MHz]")->text();
            dialog->close();
        });
        QVERIFY(run.Run(cmd::DetailedInformation));
        QCOMPARE(title, QString("ZDF Service Information"));
        QCOMPARE(video, QString("6E"));
        QCOMPARE(lowFrequency, QString("9750"));
    }

    void changeCarrierMovesServicesAndKeepsTheChannelOrder()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->CarrierNode(1, 1));
        editor->FocusList();
        editor->SelectRows({0, 1});
        std::string refused;
        QString selected;
        test::OnModal([&](QWidget* dialog) {
            selected = dialog->findChild<QLabel*>("selected")->text();
            dialog->findChild<QPushButton*>("move")->click();  // the source carrier itself
            refused = run.LastMessage();
            auto* satellite = dialog->findChild<QComboBox*>("satellite");
            satellite->setCurrentIndex(1);
            emit satellite->activated(1);
            auto* carrier = dialog->findChild<QComboBox*>("carrier");
            carrier->setCurrentIndex(0);
            emit carrier->activated(0);
            dialog->findChild<QPushButton*>("move")->click();
        });
        QVERIFY(run.Run(cmd::ChangeCarrier));
        QCOMPARE(selected, QString("Selected service 2"));
        QCOMPARE(refused, std::string("Select valid carrier for to move service(s)\nBoth selected & moved carriers are same"));
        QCOMPARE(editor->Model()->rowCount(), 0);
        editor->SelectNode(editor->CarrierNode(2, 1));
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Das Erste", "Rai 1", "Radio 1"}));
        editor->SelectNode(editor->RootNode(kAllServices));
        QCOMPARE(run.Column(2), QStringList({"ZDF", "Das Erste", "Rai 1", "Bayern 3", "Radio 1"}));
    }

    void fullLnbDialogPresetsFrequenciesByType()
    {
        EditorRun run;
        run.Store().productType = 2;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kLnbInformation)->child(0));
        editor->FocusTree();
        bool khz22Enabled = true;
        QString low, high;
        test::OnModal([&](QWidget* dialog) {
            auto* type = dialog->findChild<QComboBox*>("lnbType");
            QCOMPARE(type->itemText(3), QString("Single"));
            type->setCurrentIndex(3);
            emit type->activated(3);
            low = dialog->findChild<QLineEdit*>("low")->text();
            high = dialog->findChild<QLineEdit*>("high")->text();
            khz22Enabled = dialog->findChild<QComboBox*>("khz22")->isEnabled();
            QVERIFY(dialog->findChild<QComboBox*>("diseqc11"));  // the full dialog
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(cmd::Edit));
        QCOMPARE(low, QString("5150"));
        QCOMPARE(high, QString("5150"));
        QVERIFY(!khz22Enabled);
        const auto lnb = ReadRecord<LnbRecord>(run.Store(), run.ui, 1);
        QCOMPARE(lnb->Type(), 3u);
        QCOMPARE(lnb->HighMhz(), 5150u);
    }

    void carrierRowEditsTheCarrierItShows()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->SatelliteNode(1));
        editor->findChild<QPushButton*>("levelCarrier")->click();
        editor->FocusList();
        editor->SelectRows({1});  // carrier record 3, second under satellite 1
        test::OnModal([](QWidget* dialog) {
            test::SetText(dialog, "name", "Renamed");
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(cmd::Edit));
        QCOMPARE(editor->CarrierNode(1, 2)->text(0), QString("[ 2 ] Renamed"));
        QCOMPARE(editor->CarrierNode(1, 1)->text(0), QString("[ 1 ] 11362 H"));
        QVERIFY(editor->Modified());
    }

    // A name typed in the dialog reaches the store one byte a character (Latin-1),
    // the list shows it back as typed, and letters Latin-1 lacks are replaced once.
    void typedNamesAreStoredInTheDatabaseCharacterSet()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        const auto rename = [&](const QString& name) {
            editor->FocusList();
            editor->SelectRows({0});
            test::OnModal([name](QWidget* dialog) {
                test::SetText(dialog, "name", name);
                test::ClickOk(dialog);
            });
            QVERIFY(run.Run(cmd::Edit));
        };
        const auto stored = [&](const std::string& name) {
            const auto services = ReadAllRecords<ServiceRecord>(run.Store());
            return std::any_of(services->begin(), services->end(), [&](const auto& s) { return s.name.Text() == name; });
        };

        rename(QString::fromUtf8("Süd Ré ÿÀ"));
        QVERIFY(stored("S\xFC" "d R\xE9 \xFF\xC0"));
        QCOMPARE(run.Cell(0, 2), QString::fromUtf8("Süd Ré ÿÀ"));
        QVERIFY(run.ui.messages.empty());

        rename(QString::fromUtf8("Łódź"));
        QVERIFY(stored("L\xF3" "dz"));
        QCOMPARE(run.LastMessage(), std::string(kNamesTransliterated));
    }

    void insertInTheListOnlyWithBothTypesShown()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->CarrierNode(2, 1));
        editor->findChild<QPushButton*>("filterTv")->click();
        editor->FocusList();
        editor->SelectRows({0});
        QVERIFY(run.Run(cmd::Insert));
        QCOMPARE(run.Store().serviceCount, 5u);
        editor->findChild<QPushButton*>("filterBoth")->click();
        editor->FocusList();
        editor->SelectRows({1});
        QVERIFY(run.Run(cmd::Insert));
        QCOMPARE(run.Store().serviceCount, 6u);
        QCOMPARE(run.Column(2), QStringList({"Rai 1", "Service 2", "Radio 1"}));
    }

    void keysReachTheCommands()
    {
        EditorRun run;
        run.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(run.window.get()));
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kLnbInformation));
        editor->FocusTree();
        QTest::keyClick(editor->Tree(), Qt::Key_F2);
        QCOMPARE(run.Store().lnbCount, 3u);
        QCOMPARE(editor->Tree()->currentItem()->text(0), QString("[ 3 ] LNB"));
        QTest::keyClick(editor->Tree(), Qt::Key_Delete);
        QCOMPARE(run.Store().lnbCount, 2u);

        editor->SelectNode(editor->RootNode(kAllServices));
        editor->FocusList();
        editor->SelectRows({1});
        QTest::keyClick(editor->List(), Qt::Key_Comma);
        QCOMPARE(run.Column(2), QStringList({"Das Erste", "ZDF", "Rai 1", "Bayern 3", "Radio 1"}));
        QTest::keyClick(editor->List(), Qt::Key_R, Qt::AltModifier);  // the button clicks after its animation
        QTRY_COMPARE(run.Column(2), QStringList({"Bayern 3", "Radio 1"}));
        QCOMPARE(editor->SelectedRows(), std::vector<int>{0});
    }

    void dragAndDropFollowTheRules()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->DropNode(editor->CarrierNode(1, 1), editor->CarrierNode(2, 1));
        QCOMPARE(run.LastMessage(), std::string("Carrier move within the satellite."));
        editor->DropNode(editor->SatelliteNode(1), editor->CarrierNode(2, 1));
        QCOMPARE(run.LastMessage(), std::string("Satellite move within the \"Satellite Information\"."));
        QVERIFY(!editor->Modified());

        editor->DropNode(editor->CarrierNode(1, 2), editor->CarrierNode(1, 1));
        QCOMPARE(editor->CarrierNode(1, 1)->text(0), QString("[ 1 ] 11493 H"));
        editor->DropNode(editor->SatelliteNode(1), editor->SatelliteNode(3));
        QCOMPARE(editor->SatelliteNode(3)->text(0), QString("[ 3 ] Astra 19.2E"));
        QCOMPARE(editor->Tree()->currentItem(), editor->SatelliteNode(3));

        editor->SelectNode(editor->RootNode(kAllServices));
        editor->SelectRows({0, 2});
        editor->DropRows(4);
        QCOMPARE(run.LastMessage(), std::string("Please select the sequence of item to Move"));
        editor->SelectRows({3, 4});
        editor->DropRows(0);
        QCOMPARE(run.Column(2), QStringList({"Bayern 3", "Radio 1", "ZDF", "Das Erste", "Rai 1"}));
        QCOMPARE(editor->SelectedRows(), std::vector<int>{0});
    }

private:
    static QAction* FindAction(QMenu* menu, const QStringList& path)
    {
        for (auto* action : menu->actions()) {
            if (action->text() != path.front())
                continue;
            if (path.size() == 1)
                return action;
            if (action->menu())
                return FindAction(action->menu(), path.mid(1));
        }
        return nullptr;
    }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
