// An instrumented run of the editor with 25 000 services: how long selecting
// a tree node takes until its list is shown, and one scroll through the list.
// velk_gui_timing (run under QT_QPA_PLATFORM=offscreen, release build for figures).
#include "gui_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <algorithm>
#include <numeric>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

using namespace velk;

namespace {

void WriteLargeDatabase(WorkingStore& store, std::uint32_t carriers, std::uint32_t servicesPerCarrier)
{
    test::SampleDatabase db;
    db.lnbs = {test::MakeLnb(9750, 10600)};
    db.satellites = {test::MakeSatellite("Astra 19.2E", 0, 192, static_cast<std::uint16_t>(carriers))};
    for (std::uint32_t k = 0; k < carriers; ++k) {
        auto carrier = test::MakeCarrier("Carrier", 0, 10700 + k, 27500, static_cast<std::uint16_t>(servicesPerCarrier));
        carrier.polarization = static_cast<std::uint8_t>(k % 2);
        db.carriers.push_back(carrier);
        db.carrierOrder.push_back(static_cast<std::uint16_t>(k));
        for (std::uint32_t i = 0; i < servicesPerCarrier; ++i)
            db.services.push_back(test::MakeService("Service", i % 5 == 0 ? kServiceRadio : kServiceTv,
                                                    static_cast<std::uint16_t>(i + 1), 100 + i, 200 + i));
    }
    for (std::uint32_t r = 0; r < db.services.size(); ++r)
        db.channelOrder.push_back(static_cast<std::uint16_t>((r * 7919u) % db.services.size()));  // a permutation: 7919 is prime
    test::WriteSampleDatabase(store, db);
}

template <typename Fn>
double Milliseconds(Fn work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    QApplication::processEvents();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The editor's commands over the whole database that could take long: each
// through the frame as the user runs it, its dialogs answered at once.
void TimeListCommands(test::EditorRun& run)
{
    auto* editor = run.Editor();
    const auto csv = run.dir / "all.csv";
    const auto bin = run.dir / "all.bin";
    const auto timed = [&](const char* what, std::function<void()> act) { std::printf("%s: %.1f ms\n", what, Milliseconds(act)); };
    run.ui.files = {csv};
    timed("CSV export", [&] { editor->ExportCsv(); });
    run.ui.files = {csv};
    timed("CSV import", [&] { editor->ImportCsv(); });
    run.ui.files = {run.dir / "report.txt"};
    timed("text report", [&] { run.window->Action(gui::cmd::TextFile)->trigger(); });
    run.ui.files = {bin};
    test::OnModal([](QWidget* version) { test::ClickOk(version); });
    timed("save as", [&] { run.window->SaveDatabase(true); });
    run.ui.files = {bin};
    timed("apply order from the saved file", [&] { editor->ApplyOrderFrom(); });
    test::OnModal([](QWidget* duplicates) { qobject_cast<QDialog*>(duplicates)->reject(); });
    timed("find duplicates until the dialog closes", [&] { editor->FindDuplicates(); });
    run.ui.answers = {Answer::No};  // drop the unsaved changes
    timed("open", [&] { run.window->OpenDatabase(bin); });
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    test::EditorRun run(test::EditorRun::Start::EmptyDatabase, {1280, 800});
    auto& window = *run.window;
    WriteLargeDatabase(run.Store(), 100, 250);
    auto* editor = window.Editor();
    const double reload = Milliseconds([&] { editor->Reload(); });
    const double all = Milliseconds([&] { editor->SelectNode(editor->RootNode(gui::kAllLnbs)); editor->SelectNode(editor->RootNode(gui::kAllServices)); });
    const double satellite = Milliseconds([&] { editor->SelectNode(editor->SatelliteNode(1)); });
    const double carrier = Milliseconds([&] { editor->SelectNode(editor->CarrierNode(1, 50)); });
    editor->SelectNode(editor->RootNode(gui::kAllServices));
    auto* bar = editor->List()->verticalScrollBar();
    const double scroll = Milliseconds([&] {
        for (int step = 0; step < 100; ++step) {
            bar->setValue(bar->maximum() * step / 99);
            editor->List()->viewport()->repaint();
        }
    });
    // Find: opening builds the catalogue (on a worker); each keystroke searches and resets the results.
    const double findOpen = Milliseconds([&] {
        editor->ShowFindBar();
        while (!editor->Finder()->Ready())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    });
    double keystroke = 0;
    for (const char* typed : {"s", "se", "ser", "serv", "1", "12", "123", "1234"})
        keystroke = std::max(keystroke, Milliseconds([&] { editor->Finder()->Text()->setText(typed); }));
    // Undo and redo of a delete of 1 000 services, each with the reread of the store.
    editor->ResetHistory();
    editor->SelectNode(editor->RootNode(gui::kAllServices));
    editor->FocusList();
    std::vector<int> rows(1000);
    std::iota(rows.begin(), rows.end(), 0);
    editor->SelectRows(rows);
    editor->RunCommand(gui::cmd::Delete);
    const double undo = Milliseconds([&] { editor->Undo(); });
    const double redo = Milliseconds([&] { editor->Redo(); });
    std::printf("services %u\nreload (read store, build tree): %.1f ms\nselect \"All Service(s)\": %.1f ms\n"
                "select satellite (all services): %.1f ms\nselect carrier (250 services): %.1f ms\n100 scroll steps with repaint: %.1f ms\n"
                "open find bar: %.1f ms\nfind keystroke (slowest of 8): %.1f ms\nundo / redo delete of 1 000 services with reread: %.1f / %.1f ms\n",
                run.Store().serviceCount, reload, all, satellite, carrier, scroll, findOpen, keystroke, undo, redo);
    TimeListCommands(run);
    return 0;
}
