// The "Settings" dialog's product-type switch and the "User Settings" dialogs.
#include "gui_test_support.h"

#include "link/adb_layout.h"
#include "link/link_commands.h"
#include "link/user_settings_dialog.h"

#include <QComboBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace velk;
using velk::test::EditorRun;

namespace {

// Opens the dialog of the "User Settings" node with Enter, as the user does.
void OpenUserSettings(EditorRun& run, std::function<void(QWidget*)> act)
{
    run.Editor()->SelectNode(run.Editor()->RootNode(gui::kUserSettings));
    run.Editor()->FocusTree();
    test::OnModal(std::move(act));
    QVERIFY(run.Run(gui::cmd::Edit));
}

QStringList Tabs(QWidget* dialog)
{
    auto* tabs = static_cast<gui::UserSettingsDialog*>(dialog)->Tabs();
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

QString TextOf(QWidget* field)
{
    if (auto* box = qobject_cast<QComboBox*>(field))
        return box->currentText();
    return static_cast<QLineEdit*>(field)->text();
}

// Gives every field another value; returns the texts chosen by field name.
QMap<QString, QString> ChangeEveryField(QWidget* dialog)
{
    auto* d = static_cast<gui::UserSettingsDialog*>(dialog);
    QMap<QString, QString> chosen;
    for (auto* widget : dialog->findChildren<QWidget*>()) {
        const auto name = widget->objectName();
        if (name.isEmpty() || d->Field(name.toStdString()) != widget)
            continue;
        if (auto* box = qobject_cast<QComboBox*>(widget))
            box->setCurrentIndex((box->currentIndex() + 1) % box->count());
        else
            static_cast<QLineEdit*>(widget)->setText(name.contains("ock") ? "4321" : name.startsWith("Favorite") ? "Grp"
                                                     : name == "RF Channel No"                                ? "30"
                                                                                                              : "7");
        chosen[name] = TextOf(widget);
    }
    return chosen;
}

}  // namespace

class LinkSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void productTypeSwitchDeletesTheDumpsAndRetitlesTheFrame()
    {
        EditorRun run;
        test::WriteText(run.Store().File(link::adb::kAdbDump), "adb");
        test::WriteText(run.Store().File(link::adb::kE2pDump), "e2p");
        QString portTip;
        std::string blankMessage;
        test::OnModal([&](QWidget* dialog) {
            portTip = dialog->findChild<QPushButton*>("ok")->toolTip();
            // A configuration file in a folder with a blank is refused before it is read.
            run.ui.files.push_back(std::filesystem::path("/tmp/my configs/box.ecf"));
            dialog->findChild<QToolButton*>("chooseConfiguration")->click();
            blankMessage = run.LastMessage();
            dialog->findChild<QComboBox*>("port")->setCurrentText("/dev/ttyUSB7");
            dialog->findChild<QComboBox*>("productType")->setCurrentIndex(1);
            dialog->findChild<QComboBox*>("pids")->setCurrentIndex(1);
            test::ClickOk(dialog);
        });
        QVERIFY(run.Run(gui::cmd::Settings));
        QCOMPARE(portTip, QString("Click to select current configuration"));
        QCOMPARE(blankMessage, std::string("/tmp/my configs/box.ecf\nFolder or Filename is having SPACE. Rename it and try"));
        QVERIFY(run.Editor()->Hex());  // "PIDs values" Hexadecimal: the lists follow
        QVERIFY(!std::filesystem::exists(run.Store().File(link::adb::kAdbDump)));
        QVERIFY(!std::filesystem::exists(run.Store().File(link::adb::kE2pDump)));
        QCOMPARE(run.Store().productType, 2);
        QVERIFY(run.window->windowTitle().startsWith(QString::fromStdString(run.session->FrameTitle())));
        QVERIFY(run.window->windowTitle().contains("[ Type 2 ]"));
        QCOMPARE(run.settings.Read(PreferenceKey("PortSettings"), "Port").value_or(""), std::string("/dev/ttyUSB7"));
        QCOMPARE(run.window->findChild<gui::LinkCommands*>()->Context().config.port.port, std::string("/dev/ttyUSB7"));
    }

    void userSettingsRefusalsKeepTheDialogOpen()
    {
        EditorRun run;
        QStringList tabs;
        std::vector<std::string> refusals;
        QString focusAfterLock;
        bool stillOpen = false;
        OpenUserSettings(run, [&](QWidget* dialog) {
            tabs = Tabs(dialog);
            auto* d = static_cast<gui::UserSettingsDialog*>(dialog);
            static_cast<QLineEdit*>(d->Field("User Lock Code"))->setText("12");
            static_cast<QLineEdit*>(d->Field("RF Channel No"))->setText("99");
            test::ClickOk(dialog);
            refusals.push_back(run.LastMessage());
            focusAfterLock = test::FocusName(dialog);
            static_cast<QLineEdit*>(d->Field("User Lock Code"))->setText("0012");
            test::ClickOk(dialog);
            refusals.push_back(run.LastMessage());
            stillOpen = dialog->isVisible();
            dialog->findChild<QPushButton*>("close")->click();
        });
        QCOMPARE(tabs, QStringList({"Time", "TV", "OSD", "Language", "Lock", "Favorites", "Color"}));
        QCOMPARE(refusals, (std::vector<std::string>{"Invalid lock code, should enter 4 character as lock code",
                                                     "RF Channel No is not with in the allowed range"}));
        QCOMPARE(focusAfterLock, QString("User Lock Code"));
        QVERIFY(stillOpen);
        QVERIFY(!run.Editor()->Modified());
    }

    void everyFieldRoundTripsThroughSaveAndReopen()
    {
        for (const std::uint8_t type : {1, 2}) {
            EditorRun run;
            run.Store().productType = type;
            QMap<QString, QString> chosen;
            OpenUserSettings(run, [&](QWidget* dialog) {
                chosen = ChangeEveryField(dialog);
                run.ui.answers.push_back(Answer::No);  // "Do you want to edit color settings ?"
                test::ClickOk(dialog);
            });
            QVERIFY(run.Editor()->Modified());
            QVERIFY(chosen.size() >= 20);
            QMap<QString, QString> reopened;
            QStringList tabs;
            OpenUserSettings(run, [&](QWidget* dialog) {
                tabs = Tabs(dialog);
                for (auto it = chosen.begin(); it != chosen.end(); ++it)
                    reopened[it.key()] = TextOf(static_cast<gui::UserSettingsDialog*>(dialog)->Field(it.key().toStdString()));
                dialog->findChild<QPushButton*>("close")->click();
            });
            QCOMPARE(reopened, chosen);
            if (type == 2)
                QCOMPARE(tabs, QStringList({"Time Setup", "TV Setup", "OSD Setup", "Language Setup", "Lock Setup", "Favorites"}));
        }
    }
};

QTEST_MAIN(LinkSettingsTest)
#include "link_settings_test.moc"
