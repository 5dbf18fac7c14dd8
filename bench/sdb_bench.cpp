// Open, save, text report and sort of a full-size database: 16 LNBs,
// 64 satellites, 2000 carriers, 25000 services.
#include "bench_support.h"

#include "common/format.h"
#include "database/record_io.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_sort.h"
#include "sdb/sdb_writer.h"
#include "sdb/text_report.h"

#include <benchmark/benchmark.h>

#include <numeric>

namespace velk::bench {
namespace {

constexpr std::uint32_t kLnbs = 16, kSatellites = 64, kCarriers = 2000, kServices = 25000;

struct FullDatabase {
    ScratchDir dir;
    WorkingStore store;
    sdb::SdbSession session;
    SilentUi ui;
    std::filesystem::path file;

    FullDatabase()
    {
        store.dir = dir.Path();
        store.productType = 2;
        std::vector<LnbRecord> lnbs(kLnbs);
        for (auto& l : lnbs) {
            l.SetLowMhz(9750);
            l.SetHighMhz(10600);
        }
        std::vector<SatelliteRecord> sats(kSatellites);
        std::vector<CarrierRecord> carriers(kCarriers);
        std::vector<ServiceRecord> services(kServices);
        for (std::uint32_t s = 0; s < kSatellites; ++s) {
            sats[s].name = Format("Satellite %u", (s * 37) % kSatellites);
            sats[s].lnbIndex = static_cast<std::uint8_t>(s % kLnbs);
            sats[s].angle = static_cast<std::int16_t>((s * 53) % 3600);
        }
        std::uint32_t left = kServices;
        for (std::uint32_t c = 0; c < kCarriers; ++c) {
            auto& car = carriers[c];
            car.name = Format("TP %u", (c * 7919) % kCarriers);
            car.satelliteIndex = static_cast<std::uint8_t>(c / (kCarriers / kSatellites + 1));
            car.frequencyMhz = 10700 + (c * 131) % 2000;
            car.symbolRateKs = 22000 + (c * 17) % 8000;
            car.serviceCount = static_cast<std::uint16_t>(c + 1 == kCarriers ? left : std::min<std::uint32_t>(left, 12 + c % 2));
            left -= car.serviceCount;
            sats[car.satelliteIndex].carrierCount++;
        }
        for (std::uint32_t v = 0; v < kServices; ++v) {
            services[v].name = Format("Channel %u", (v * 104729) % kServices);
            services[v].type = v % 5 ? kServiceTv : kServiceRadio;
            services[v].scrambled = v % 3 == 0;
        }
        std::vector<std::uint16_t> osl(kServices);
        std::iota(osl.begin(), osl.end(), std::uint16_t{0});
        WriteAllRecords<LnbRecord>(store, lnbs);
        WriteAllRecords<SatelliteRecord>(store, sats);
        WriteAllRecords<CarrierRecord>(store, carriers);
        WriteAllRecords<ServiceRecord>(store, services);
        WriteOrderList(store, store_file::kServiceOrder, osl);
        store.lnbCount = kLnbs;
        store.satelliteCount = kSatellites;
        store.carrierCount = kCarriers;
        store.serviceCount = kServices;
        file = dir.Path() / "full.bin";
        if (sdb::WriteSdbBinFile(store, session, ui, file, false, true) != 1)
            throw std::runtime_error("cannot write the benchmark database");
    }
};

FullDatabase& Database()
{
    static FullDatabase db;
    return db;
}

void BM_Open(benchmark::State& state)
{
    auto& db = Database();
    for (auto _ : state) {
        ClearStore(db.store);
        if (sdb::OpenSdbBinFile(db.store, db.session, db.ui, db.file) != 1)
            state.SkipWithError("open failed");
    }
}

void BM_Save(benchmark::State& state)
{
    auto& db = Database();
    const auto target = db.dir.Path() / "saved.bin";
    for (auto _ : state)
        if (sdb::WriteSdbBinFile(db.store, db.session, db.ui, target, false, true) != 1)
            state.SkipWithError("save failed");
}

void BM_Report(benchmark::State& state)
{
    auto& db = Database();
    const auto target = db.dir.Path() / "report.txt";
    for (auto _ : state)
        if (sdb::WriteTextReport(db.store, target) != 1)
            state.SkipWithError("report failed");
}

void BM_SortAllLevels(benchmark::State& state)
{
    auto& db = Database();
    const auto target = db.dir.Path() / "sorted.bin";
    sdb::SortSettings settings;
    settings.satellites = {sdb::SatelliteSortKey::Name, sdb::SortOrder::Ascending};
    settings.carriers = {sdb::CarrierSortKey::Frequency, sdb::SortOrder::Descending};
    settings.services = {sdb::ServiceSortKey::Name, sdb::SortOrder::Ascending};
    for (auto _ : state)
        if (sdb::SortIntoFile(db.store, db.session, db.ui, settings, target) != 1)
            state.SkipWithError("sort failed");
}

BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Report)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAllLevels)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk::bench
