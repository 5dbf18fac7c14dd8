// Transfers through the real serial layer against the simulated loader held to
// 115200 baud. Each run reports its wire time (bytes x 10 / baud) and the ratio
// of the time taken, less the fixed waits of the exchange, to the wire time.
#include "bench_support.h"

#include "common/files.h"
#include "image/urt_file.h"
#include "link/download_machine.h"
#include "link/transfer_run.h"
#include "link/upload_machine.h"
#include "link/serial_port.h"
#include "sim/sim_receiver.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <thread>

namespace {

using namespace velk;
using namespace std::chrono_literals;

constexpr std::uint32_t kBaud = 115200;

sim::Faults LineRate()
{
    sim::Faults faults;
    faults.baud = kBaud;
    return faults;
}

double WireSeconds(std::size_t bytes) { return static_cast<double>(bytes) * 10.0 / kBaud; }

Bytes Pattern(std::size_t n)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 131 + (i >> 9));
    return b;
}

void BM_SdbUpload64KiB(benchmark::State& state)
{
    bench::ScratchDir dir;
    bench::SilentUi ui;
    const auto image = dir.Path() / "StaticBIN.bin";
    WriteFileAtomic(image, Pattern(64 * 1024));
    UrtImageParams params;
    params.loaderText = "Database";
    params.startAddress = 0x7FE40000;
    params.endAddress = 0x7FE50000;
    const auto urt = dir.Path() / "TempURTFile.eut";
    GenerateUrtFile(*SetUrtSettings({}), image, urt, params);
    const auto file = *ReadFileBytes(urt);
    const auto packets = LoadBe32(file, 2);
    // Every packet goes out once and is asked for with one 0x05 byte.
    const double wire = WireSeconds(file.size() - 6 + packets);
    double ratio = 0;
    for (auto _ : state) {
        sim::SimReceiver sim(LineRate());
        sim.PlayUploadLoader({packets});
        link::UploadEvents events;
        link::UploadMachine machine(link::UploadKind::Sdb, {file}, events);
        const auto start = std::chrono::steady_clock::now();
        link::RunTransfer(sim.DevicePath(), link::LineSettings{}, ui, machine);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        ratio = (took.count() - 0.1) / wire;  // less the 100 ms settle after synchronisation
        sim.WaitDone(5s);
    }
    state.counters["wire_s"] = wire;
    state.counters["ratio"] = ratio;
}
BENCHMARK(BM_SdbUpload64KiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_DownloadAdbAndE2p(benchmark::State& state)
{
    bench::SilentUi ui;
    const std::vector<sim::SimBlock> blocks{{Pattern(262144), 2048}, {Pattern(2048), 2048}, {Pattern(2048), 2048}, {Pattern(8180), 2048}};
    std::size_t bytes = 0, requests = 0;
    for (const auto& block : blocks)
        for (const auto& packet : sim::DownloadPackets(block)) {
            bytes += packet.size();
            ++requests;
        }
    // Announcement, 0x06 and one 0x05 per packet, each way on its own line.
    const double wire = WireSeconds(bytes + 4);
    double ratio = 0;
    for (auto _ : state) {
        struct Events : link::DownloadEvents {} events;
        sim::SimReceiver sim(LineRate());
        sim.PlayDownloadSource(blocks);
        link::DownloadMachine machine(events);
        const auto start = std::chrono::steady_clock::now();
        link::RunTransfer(sim.DevicePath(), link::LineSettings{}, ui, machine);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        ratio = (took.count() - 4 * 0.1) / wire;  // less the 100 ms pause after each announcement
        sim.WaitDone(5s);
    }
    state.counters["wire_s"] = wire;
    state.counters["ratio"] = ratio;
    state.counters["requests"] = static_cast<double>(requests);
}
BENCHMARK(BM_DownloadAdbAndE2p)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

double ProcessCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The reader thread on a quiet line: CPU per second of idling.
void BM_IdleReader(benchmark::State& state)
{
    bench::SilentUi ui;
    sim::SimReceiver sim;
    auto port = link::OpenCommPort(sim.DevicePath(), {}, ui);
    auto reader = link::StartReaderThread(*port, [](ByteView) { return 0; });
    double cpuPerSecond = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        std::this_thread::sleep_for(2s);
        cpuPerSecond = (ProcessCpuSeconds() - before) / 2.0;
    }
    link::StopReaderThread(std::move(reader));
    link::CloseCommPort(std::move(port));
    state.counters["cpu_ms_per_s"] = cpuPerSecond * 1000;
}
BENCHMARK(BM_IdleReader)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
