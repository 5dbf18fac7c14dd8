// A long velk command stopped by a signal at random moments: it exits with
// 128 + the signal, keeps the old output and leaves no scratch file or folder.
#include "cli/velk_process.h"
#include "import/list_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

namespace velk::test {
namespace {

namespace fs = std::filesystem;

class StopSignals : public ::testing::Test {
protected:
    StopSignals() { fs::create_directories(Tmp()); }
    fs::path Tmp() const { return dir / "tmp"; }

    // Starts velk, signals it after a random pause, and checks what it left.
    void StopAtRandom(const std::vector<std::string>& args, const fs::path& out, int signal)
    {
        WriteText(out, "old");
        VelkProcess velk(args, {Tmp(), {}});
        std::this_thread::sleep_for(std::chrono::milliseconds(pause_(random_)));
        velk.Signal(signal);
        const VelkRun run = velk.Wait();
        if (run.exitCode == 0) {
            EXPECT_NE(ReadBytes(out), (Bytes{'o', 'l', 'd'}));  // it had finished
        } else {
            EXPECT_EQ(run.exitCode, 128 + signal) << run.errors;
            EXPECT_EQ(ReadBytes(out), (Bytes{'o', 'l', 'd'}));
        }
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
        EXPECT_TRUE(fs::is_empty(Tmp()));
    }

    TempDir dir;
    std::mt19937 random_{20261207};
    std::uniform_int_distribution<int> pause_{0, 400};
};

TEST_F(StopSignals, ALongCompressionStopsCleanly)
{
    Bytes image(6 << 20);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 7) ^ (i >> 9));
    WriteBytes(dir / "image.bin", image);
    const auto out = dir / "image.hwc";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        StopAtRandom({"compress", "--bin2cod", (dir / "image.bin").string(), out.string()}, out, signal);
    StopAtRandom({"compress", "--zlib=9", (dir / "image.bin").string(), out.string()}, out, SIGINT);
}

TEST_F(StopSignals, AnImportStopsCleanly)
{
    std::vector<SdxRecord> records(6000);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].serviceId = std::to_string(10000 + i);
    WriteBytes(dir / "list.sdx", JoinSdx(records, true));
    const auto out = dir / "db.bin";
    for (const int signal : {SIGINT, SIGINT, SIGTERM})
        StopAtRandom({"import", (dir / "list.sdx").string(), out.string()}, out, signal);
}

TEST_F(StopSignals, TheStopIsSaidOnceOnStderr)
{
    // Long enough that the stop surely comes while it works.
    Bytes image(16 << 20);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 7) ^ (i >> 9));
    WriteBytes(dir / "image.bin", image);
    WriteText(dir / "out.hwc", "old");
    VelkProcess velk({"compress", "--bin2cod", (dir / "image.bin").string(), (dir / "out.hwc").string()}, {Tmp(), {}});
    // Its scratch output shows that it has started the work.
    const auto started = [&] {
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            if (entry.path().filename().string().starts_with(".out.hwc."))
                return true;
        return false;
    };
    for (int wait = 0; wait < 6000 && !started(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    velk.Signal(SIGINT);
    const VelkRun run = velk.Wait();
    ASSERT_EQ(run.exitCode, 130) << run.errors;
    EXPECT_EQ(run.errors, "velk: stopped by signal (Interrupt); no output written\n");
}

}  // namespace
}  // namespace velk::test
