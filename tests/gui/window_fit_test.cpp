// The frame and the editor fit the screen: first-start size, whole column
// headers, remembered widths, the title shown once, every control reachable
// in a small window, a toolbar overflow that does not cover the document, and
// dialogs with the platform's buttons.
#include "gui_test_support.h"

#include "common/build_identity.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

// True when `widget` lies wholly inside `area`'s visible rectangle.
bool ShownWhole(QWidget* widget, QWidget* area)
{
    const QRect rect(widget->mapTo(area, QPoint(0, 0)), widget->size());
    return area->rect().contains(rect);
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartUsesMostOfTheScreen()
    {
        test::TempDir dir;
        test::ScriptedUi ui;
        auto session = Session::Start(dir.Path(), ui);
        MemoryKeyValueStore settings;
        Preferences prefs;
        MainWindow window(*session, settings, prefs, &ui);
        window.ShowWithSavedGeometry();
        const auto area = window.screen()->availableGeometry();
        QVERIFY(!window.isMaximized());
        QVERIFY(qAbs(window.width() - area.width() * 0.8) <= 2);
        QVERIFY(qAbs(window.height() - area.height() * 0.8) <= 2);
        window.close();
    }

    void headersShowTheirWholeTextAndTheLastColumnStretches()
    {
        EditorRun run;
        auto* editor = run.Editor();
        for (const auto kind : {kAllServices, kAllLnbs, kAllSatellites, kAllCarriers}) {
            editor->SelectNode(editor->RootNode(kind));
            auto* header = editor->List()->horizontalHeader();
            QVERIFY(header->count() > 1);
            QVERIFY(header->stretchLastSection());
            for (int c = 0; c < header->count() - 1; ++c) {
                const auto text = header->model()->headerData(c, Qt::Horizontal).toString();
                QVERIFY2(header->sectionSize(c) >= header->sectionSizeHint(c), qPrintable(text));
            }
        }
    }

    void userWidthsAndTheTreePaneAreRemembered()
    {
        EditorRun run;
        auto* editor = run.Editor();
        editor->SelectNode(editor->RootNode(kAllServices));
        editor->List()->horizontalHeader()->resizeSection(2, 222);  // as the user drags it
        auto* splitter = editor->findChild<QSplitter*>();
        splitter->setSizes({300, 600});
        emit splitter->splitterMoved(300, 1);

        QVERIFY(run.window->NewDatabase());
        editor = run.Editor();
        test::WriteSampleDatabase(run.Store(), test::EditorSample());
        editor->Reload();
        editor->SelectNode(editor->RootNode(kAllServices));
        QCOMPARE(editor->List()->columnWidth(2), 222);
        QTRY_COMPARE(editor->findChild<QSplitter*>()->sizes().value(0), 300);
    }

    void satelliteNamesFitTheTreeAtItsDefaultWidth()
    {
        EditorRun run;
        auto* tree = run.Editor()->Tree();
        tree->expandAll();
        auto* node = run.Editor()->SatelliteNode(3);
        node->setText(0, "[ 64 ] Hotbird 13E Eutelsa");  // the longest label: 19 characters of name
        const auto rect = tree->visualItemRect(node);
        const int textEnd = rect.left() + tree->iconSize().width() + tree->fontMetrics().horizontalAdvance(node->text(0));
        QVERIFY(textEnd <= tree->viewport()->width());
    }

    void frameTitleShowsTheCaptionOnceWithTheModifiedMarker()
    {
        EditorRun run;
        const auto frame = QString::fromStdString(ApplicationTitle() + " [ Type 1 ]");
        QCOMPARE(run.window->windowTitle(), frame + " - [ New ][*]");
        run.Editor()->MarkChangedBesideStore();
        QVERIFY(run.window->isWindowModified());

        const auto file = run.dir / "title.bin";
        run.ui.files.push_back(file);
        run.ui.answers = {Answer::Yes};
        test::OnModal([](QWidget* dialog) { test::ClickOk(dialog); });
        QVERIFY(run.Run(cmd::Save));
        QCOMPARE(run.window->windowTitle(), frame + " - [ " + QString::fromStdString(file.string()) + " ][*]");
        QVERIFY(!run.window->isWindowModified());
        QVERIFY(run.Run(cmd::Close));
        QCOMPARE(run.window->windowTitle(), frame);
    }

    void smallWindowKeepsEveryControlReachable()
    {
        EditorRun run;
        for (const QSize size : {QSize(800, 600), QSize(640, 480)}) {
            run.window->resize(size);
            QTest::qWait(20);
            auto* area = run.window->MdiArea()->viewport();
            auto* editor = run.Editor();
            editor->SelectNode(editor->SatelliteNode(1));
            for (const char* name : {"filterTv", "filterRadio", "filterBoth", "levelCarrier", "levelService"})
                QVERIFY2(ShownWhole(editor->findChild<QWidget*>(name), area), name);
            QVERIFY(ShownWhole(editor->Tree(), area));
            QVERIFY(ShownWhole(editor->List(), area));
            QVERIFY(editor->List()->height() > 40);
        }
    }

    void toolbarOverflowIsAMenuNotAnOverlay()
    {
        EditorRun run;
        run.window->resize(640, 480);
        QTest::qWait(20);
        auto* bar = run.window->findChild<QToolBar*>("Toolbar");
        auto* extension = bar->findChild<QToolButton*>("qt_toolbar_ext_button");
        QVERIFY(extension && extension->isVisible());
        const int height = bar->height();
        QTest::mouseClick(extension, Qt::LeftButton);
        auto* menu = extension->findChild<QMenu*>("toolbarOverflow");
        QVERIFY(menu && menu->isVisible());
        QVERIFY(!menu->actions().isEmpty());
        QCOMPARE(menu->actions().last()->text(), run.window->Action(cmd::Compression)->text());
        QCOMPARE(bar->height(), height);
        menu->close();
    }

    void dialogsShowTheirTitlesAndStandardButtons()
    {
        EditorRun run;
        test::OnModal([](QWidget* dialog) {
            auto* tabs = dialog->findChild<QTabWidget*>("tabs")->tabBar();
            for (int i = 0; i < tabs->count(); ++i)
                QVERIFY2(tabs->tabRect(i).right() < tabs->width()
                             && tabs->tabRect(i).width() >= tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)),
                         qPrintable(tabs->tabText(i)));
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Close);
            buttons->button(QDialogButtonBox::Close)->click();
        });
        QVERIFY(run.Run(cmd::DefaultValues));
        test::OnModal([](QWidget* dialog) {
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Close);
            buttons->button(QDialogButtonBox::Close)->click();
        });
        QVERIFY(run.Run(cmd::Color));
    }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"
