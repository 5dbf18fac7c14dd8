// Undo and redo, and finding as one types, on a full store (25 000 services).
#include "bench_support.h"

#include "database/edit_history.h"
#include "database/move_services.h"
#include "database/record_io.h"
#include "database/service_find.h"
#include "database/service_views.h"

#include <benchmark/benchmark.h>

namespace velk::bench {
namespace {

void RenameService(FullStore& f, std::uint32_t record, std::uint32_t n)
{
    auto service = *ReadRecord<ServiceRecord>(f.store, f.ui, record);
    service.name = "Renamed " + std::to_string(n);
    WriteRecord(f.store, f.ui, record, service);
}

// One step undone and redone, each counted as one iteration.
void UndoRedo(benchmark::State& state, FullStore& f, EditHistory& history)
{
    bool undo = true;
    for (auto _ : state) {
        if (!(undo ? history.Undo() : history.Redo()))
            state.SkipWithError("undo failed");
        undo = !undo;
    }
    state.counters["held_bytes"] = static_cast<double>(history.HeldBytes());
}

void BM_UndoRedoServiceEdit(benchmark::State& state)
{
    FullStore f;
    EditHistory history(f.store);
    RenameService(f, 12345, 0);
    history.Record("Edit service");
    UndoRedo(state, f, history);
}
BENCHMARK(BM_UndoRedoServiceEdit)->Unit(benchmark::kMillisecond);

void BM_UndoRedoBlockMove1000(benchmark::State& state)
{
    FullStore f;
    EditHistory history(f.store);
    MoveServiceBlock(f.store, f.ui, ServiceView{}, 0, 1000, 19999);
    history.Record("Move 1000 services");
    UndoRedo(state, f, history);
}
BENCHMARK(BM_UndoRedoBlockMove1000)->Unit(benchmark::kMillisecond);

// Recording a step compares the store's files with the last state: the cost every edit pays.
void BM_RecordServiceEdit(benchmark::State& state)
{
    FullStore f;
    EditHistory history(f.store);
    std::uint32_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RenameService(f, 1 + n % kServices, n);
        ++n;
        state.ResumeTiming();
        history.Record("Edit service");
    }
    state.counters["held_bytes_per_step"] = static_cast<double>(history.HeldBytes()) / n;
}
BENCHMARK(BM_RecordServiceEdit)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_FindKeystroke(benchmark::State& state)
{
    FullStore f;
    const auto catalog = *LoadServiceCatalog(f.store);
    const ServiceFinder finder(catalog);
    const std::string typed = "service 1234";
    std::size_t length = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(finder.Find(typed.substr(0, length), false));
        length = length % typed.size() + 1;
    }
}
BENCHMARK(BM_FindKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velk::bench
