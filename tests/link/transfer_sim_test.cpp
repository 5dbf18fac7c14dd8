// Whole transfers through the real serial layer against the simulated loader.
#include "link/download_machine.h"
#include "link/transfer_driver.h"
#include "link/upload_machine.h"
#include "sim/sim_receiver.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

using namespace std::chrono_literals;

std::vector<Bytes> Payloads(std::size_t count, std::size_t size)
{
    std::vector<Bytes> payloads;
    for (std::size_t i = 0; i < count; ++i) {
        Bytes p(size);
        for (std::size_t j = 0; j < size; ++j)
            p[j] = static_cast<std::uint8_t>(i * 31 + j);
        p[0] = i == 0 ? 0xF1 : 0xF2;
        payloads.push_back(p);
    }
    return payloads;
}

struct Link {
    explicit Link(const sim::SimReceiver& sim) : port(OpenCommPort(sim.DevicePath(), {}, ui)) {}
    void Run(ProtocolMachine& machine)
    {
        TransferDriver driver(*port, machine);
        auto reader = StartReaderThread(*port, driver.Callback());
        driver.Start();
        driver.Wait();
        StopReaderThread(std::move(reader));
    }
    test::ScriptedUi ui;
    std::unique_ptr<CommPort> port;
};

class TransferTest : public ::testing::Test {
protected:
    UploadEvents quiet;
};

TEST_F(TransferTest, SdbUploadSurvivesNoiseAndResendRequests)
{
    const auto payloads = Payloads(12, 2060);
    sim::SimReceiver sim({.noiseBeforeSync = 40, .resendPackets = {0, 5, 10}});
    sim.PlayUploadLoader({12});
    Link link(sim);
    UploadMachine machine(UploadKind::Sdb, {sim::UrtFile(payloads)}, quiet);
    link.Run(machine);
    EXPECT_EQ(machine.Outcome(), UploadOutcome::Completed);
    ASSERT_TRUE(sim.WaitDone(5s));
    EXPECT_EQ(sim.UploadedFiles(), std::vector<Bytes>{sim::UrtFile(payloads)});
}

TEST_F(TransferTest, AdbUploadSendsBothFiles)
{
    const auto adb = Payloads(5, 2060), hovo = Payloads(2, 300);
    sim::SimReceiver sim;
    sim.PlayUploadLoader({5, 2});
    Link link(sim);
    UploadMachine machine(UploadKind::Adb, {sim::UrtFile(adb), sim::UrtFile(hovo)}, quiet);
    link.Run(machine);
    ASSERT_TRUE(sim.WaitDone(5s));
    EXPECT_EQ(sim.UploadedFiles(), (std::vector<Bytes>{sim::UrtFile(adb), sim::UrtFile(hovo)}));
}

TEST_F(TransferTest, CancelMidTransferThenRestartFromTheAnnouncement)
{
    const auto payloads = Payloads(6, 500);
    const auto file = sim::UrtFile(payloads);
    sim::SimReceiver sim({.silenceAfterPackets = 3});
    sim.PlayUploadLoader({6});
    Link link(sim);
    {
        UploadMachine first(UploadKind::Sdb, {file}, quiet);
        TransferDriver driver(*link.port, first);
        auto reader = StartReaderThread(*link.port, driver.Callback());
        driver.Start();
        for (int i = 0; i < 300 && first.Sent() < 3; ++i)
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(50ms);
        driver.Cancel(false);
        EXPECT_EQ(first.Outcome(), UploadOutcome::Cancelled);
        StopReaderThread(std::move(reader));
    }
    UploadMachine second(UploadKind::Sdb, {file}, quiet);
    link.Run(second);
    EXPECT_EQ(second.Outcome(), UploadOutcome::Completed);
    ASSERT_TRUE(sim.WaitDone(5s));
    EXPECT_EQ(sim.UploadedFiles(), std::vector<Bytes>{sim::UrtFile(payloads)});
}

struct BlockSink : DownloadEvents {
    void BlockReceived(std::size_t, ByteView data, bool crcOk) override
    {
        blocks.emplace_back(data.begin(), data.end());
        crcs.push_back(crcOk);
    }
    std::vector<Bytes> blocks;
    std::vector<bool> crcs;
};

TEST_F(TransferTest, DownloadWithSplitFramesBadSumsAndBrokenEnds)
{
    std::vector<sim::SimBlock> blocks;
    for (std::size_t i = 0; i < 4; ++i)
        blocks.push_back({Payloads(1, 3000 + 1500 * i)[0], 1024});
    sim::SimReceiver sim({.noiseBeforeSync = 5, .corruptSums = {1, 7}, .brokenEnds = {3}, .splitChunk = 100});
    sim.PlayDownloadSource(blocks);
    Link link(sim);
    BlockSink sink;
    DownloadMachine machine(sink);
    link.Run(machine);
    EXPECT_EQ(machine.Outcome(), DownloadOutcome::Completed);
    ASSERT_EQ(sink.blocks.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(sink.blocks[i], blocks[i].data);
        EXPECT_TRUE(sink.crcs[i]);
    }
    EXPECT_EQ(machine.Retries(), 3u);
    EXPECT_TRUE(sim.WaitDone(5s));  // 0x18 heard
}

TEST_F(TransferTest, DownloadRecoversFromASilentReceiver)
{
    std::vector<sim::SimBlock> blocks(4, sim::SimBlock{Bytes(100, 0x33), 2048});
    sim::SimReceiver sim({.silentPackets = {2}});
    sim.PlayDownloadSource(blocks);
    Link link(sim);
    BlockSink sink;
    DownloadMachine machine(sink);
    link.Run(machine);
    EXPECT_EQ(sink.blocks.size(), 4u);
}

}  // namespace
}  // namespace velk::link
