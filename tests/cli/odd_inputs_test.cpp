// Every velk reader given a FIFO or a directory refuses it at once instead of
// waiting for a writer; the link commands say what they wait for and stop.
#include "cli/velk_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

namespace velk::test {
namespace {

namespace fs = std::filesystem;

struct OddInputs : ::testing::Test {
    OddInputs()
    {
        fs::create_directories(dir / "tmp");
        ::mkfifo((dir / "list.sdx").c_str(), 0644);
        WriteText(dir / "list2.sdx", "SATCODX103");
    }
    VelkRun Run(const std::vector<std::string>& args) const { return RunVelkProcess(args, {dir / "tmp", {}, 20}); }
    std::string Path(const char* name) const { return (dir / name).string(); }

    TempDir dir;
};

TEST_F(OddInputs, AFifoIsRefusedByEveryReaderWithoutWaiting)
{
    const std::string fifo = Path("list.sdx");
    const std::vector<std::vector<std::string>> commands{
        {"info", fifo},
        {"convert", "--to", "old", fifo, Path("out.bin")},
        {"report", fifo, Path("out.txt")},
        {"sort", fifo, Path("out.bin")},
        {"merge", fifo, fifo, Path("out.bin")},
        {"import", fifo, Path("out.bin")},
        {"merge-lists", Path("out.sdx"), fifo, Path("list2.sdx")},
        {"compress", "--zlib", fifo, Path("out.hwc")},
        {"urt", fifo, Path("out.urt")},
        {"urt-multi", Path("out.urt"), "--app", fifo + ",7FE00000,7FE40000"},
        {"merge-resource", fifo, fifo, Path("out.bin")},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args.front());
        const auto run = Run(args);
        EXPECT_EQ(run.exitCode, 1) << run.errors;
        EXPECT_NE(run.errors.find(fifo + ": not a regular file"), std::string::npos) << run.errors;
    }
    EXPECT_FALSE(fs::exists(dir / "out.bin"));
}

// A pseudo-terminal nobody answers on: the line a receiver that is switched off gives.
class SilentLine {
public:
    SilentLine() : master_(::posix_openpt(O_RDWR | O_NOCTTY))
    {
        ::grantpt(master_);
        ::unlockpt(master_);
    }
    ~SilentLine() { ::close(master_); }
    std::string Device() const { return ::ptsname(master_); }

private:
    int master_;
};

TEST_F(OddInputs, TheLinkSaysItWaitsAndGivesUpOrStops)
{
    SilentLine line;
    WriteText(dir / "image.urt", "MZ");
    const auto timedOut = Run({"send", "--port", line.Device(), "--timeout", "1", Path("image.urt")});
    EXPECT_EQ(timedOut.exitCode, 1);
    EXPECT_NE(timedOut.errors.find("Waiting for the receiver — switch it on (0 s)"), std::string::npos) << timedOut.errors;
    EXPECT_NE(timedOut.errors.find("the receiver did not answer for 1 s"), std::string::npos) << timedOut.errors;

    VelkProcess send({"send", "--port", line.Device(), Path("image.urt")}, {dir / "tmp", {}, 20});
    ASSERT_TRUE(send.AwaitErrorText("Waiting for the receiver"));
    send.Signal(SIGINT);
    const auto stopped = send.Wait();
    EXPECT_EQ(stopped.exitCode, 130);
    EXPECT_NE(stopped.errors.find("Terminated by user"), std::string::npos) << stopped.errors;
    EXPECT_EQ(stopped.errors.find("velk: stopped"), std::string::npos);  // said once
}

}  // namespace
}  // namespace velk::test
