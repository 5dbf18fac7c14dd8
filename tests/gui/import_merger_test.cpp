// The list-merger dialog on the real widgets: files one by one and from a
// folder, the refusals, and three SatcoDX lists merged into one.
#include "gui_test_support.h"

#include "common/files.h"

#include "import/list_merger_dialog.h"
#include "import/list_builders.h"

#include <QListView>
#include <QtTest>

#include <fstream>

using namespace velk;
using namespace velk::gui;
using velk::test::EditorRun;

namespace {

Bytes WriteList(const std::filesystem::path& path, int records, const std::string& version = "03")
{
    std::vector<test::SdxRecord> list(static_cast<std::size_t>(records));
    for (auto& r : list) {
        r.version = version;
        r.name = path.stem().string();
    }
    const auto bytes = test::JoinSdx(list, true);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

QPushButton* Button(QWidget* dialog, const char* name) { return dialog->findChild<QPushButton*>(name); }

}  // namespace

class ImportMergerTest : public QObject {
    Q_OBJECT
private slots:
    void mergesThreeSatcoDxLists()
    {
        EditorRun run(test::EditorRun::Start::EmptyDatabase);
        const auto folder = run.dir / "lists";
        std::filesystem::create_directories(folder);
        const auto a = WriteList(run.dir / "a.sdx", 2);
        const auto b = WriteList(folder / "b.sdx", 3);
        const auto c = WriteList(folder / "c.sdx", 1);
        WriteList(folder / "old.sdx", 1, "01");
        const auto output = run.dir / "all.sdx";
        bool checked = false;
        test::OnModal([&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("SatcoDX [ SDX ] File Merger"));
            QCOMPARE(Button(dialog, "folder")->toolTip(), QString("Browse for SDX file(s) folder."));
            auto* list = dialog->findChild<QListView*>("selectedFiles");
            QCOMPARE(list->toolTip(), QString("SDX file(s) list."));
            Button(dialog, "merge")->click();
            QCOMPARE(run.LastMessage(), std::string("There is no SatcoDX ( SDX )files to merge."));
            run.ui.files = {run.dir / "a.sdx"};
            Button(dialog, "files")->click();
            QCOMPARE(run.ui.fileChoices.back().title, std::string("Select a SatcoDX file"));
            Button(dialog, "merge")->click();
            QCOMPARE(run.LastMessage(), std::string("More than two files required for this operation."));
            run.ui.files = {run.dir / "A.SDX"};  // the same path in other letters
            Button(dialog, "files")->click();
            QCOMPARE(run.LastMessage(), std::string("Duplication of SatcoDX ( SDX ) files not allowed."));
            run.ui.files = {folder};
            Button(dialog, "folder")->click();  // the old protocol's list stays out
            QCOMPARE(run.ui.folderTitles.back(), std::string("Choose a folder"));
            QCOMPARE(list->model()->rowCount(), 3);
            // Remove one and take it again: the list order is the merge order.
            const auto last = list->model()->index(2, 0);
            const auto removed = last.data().toString().toStdString();
            list->selectionModel()->select(last, QItemSelectionModel::Select);
            Button(dialog, "remove")->click();
            QCOMPARE(list->model()->rowCount(), 2);
            run.ui.files = {std::filesystem::path(removed)};
            Button(dialog, "files")->click();
            run.ui.files = {output};
            Button(dialog, "merge")->click();
            QCOMPARE(run.LastMessage(), output.string() + " \nSatcoDX ( SDX ) file is generated successfully.");
            Bytes expected;
            for (const auto& path : qobject_cast<ListMergerDialog*>(dialog)->Files().Files()) {
                const auto bytes = *ReadFileBytes(path);
                expected.insert(expected.end(), bytes.begin(), bytes.end());
            }
            QCOMPARE(expected.size(), a.size() + b.size() + c.size());
            QCOMPARE(*ReadFileBytes(output), expected);
            checked = true;
            Button(dialog, "close")->click();
        });
        QVERIFY(run.Run(cmd::MergeSatcoDx));
        QVERIFY(checked);
    }

    void retitledPerFormat()
    {
        EditorRun run(test::EditorRun::Start::EmptyDatabase);
        for (const auto& [command, title, tip] : {std::tuple{cmd::MergeDvb2000, "DVB2000 [ DVB ] File Merger", "Merge DVB2000 files."},
                                                  std::tuple{cmd::MergeLyngsat, "Lyngsat [ DAT ] File Merger", "Merge Lyngsat DAT files."}}) {
            QString shownTitle, shownTip;
            test::OnModal([&](QWidget* dialog) {
                shownTitle = dialog->windowTitle();
                shownTip = Button(dialog, "merge")->toolTip();
                run.ui.files = {run.dir.Path()};
                Button(dialog, "folder")->click();
                Button(dialog, "close")->click();
            });
            QVERIFY(run.Run(command));
            QCOMPARE(shownTitle, QString(title));
            QCOMPARE(shownTip, QString(tip));
        }
        QCOMPARE(run.LastMessage(), std::string("No Lyngsat ( DAT ) files in this directory."));
    }
};

QTEST_MAIN(ImportMergerTest)
#include "import_merger_test.moc"
