#include "common/checksums.h"
#include "link/download_machine.h"
#include "sim/sim_receiver.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

using namespace std::chrono_literals;

struct Recorder : DownloadEvents {
    void Title(const std::string& t) override { titles.push_back(t); }
    void Text(const std::string& t) override { texts.push_back(t); }
    void Progress(std::uint32_t p) override { progress.push_back(p); }
    void BlockReceived(std::size_t index, ByteView data, bool crcOk) override
    {
        blocks.emplace_back(index, Bytes(data.begin(), data.end()), crcOk);
    }
    std::vector<std::string> titles, texts;
    std::vector<std::uint32_t> progress;
    std::vector<std::tuple<std::size_t, Bytes, bool>> blocks;
};

Bytes Pattern(std::size_t n, std::uint8_t seed)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + seed);
    return b;
}

class DownloadMachineTest : public ::testing::Test {
protected:
    // Polls at `now` and returns the control bytes sent until the machine waits.
    Bytes Poll(SteadyTime now)
    {
        Bytes out;
        for (int i = 0; i < 8; ++i) {
            const auto r = machine.Poll(now);
            purged = purged || r.purgeInput;
            out.insert(out.end(), r.send.begin(), r.send.end());
            if (r.finished || r.send.empty())
                break;
        }
        return out;
    }
    // Feeds a frame whole, byte by byte, or in bursts of `chunk`.
    void Feed(ByteView bytes, std::size_t chunk)
    {
        for (std::size_t off = 0; off < bytes.size(); off += chunk)
            machine.Receive(bytes.subspan(off, std::min(chunk, bytes.size() - off)));
    }
    // Runs one block through the machine, answering each request with the next packet.
    void PlayBlock(const sim::SimBlock& block, std::size_t chunk, SteadyTime& now)
    {
        const auto packets = sim::DownloadPackets(block);
        machine.Receive(Bytes{0x17});
        EXPECT_TRUE(Poll(now).empty());  // the 100 ms pause after the announcement
        now += 100ms;
        EXPECT_EQ(Poll(now), (Bytes{0x06, 0x05}));
        for (std::size_t i = 0; i < packets.size(); ++i) {
            Feed(packets[i], chunk);
            const auto sent = Poll(now);
            if (i + 1 < packets.size())
                EXPECT_EQ(sent, Bytes{0x05});
        }
    }
    Recorder events;
    DownloadMachine machine{events};
    bool purged = false;
};

TEST_F(DownloadMachineTest, FourBlocksAreRequestedAndOnlyComplete)
{
    SteadyTime now{};
    EXPECT_TRUE(Poll(now).empty());  // nothing before the receiver announces
    const std::vector<sim::SimBlock> blocks{{Pattern(5000, 1), 2048}, {Pattern(10, 2), 2048}, {Pattern(3000, 3), 1000}, {Pattern(8180, 4), 2048}};
    const std::array<std::size_t, 4> chunks{1, 7, 4096, 3};
    for (std::size_t i = 0; i < blocks.size(); ++i)
        PlayBlock(blocks[i], chunks[i], now);
    ASSERT_EQ(events.blocks.size(), 4u);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(std::get<1>(events.blocks[i]), blocks[i].data);
        EXPECT_TRUE(std::get<2>(events.blocks[i]));
    }
    EXPECT_EQ(events.titles.front(), "Data From ( STB to PC )");
    EXPECT_EQ(events.texts.back(), "Data download completed");
    EXPECT_EQ(events.progress.back(), 0u);
    EXPECT_EQ(machine.Outcome(), DownloadOutcome::Completed);
    EXPECT_EQ(machine.Retries(), 0u);
}

TEST_F(DownloadMachineTest, BadSumsAndBrokenEndsAreRequestedAgain)
{
    SteadyTime now{};
    const sim::SimBlock block{Pattern(100, 9), 64};
    const auto packets = sim::DownloadPackets(block);
    machine.Receive(Bytes{0x17});
    Poll(now);
    now += 100ms;
    EXPECT_EQ(Poll(now), (Bytes{0x06, 0x05}));
    auto bad = packets[0];
    bad[bad.size() - 2] ^= 1;
    // The bytes after a failed frame in the same read are dropped with the purge.
    Bytes burst = bad;
    burst.insert(burst.end(), packets[1].begin(), packets[1].end());
    Feed(burst, burst.size());
    EXPECT_EQ(Poll(now), Bytes{0x15});
    auto brokenEnd = packets[0];
    brokenEnd.back() = 0x13;
    Feed(brokenEnd, 1);
    EXPECT_EQ(Poll(now), Bytes{0x15});
    Feed(packets[0], 5);
    EXPECT_EQ(Poll(now), Bytes{0x05});
    EXPECT_EQ(machine.Retries(), 2u);
    EXPECT_TRUE(purged);
    EXPECT_EQ(machine.PacketsReceived(), 1u);
    EXPECT_EQ(events.progress.back(), 33u);  // 1 of 3 packets
}

TEST_F(DownloadMachineTest, SilenceRepeatsTheLastRequestAfterFourSeconds)
{
    SteadyTime now{};
    machine.Receive(Bytes{0x17});
    Poll(now);
    now += 100ms;
    EXPECT_EQ(Poll(now), (Bytes{0x06, 0x05}));
    EXPECT_TRUE(Poll(now + 3999ms).empty());
    EXPECT_EQ(Poll(now + 4s), Bytes{0x05});
    // A frame that stalls half way is dropped at the time-out rather than waited for.
    Feed(Bytes{0x02, 0x00, 0x00, 0x10, 0xF2}, 5);
    EXPECT_EQ(Poll(now + 8s), Bytes{0x05});
    machine.Cancel();
    EXPECT_TRUE(machine.Poll(now + 9s).finished);
    EXPECT_EQ(machine.Outcome(), DownloadOutcome::Cancelled);
}

TEST_F(DownloadMachineTest, ZeroLengthBlockKeepsRequestingAndCrcMismatchIsFlagged)
{
    SteadyTime now{};
    auto zero = sim::DownloadPackets({Bytes{}, 2048});
    machine.Receive(Bytes{0x17});
    Poll(now);
    now += 100ms;
    Poll(now);
    Feed(zero[0], 3);
    EXPECT_EQ(Poll(now), Bytes{0x05});
    EXPECT_TRUE(events.blocks.empty());
    EXPECT_EQ(Crc32Mpeg2(Bytes{}), 0xFFFFFFFFu);
}

TEST_F(DownloadMachineTest, HeaderWhoseTableDoesNotFitIsRefused)
{
    SteadyTime now{};
    Bytes header(47, 0);
    header[0] = 0xF1;
    StoreBe24(header, 44, 3);  // three entries announced, none present
    machine.Receive(Bytes{0x17});
    Poll(now);
    now += 100ms;
    Poll(now);
    Feed(EncodeFrame(header), 64);
    EXPECT_EQ(Poll(now), Bytes{0x15});
}

}  // namespace
}  // namespace velk::link
