// An instrumented import of a 100 000-record SatcoDX list through the wizard:
// how long each step takes to fill its lists, one check box, and "&Finish"
// until the editor shows the imported database.
// velk_gui_import_timing (run under QT_QPA_PLATFORM=offscreen, release build for figures).
#include "gui_test_support.h"

#include "import/carrier_step_page.h"
#include "import/import_wizard_dialog.h"
#include "import/list_builders.h"
#include "import/lnb_details_dialog.h"
#include "import/satellite_step_page.h"
#include "import/service_step_page.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QTableView>

#include <cstdio>
#include <ctime>
#include <optional>
#include <fstream>

using namespace velk;
using namespace velk::gui;

namespace {

constexpr int kSatellites = 10;
constexpr int kCarriers = 100;  // per satellite
constexpr int kServices = 100;  // per carrier: 100 000 records in all
constexpr int kKeptSatellites = 6;  // a BIN file holds at most 65 535 services

void WriteList(const std::filesystem::path& path)
{
    std::vector<test::SdxRecord> records;
    records.reserve(kSatellites * kCarriers * kServices);
    for (int s = 0; s < kSatellites; ++s) {
        for (int c = 0; c < kCarriers; ++c) {
            for (int v = 0; v < kServices; ++v) {
                test::SdxRecord r;
                r.satellite = QString("SAT%1").arg(s).leftJustified(18).toStdString();
                r.position = QString::number(100 + s * 10).rightJustified(4, '0').toStdString();
                r.frequencyMhz = QString::number(10700 + c * 10).rightJustified(6, '0').toStdString();
                r.polarization = c % 2 ? '1' : '0';
                r.type = v % 5 ? 'T' : 'R';
                r.name = QString("S%1").arg(v).toStdString();
                r.serviceId = QString::number(v + 1).rightJustified(5, '0').toStdString();
                records.push_back(r);
            }
        }
    }
    const auto bytes = test::JoinSdx(records, false);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Calls `act` once a modal dialog of type T shows (the parse's progress comes first).
template <typename T>
void OnDialog(std::function<void(T*)> act)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall and CPU time of `act` and the events it caused (layout and painting of
// the lists): on a busy machine the CPU time is the figure that holds.
struct Timing {
    QElapsedTimer wall;
    double cpu = CpuMs();
    Timing() { wall.start(); }
    QString Text() const
    {
        return QString("%1 ms (CPU %2 ms)").arg(static_cast<double>(wall.nsecsElapsed()) / 1e6, 0, 'f', 1).arg(CpuMs() - cpu, 0, 'f', 1);
    }
};

template <typename Fn>
std::string Measure(Fn act)
{
    const Timing timing;
    act();
    QCoreApplication::processEvents();
    return timing.Text().toStdString();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    test::EditorRun run(test::EditorRun::Start::NoDatabase, {1200, 800});
    auto& window = *run.window;
    auto& ui = run.ui;
    const auto& dir = run.dir;
    const auto list = dir / "big.sdx";
    WriteList(list);
    ui.files = {list, dir / "big.bin"};
    ui.answers = {Answer::No};  // non-filter mode: everything starts selected

    std::optional<Timing> finish;
    OnDialog<LnbCountDialog>([&](LnbCountDialog* count) {
        OnDialog<ImportWizardDialog>([&](ImportWizardDialog* w) {
            const auto next = [w] { w->button(QWizard::NextButton)->click(); };
            std::printf("step 2 lists filled: %s\n", Measure(next).c_str());
            auto* satellites = w->SatellitePage()->List()->model();
            for (int s = kKeptSatellites; s < kSatellites; ++s)
                satellites->setData(satellites->index(s, 0), Qt::Unchecked, Qt::CheckStateRole);
            std::printf("step 3 lists filled (%d carriers): %s\n", kKeptSatellites * kCarriers, Measure(next).c_str());
            std::printf("step 3 KU band for all satellites: %s\n", Measure([w] { w->CarrierPage()->Box(1)->click(); }).c_str());
            std::printf("step 4 lists filled (%d services): %s\n", kKeptSatellites * kCarriers * kServices, Measure(next).c_str());
            auto* services = w->ServicePage()->ChildList()->model();
            std::printf("one service check box: %s\n",
                        Measure([services] { services->setData(services->index(0, 0), Qt::Unchecked, Qt::CheckStateRole); }).c_str());
            finish.emplace();
            w->button(QWizard::FinishButton)->click();
        });
        test::SetText(count, "count", "1");
        test::ClickOk(count);
    });
    const Timing whole;
    window.Action(cmd::ImportSatcoDx)->trigger();
    while (!window.Editor())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
    std::printf("Finish to the editor showing %u services: %s\n", run.Store().serviceCount, finish->Text().toStdString().c_str());
    std::printf("whole run (parse of %d records and wizard): %s\n", kSatellites * kCarriers * kServices, whole.Text().toStdString().c_str());
    return 0;
}
