#include "link/upload_errors.h"
#include "link/upload_machine.h"
#include "sim/sim_receiver.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

using namespace std::chrono_literals;

struct Recorder : UploadEvents {
    void Status(const std::string& s) override { statuses.push_back(s); }
    void PacketCount(std::uint32_t n) override { count = n; }
    void PacketsSent(std::uint32_t n) override { sent = n; }
    void Report(int code) override { reports.push_back(code); }
    std::vector<std::string> statuses;
    std::vector<int> reports;
    std::uint32_t count = 0, sent = 0;
};

class UploadMachineTest : public ::testing::Test {
protected:
    Recorder events;
    SteadyTime t0{};
};

Bytes Out(const PollResult& r) { return Bytes(r.send.begin(), r.send.end()); }

const std::vector<Bytes> kPayloads{{0xF1, 1, 2}, {0xF2, 3, 4, 5}, {0xF2, 6}};

TEST_F(UploadMachineTest, SdbSendsEachPacketOnRequestAndResendsTheSameBytes)
{
    const auto urt = sim::UrtFile(kPayloads);
    UploadMachine m(UploadKind::Sdb, {urt}, events);
    // Back-to-back announcements until synchronised; noise before 0x06 is ignored.
    EXPECT_EQ(m.Poll(t0).send.size(), 1u);
    m.Receive(Bytes{0x05, 0x41, 0x15});
    EXPECT_EQ(Out(m.Poll(t0)), Bytes{0x17});
    m.Receive(Bytes{0x06, 0x05, 0x05});
    // 100 ms settle after synchronisation.
    EXPECT_TRUE(m.Poll(t0).send.empty());
    const auto first = m.Poll(t0 + 100ms);
    EXPECT_EQ(Out(first), EncodeFrame(kPayloads[0]));
    EXPECT_EQ(events.statuses, std::vector<std::string>{"SDB upload inprogress."});
    // The second 0x05 came while the first was pending: it does not count.
    EXPECT_TRUE(m.Poll(t0 + 100ms).send.empty());
    for (int i = 0; i < 2; ++i) {
        m.Receive(Bytes{0x15});
        EXPECT_EQ(Out(m.Poll(t0 + 101ms)), EncodeFrame(kPayloads[0]));
        EXPECT_TRUE(Out(m.Poll(t0 + 101ms)).empty());
    }
    for (std::size_t i = 1; i < kPayloads.size(); ++i) {
        m.Receive(Bytes{0x05});
        const auto r = m.Poll(t0 + 200ms);
        EXPECT_EQ(Out(r), EncodeFrame(kPayloads[i]));
    }
    EXPECT_EQ(events.sent, 3u);
    EXPECT_EQ(events.count, 3u);
    EXPECT_EQ(events.statuses.back(), "SDB upload completed.");
    EXPECT_EQ(m.Outcome(), UploadOutcome::Completed);
    EXPECT_TRUE(m.Poll(t0 + 300ms).finished);
    EXPECT_TRUE(events.reports.empty());
    EXPECT_EQ(m.ResendRequests(), 2u);
    EXPECT_EQ(m.RequestsOutOfTurn(), 1u);
}

TEST_F(UploadMachineTest, AdbAnnouncesEvery200msAndSendsBothFilesInOrder)
{
    const auto a = sim::UrtFile({kPayloads[0]});
    const auto b = sim::UrtFile({kPayloads[1], kPayloads[2]});
    UploadMachine m(UploadKind::Adb, {a, b}, events);
    EXPECT_TRUE(m.Poll(t0).send.empty());
    EXPECT_EQ(m.Poll(t0).wakeAt, t0 + 200ms);
    EXPECT_EQ(m.Poll(t0 + 200ms).send.size(), 1u);
    EXPECT_TRUE(m.Poll(t0 + 300ms).send.empty());
    EXPECT_EQ(m.Poll(t0 + 400ms).send.size(), 1u);
    m.Receive(Bytes{0x06, 0x05});
    auto r = m.Poll(t0 + 401ms);  // no settle for ADB
    EXPECT_EQ(Out(r), EncodeFrame(kPayloads[0]));
    EXPECT_EQ(events.statuses, (std::vector<std::string>{"ADB upload inprogress.", "ADB upload completed."}));
    // The second file starts with a new announcement; a late 0x05 does not skip it.
    m.Receive(Bytes{0x05});
    EXPECT_TRUE(m.Poll(t0 + 402ms).send.empty());
    EXPECT_EQ(m.Poll(t0 + 602ms).send.size(), 1u);
    m.Receive(Bytes{0x06, 0x05});
    r = m.Poll(t0 + 603ms);
    EXPECT_EQ(Out(r), EncodeFrame(kPayloads[1]));
    EXPECT_EQ(events.statuses.back(), "Hovo upload inprogress.");
    m.Receive(Bytes{0x05});
    m.Poll(t0 + 604ms);
    EXPECT_EQ(events.statuses.back(), "Hovo upload completed.");
    EXPECT_EQ(m.Outcome(), UploadOutcome::Completed);
}

TEST_F(UploadMachineTest, MissingMagicReportsAndStartsOverWithAnAnnouncement)
{
    UploadMachine m(UploadKind::Console, {Bytes{'M', 'X', 0, 0, 0, 1, 2}}, events);
    m.Poll(t0);
    m.Receive(Bytes{0x06, 0x05});
    m.Poll(t0);
    EXPECT_TRUE(m.Poll(t0 + 100ms).send.empty());
    EXPECT_EQ(events.reports, std::vector<int>{kUploadBadMagic});
    EXPECT_EQ(Out(m.Poll(t0 + 101ms)), Bytes{0x17});
}

TEST_F(UploadMachineTest, BrokenPacketsAreAbandonedWithTheConsoleCodes)
{
    auto urt = sim::UrtFile(kPayloads);
    urt[6 + EncodeFrame(kPayloads[0]).size() - 1] = 0x07;  // end byte of the first packet
    UploadMachine console(UploadKind::Console, {urt}, events);
    console.Poll(t0);
    console.Receive(Bytes{0x06, 0x05});
    console.Poll(t0);
    // The broken block still goes out as it stands.
    EXPECT_EQ(console.Poll(t0 + 100ms).send.size(), EncodeFrame(kPayloads[0]).size());
    EXPECT_EQ(events.reports, std::vector<int>{kUploadBadHeaderEnd});
    EXPECT_EQ(console.Sent(), 0u);

    auto noStart = sim::UrtFile(kPayloads);
    noStart[6] = 0x09;
    Recorder quiet;
    UploadMachine sdb(UploadKind::Sdb, {noStart}, quiet);
    sdb.Poll(t0);
    sdb.Receive(Bytes{0x06, 0x05});
    sdb.Poll(t0);
    EXPECT_TRUE(sdb.Poll(t0 + 100ms).send.empty());
    EXPECT_TRUE(quiet.reports.empty());
    EXPECT_EQ(sdb.Poll(t0 + 101ms).send.size(), 1u);  // announcing again
}

TEST_F(UploadMachineTest, CancelEndsTheTransfer)
{
    UploadMachine m(UploadKind::Sdb, {sim::UrtFile(kPayloads)}, events);
    m.Poll(t0);
    m.Receive(Bytes{0x06, 0x05});
    m.Poll(t0 + 100ms);
    m.Cancel();
    m.Receive(Bytes{0x05});
    EXPECT_TRUE(m.Poll(t0 + 200ms).finished);
    EXPECT_EQ(m.Outcome(), UploadOutcome::Cancelled);
    EXPECT_EQ(m.Sent(), 0u);
}

TEST(UploadErrorText, RowsAreExact)
{
    EXPECT_EQ(UploadErrorText(-6), "\n<========== Error ( -6 ) ==========>\n   Problem : Magic ID not found\n   Solution: Regenerate UART File\n");
    EXPECT_EQ(UploadErrorText(1), "\r\n<========== Upload Success ==========>\r\n");
    EXPECT_EQ(UploadErrorText(23), "\n<========== Terminated by user ==========>\n   Please Switch Off the Board and then Transmit\n");
    EXPECT_EQ(UploadErrorText(5), "");
}

}  // namespace
}  // namespace velk::link
