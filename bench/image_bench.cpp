// Image tools: URT generation and inspection of a 4 MiB image, LZARI coding and
// decoding beside the classic coder, zlib compression.
#include "bench_support.h"

#include "../tests/image/classic_lzari.h"

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

// Instruction words, address tables, zero runs and strings: firmware-like data.
Bytes ExecutableLike(std::size_t size)
{
    std::mt19937 random(11);
    static const Bytes ops{0x27, 0xBD, 0xFF, 0xE0, 0xAF, 0xBF, 0x00, 0x1C, 0x8F, 0xBF, 0x00, 0x1C, 0x03, 0xE0, 0x00, 0x08};
    static const std::string text = "Signal lost. Please check the dish alignment.";
    Bytes out;
    out.reserve(size + 256);
    while (out.size() < size) {
        switch (random() % 5) {
        case 0: out.insert(out.end(), random() % 48, 0); break;
        case 1:
            for (int i = 0; i < 8; ++i) {
                const std::uint32_t a = 0x7FF60000u + (random() % 8192) * 4;
                out.insert(out.end(), {std::uint8_t(a), std::uint8_t(a >> 8), std::uint8_t(a >> 16), std::uint8_t(a >> 24)});
            }
            break;
        case 2: out.insert(out.end(), ops.begin(), ops.end()); break;
        case 3:
            for (int i = 0; i < 16; ++i)
                out.push_back(static_cast<std::uint8_t>(random()));
            break;
        default: out.insert(out.end(), text.begin(), text.end());
        }
    }
    out.resize(size);
    return out;
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
