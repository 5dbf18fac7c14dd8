// Image tools: URT generation and inspection of a 4 MiB image, LZARI coding and
// decoding beside the classic coder, zlib compression.
#include "bench_support.h"

#include "../tests/image/classic_lzari.h"
#include "../tests/image/firmware_like.h"

#include "common/files.h"
#include "image/compress_image.h"
#include "image/image_verifier.h"
#include "image/lzari.h"
#include "image/urt_file.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace velk;

constexpr std::size_t kMiB = 1024 * 1024;

// The same firmware-like data in every run.
Bytes ExecutableLike(std::size_t size)
{
    std::mt19937 random(11);
    return test::FirmwareLike(size, random);
}

void BM_GenerateUrt4MiB(benchmark::State& state)
{
    bench::ScratchDir dir;
    WriteFileAtomic(dir.Path() / "image.bin", ExecutableLike(4 * kMiB));
    const UrtSettings settings = *SetUrtSettings({});
    UrtImageParams params;
    params.imageType = kImageApplication;
    params.destinationCode = 15;
    params.manufacturerId = 0xA1;
    params.loaderText = "Application";
    params.startAddress = 0x7F800000;
    params.endAddress = 0x7FC00000 + 64;
    for (auto _ : state) {
        if (GenerateUrtFile(settings, dir.Path() / "image.bin", dir.Path() / "image.urt", params) != kUrtOk)
            state.SkipWithError("generation failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 4 * kMiB));
}
BENCHMARK(BM_GenerateUrt4MiB)->Unit(benchmark::kMillisecond);

void BM_LzariPerMiB(benchmark::State& state)
{
    const Bytes input = ExecutableLike(kMiB);
    std::size_t size = 0;
    for (auto _ : state) {
        const auto code = LzariEncode(input, input.size());
        size = code ? code->size() : 0;
        benchmark::DoNotOptimize(size);
    }
    state.counters["ratio"] = static_cast<double>(size) / static_cast<double>(input.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMiB));
}
BENCHMARK(BM_LzariPerMiB)->Unit(benchmark::kMillisecond);

void BM_ClassicLzariPerMiB(benchmark::State& state)
{
    const Bytes input = ExecutableLike(kMiB);
    for (auto _ : state)
        benchmark::DoNotOptimize(classic::Encode(input).size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kMiB));
}
BENCHMARK(BM_ClassicLzariPerMiB)->Unit(benchmark::kMillisecond);

// The code of a 4 MiB firmware-like image, after "vqx.".
const Bytes& LzariCode4MiB()
{
    static const Bytes code = [] {
        Bytes c = classic::Encode(ExecutableLike(4 * kMiB));
        c.erase(c.begin(), c.begin() + 4);
        return c;
    }();
    return code;
}

void BM_LzariDecode4MiB(benchmark::State& state)
{
    const Bytes& code = LzariCode4MiB();
    for (auto _ : state)
        benchmark::DoNotOptimize(LzariDecode(code, 4 * kMiB));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 4 * kMiB));
}
BENCHMARK(BM_LzariDecode4MiB)->Unit(benchmark::kMillisecond);

void BM_ClassicLzariDecode4MiB(benchmark::State& state)
{
    const Bytes& code = LzariCode4MiB();
    for (auto _ : state)
        benchmark::DoNotOptimize(classic::Decode(code, 4 * kMiB));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 4 * kMiB));
}
BENCHMARK(BM_ClassicLzariDecode4MiB)->Unit(benchmark::kMillisecond);

void BM_InspectUrt4MiB(benchmark::State& state)
{
    bench::ScratchDir dir;
    WriteFileAtomic(dir.Path() / "image.bin", ExecutableLike(4 * kMiB));
    UrtImageParams params;
    params.imageType = kImageDatabase;
    params.loaderText = "Database";
    params.startAddress = 0x7F800000;
    params.endAddress = 0x7FC00000 + 32;
    if (GenerateUrtFile(*SetUrtSettings({}), dir.Path() / "image.bin", dir.Path() / "image.urt", params) != kUrtOk)
        state.SkipWithError("generation failed");
    for (auto _ : state) {
        if (!InspectImageFile(dir.Path() / "image.urt").Sound())
            state.SkipWithError("inspection failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 4 * kMiB));
}
BENCHMARK(BM_InspectUrt4MiB)->Unit(benchmark::kMillisecond);

void BM_CompressImageZlib(benchmark::State& state)
{
    bench::ScratchDir dir;
    WriteFileAtomic(dir.Path() / "image.bin", ExecutableLike(4 * kMiB));
    bench::SilentUi ui;
    for (auto _ : state) {
        if (!CompressImageZlib(ui, dir.Path() / "image.bin", dir.Path() / "image.hwc", static_cast<int>(state.range(0))))
            state.SkipWithError("compression failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 4 * kMiB));
}
BENCHMARK(BM_CompressImageZlib)->Arg(1)->Arg(6)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace
