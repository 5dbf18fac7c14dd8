// Editing operations on a full store: 8 LNBs, 64 satellites, 2 000 carriers,
// 25 000 services in a shuffled channel order. Where an operation grows or
// shrinks the store, the undo step runs with the timer paused.
#include "bench_support.h"

#include "common/format.h"
#include "database/add_records.h"
#include "database/change_carrier.h"
#include "database/delete_records.h"
#include "database/marking.h"
#include "database/move_records.h"
#include "database/move_services.h"
#include "database/record_io.h"
#include "database/service_views.h"
#include "database/store_image.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace velk::bench {
namespace {

const ServiceView kAll{};
const ServiceView kSatellite{ViewKind::Satellite, 10, 0, ServiceFilter::Both};
const ServiceView kCarrier{ViewKind::Carrier, 10, 3, ServiceFilter::Both};

void BM_AddService(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state) {
        const auto added = AddServiceRecord(f.store, f.ui, 10, 3, ServiceFilter::Both);
        state.PauseTiming();
        const std::uint32_t row[] = {added->channelPosition};
        DeleteServices(f.store, f.ui, kAll, row);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddService)->Unit(benchmark::kMillisecond);

void BM_InsertService(benchmark::State& state)
{
    FullStore f;
    BuildServiceView(f.store, f.ui, kCarrier);
    for (auto _ : state) {
        const auto added = InsertServiceRecord(f.store, f.ui, 10, 3, 2);
        state.PauseTiming();
        const std::uint32_t row[] = {added->channelPosition};
        DeleteServices(f.store, f.ui, kAll, row);
        BuildServiceView(f.store, f.ui, kCarrier);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InsertService)->Unit(benchmark::kMillisecond);

void BM_DeleteService(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state) {
        state.PauseTiming();
        const auto added = AddServiceRecord(f.store, f.ui, 10, 3, ServiceFilter::Both);
        const std::uint32_t row[] = {added->channelPosition};
        state.ResumeTiming();
        DeleteServices(f.store, f.ui, kAll, row);
    }
}
BENCHMARK(BM_DeleteService)->Unit(benchmark::kMillisecond);

void BM_AddAndDeleteCarrier(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state) {
        const auto added = AddCarrierRecord(f.store, f.ui, 10);
        DeleteCarrier(f.store, f.ui, 10, added->position);
    }
    state.SetItemsProcessed(state.iterations() * 2);  // items/s: single operations
}
BENCHMARK(BM_AddAndDeleteCarrier)->Unit(benchmark::kMillisecond);

void BM_InsertAndDeleteSatellite(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state) {
        InsertSatelliteRecord(f.store, f.ui, 5);
        DeleteSatellite(f.store, f.ui, 5);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_InsertAndDeleteSatellite)->Unit(benchmark::kMillisecond);

void BM_DeleteCarrierWithServices(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state) {
        state.PauseTiming();
        const auto added = AddCarrierRecord(f.store, f.ui, 10);
        for (int i = 0; i < 12; ++i)
            AddServiceRecord(f.store, f.ui, 10, added->position, ServiceFilter::Both);
        state.ResumeTiming();
        DeleteCarrier(f.store, f.ui, 10, added->position);
    }
}
BENCHMARK(BM_DeleteCarrierWithServices)->Unit(benchmark::kMillisecond);

void BM_MoveSatellite(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state)
        MoveSatellite(f.store, f.ui, 1, 64);
}
BENCHMARK(BM_MoveSatellite)->Unit(benchmark::kMillisecond);

void BM_SwapSatellites(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state)
        SwapSatellites(f.store, f.ui, 2, 60);
}
BENCHMARK(BM_SwapSatellites)->Unit(benchmark::kMillisecond);

void BM_MoveCarrier(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state)
        MoveCarrier(f.store, f.ui, 10, 1, 30);
}
BENCHMARK(BM_MoveCarrier)->Unit(benchmark::kMillisecond);

void BM_SwapCarriers(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state)
        SwapCarriers(f.store, f.ui, 10, 1, 30);
}
BENCHMARK(BM_SwapCarriers)->Unit(benchmark::kMillisecond);

void BM_MoveServiceBlock1000(benchmark::State& state)
{
    FullStore f;
    bool down = true;
    for (auto _ : state) {
        // 1 000 services from the top to row 20 000 and back.
        MoveServiceBlock(f.store, f.ui, kAll, down ? 0 : 19000, 1000, down ? 19999 : 0);
        down = !down;
    }
}
BENCHMARK(BM_MoveServiceBlock1000)->Unit(benchmark::kMillisecond);

void BM_MoveServiceUpDown(benchmark::State& state)
{
    FullStore f;
    const std::uint32_t row[] = {12000};
    for (auto _ : state)
        MoveServiceUpDown(f.store, f.ui, kAll, row, true);
}
BENCHMARK(BM_MoveServiceUpDown)->Unit(benchmark::kMillisecond);

void BM_SwapServices(benchmark::State& state)
{
    FullStore f;
    const std::uint32_t rows[] = {10, 24000};
    for (auto _ : state)
        SwapServices(f.store, f.ui, kAll, rows);
}
BENCHMARK(BM_SwapServices)->Unit(benchmark::kMillisecond);

void BM_ChangeServiceCarrier(benchmark::State& state)
{
    FullStore f;
    BuildServiceView(f.store, f.ui, kAll);
    const std::uint32_t rows[] = {5, 6, 7};
    bool there = true;
    for (auto _ : state) {
        ChangeServiceCarrier(f.store, f.ui, kAll, rows, there ? 60 : 3, 1);
        there = !there;
    }
}
BENCHMARK(BM_ChangeServiceCarrier)->Unit(benchmark::kMillisecond);

void BM_BuildView(benchmark::State& state)
{
    FullStore f;
    const ServiceView views[] = {kAll, {ViewKind::AllServices, 0, 0, ServiceFilter::Radio}, kSatellite, kCarrier};
    const auto& view = views[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildServiceView(f.store, f.ui, view));
}
BENCHMARK(BM_BuildView)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_MarkAllServices(benchmark::State& state)
{
    FullStore f;
    std::vector<std::uint32_t> rows(kServices);
    std::iota(rows.begin(), rows.end(), 1u);
    bool on = true;
    for (auto _ : state) {
        MarkServices(f.store, f.ui, kAll, rows, on ? ServiceMark::FactoryDefault : ServiceMark::NoFactoryDefault);
        on = !on;
    }
}
BENCHMARK(BM_MarkAllServices)->Unit(benchmark::kMillisecond);

void BM_SelectAllServices(benchmark::State& state)
{
    FullStore f;
    for (auto _ : state)
        benchmark::DoNotOptimize(SelectServices(f.store, f.ui, kAll, ServiceTest::Radio));
}
BENCHMARK(BM_SelectAllServices)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk::bench
