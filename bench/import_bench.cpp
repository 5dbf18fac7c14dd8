// Channel-list import: a generated SatcoDX list of 100 000 records (12.8 MB,
// 200 satellites, 64 000 services ordered by channel so that transponders
// recur) parsed into the staging files, and the import database built from it.
#include "bench_support.h"

#include "common/files.h"
#include "database/default_values.h"
#include "import/import_finish.h"
#include "import/list_parsers.h"
#include "sdb/sdb_session.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace velk {
namespace {

constexpr int kSatellites = 200;
constexpr int kTransponders = 60;
constexpr int kCarrierRecords = 180;  // each transponder listed three times
constexpr int kServices = 320;        // per satellite: 64 000 in all

void Put(std::string& r, std::size_t off, const std::string& text, std::size_t width)
{
    auto t = text.substr(0, width);
    t.resize(width, '_');
    r.replace(off, width, t);
}

std::string Record(int satellite, char type, int transponder, int service)
{
    std::string r(128, '_');
    Put(r, 0, "SATCODX", 7);
    Put(r, 8, "03", 2);
    Put(r, 10, "Satellite " + std::to_string(satellite), 18);
    r[28] = type;
    char number[16];
    std::snprintf(number, sizeof number, "%06d", 10700 + 12 * transponder);
    Put(r, 33, number, 6);
    r[42] = transponder % 2 ? '1' : '0';
    std::snprintf(number, sizeof number, "%04d", 100 + 7 * satellite);
    Put(r, 51, number, 4);
    Put(r, 69, "27500", 5);
    r[74] = '3';
    if (type != '_') {
        const auto name = "Channel " + std::to_string(service) + "        ";
        Put(r, 43, name.substr(0, 8), 8);
        Put(r, 115, name.substr(8), 12);
        std::snprintf(number, sizeof number, "%04d", 100 + service % 7000);
        Put(r, 75, number, 4);
        std::snprintf(number, sizeof number, "%04d", 200 + service % 7000);
        Put(r, 79, number, 4);
        Put(r, 83, number, 4);
        std::snprintf(number, sizeof number, "%05d", 1 + service);
        Put(r, 87, number, 5);
    }
    r[127] = '\n';
    return r;
}

const std::filesystem::path& ListFile()
{
    static bench::ScratchDir dir;
    static const auto path = [] {
        std::string list;
        list.reserve(std::size_t{kSatellites} * (kCarrierRecords + kServices) * 128);
        for (int s = 0; s < kSatellites; ++s) {
            for (int c = 0; c < kCarrierRecords; ++c)
                list += Record(s, '_', c % kTransponders, 0);
            for (int v = 0; v < kServices; ++v)
                list += Record(s, v % 5 ? 'T' : 'R', (v * 7) % kTransponders, s * kServices + v);
        }
        const auto p = dir.Path() / "generated.sdx";
        WriteFileAtomic(p, ByteView(reinterpret_cast<const std::uint8_t*>(list.data()), list.size()));
        return p;
    }();
    return path;
}

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ParseSatcoDxIntoStaging(benchmark::State& state)
{
    const auto& list = ListFile();
    bench::SilentUi ui;
    bench::ScratchDir work;
    std::size_t services = 0;
    for (auto _ : state) {
        ImportStaging staging;
        ParseSatcoDxFile(ui, list, 1, staging);
        staging.Save(work.Path());
        services = staging.services.size();
    }
    state.counters["services"] = static_cast<double>(services);
    state.counters["list_MB"] = static_cast<double>(std::filesystem::file_size(list)) / 1e6;
    state.counters["peak_rss_MB"] = PeakMegabytes();
}
BENCHMARK(BM_ParseSatcoDxIntoStaging)->Unit(benchmark::kMillisecond);

void BM_BuildImportDatabase(benchmark::State& state)
{
    bench::SilentUi ui;
    bench::ScratchDir work;
    ImportSession session;
    session.list = ListFile();
    ParseSatcoDxFile(ui, session.list, 1, session.staging);
    ImportWizard wizard(ui, work.Path(), std::move(session));
    wizard.SetLnbCount(1);
    WorkingStore store;
    store.dir = work.Path();
    store.defaults = LoadDefaultValues(std::nullopt, store.productType);
    const sdb::SdbSession sdbSession;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteImportDatabase(ui, wizard, store, sdbSession, work.Path() / kImportFileName));
    state.counters["bin_KB"] = static_cast<double>(std::filesystem::file_size(work.Path() / kImportFileName)) / 1024;
    state.counters["peak_rss_MB"] = PeakMegabytes();
}
BENCHMARK(BM_BuildImportDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk
