#include "link/download_machine.h"

#include "common/checksums.h"

namespace velk::link {
namespace {

constexpr milliseconds kSettleAfterAnnounce{100};
constexpr std::chrono::seconds kRequestTimeout{4};
// Header packet offsets.
constexpr std::size_t kBlockLengthAt = 24;
constexpr std::size_t kEntryCountAt = 44;
constexpr std::size_t kEntriesAt = 47;
constexpr std::size_t kEntrySize = 14;
constexpr std::size_t kEntryPacketsAt = 4;

}  // namespace

DownloadMachine::DownloadMachine(DownloadEvents& events) : events_(events) {}

void DownloadMachine::Receive(ByteView bytes)
{
    for (const auto b : bytes) {
        // A broken or failed frame purges the queue: the rest of this read goes too.
        if (!ReceiveByte(b))
            return;
    }
}

bool DownloadMachine::ReceiveByte(std::uint8_t b)
{
    if (frame_.Open()) {
        const auto step = frame_.Take(b);
        if (step == FrameAssembler::Step::More)
            return true;
        if (step == FrameAssembler::Step::Whole && TakeFrame(frame_.Payload())) {
            nextRequest_ = true;
            return true;
        }
        resendRequest_ = true;
        return false;
    }
    if (b == kReady && !started_) {
        events_.Title("Data From ( STB to PC )");
        events_.Status("Downloading inprogress");
        packetsReceived_ = 0;
        blockData_.clear();
        started_ = true;
    } else if (b == kFrameStart && started_) {
        frame_.Start();
    }
    return true;
}

// Takes what a whole frame carries.
bool DownloadMachine::TakeFrame(ByteView payload)
{
    if (!payload.empty() && payload[0] == kHeaderPacket && !TakeHeader(payload))
        return false;
    if (!payload.empty() && payload[0] == kDataPacket && payload.size() > kDataPacketHeader)
        blockData_.insert(blockData_.end(), payload.begin() + kDataPacketHeader, payload.end());
    ++packetsReceived_;
    if (packetsExpected_ > 0)
        events_.Progress(static_cast<std::uint32_t>(std::uint64_t{packetsReceived_} * 100 / packetsExpected_));
    return true;
}

// A header whose table does not fit its payload is asked for again.
bool DownloadMachine::TakeHeader(ByteView payload)
{
    if (payload.size() < kEntriesAt)
        return false;
    const std::size_t entries = LoadBe24(payload, kEntryCountAt);
    const std::size_t crcAt = kEntriesAt + entries * kEntrySize;
    if (payload.size() < crcAt + kFrameSumSize)
        return false;
    blockLength_ = LoadBe32(payload, kBlockLengthAt);
    packetsExpected_ = 1;
    for (std::size_t i = 0; i < entries; ++i)
        packetsExpected_ += payload[kEntriesAt + i * kEntrySize + kEntryPacketsAt];
    blockCrc_ = LoadBe32(payload, crcAt);
    return true;
}

PollResult DownloadMachine::Poll(SteadyTime now)
{
    if (cancel_) {
        if (outcome_ == DownloadOutcome::Running)
            outcome_ = DownloadOutcome::Cancelled;
        return Finish();
    }
    switch (phase_) {
    case Phase::BlockStart:
        nextRequest_ = true;
        resendRequest_ = false;
        blockData_.clear();
        blockLength_ = 0;
        lastRequest_ = 0;
        phase_ = Phase::AwaitAnnounce;
        [[fallthrough]];
    case Phase::AwaitAnnounce:
        if (!started_)
            return PollResult{};
        phase_ = Phase::Settle;
        deadline_ = now + kSettleAfterAnnounce;
        [[fallthrough]];
    case Phase::Settle:
        if (now < deadline_)
            return WaitUntil(deadline_);
        events_.Progress(0);
        phase_ = Phase::Requesting;
        return SendControl(kAck, false);
    case Phase::Requesting:
        return Request(now);
    case Phase::Finishing:
        outcome_ = DownloadOutcome::Completed;
        return Finish();
    }
    return PollResult{};
}

PollResult DownloadMachine::Request(SteadyTime now)
{
    if (blockLength_ > 0 && blockData_.size() >= blockLength_)
        return CompleteBlock(now);
    if (nextRequest_ || resendRequest_) {
        const bool resend = !nextRequest_;
        if (resend) {
            frame_.Drop();
            ++retries_;
        }
        nextRequest_ = false;
        resendRequest_ = false;
        lastRequest_ = resend ? kResend : kNext;
        deadline_ = now + kRequestTimeout;
        return SendControl(lastRequest_, true);
    }
    if (now < deadline_)
        return WaitUntil(deadline_);
    // No complete frame in time: drop a stalled one and ask the same again.
    frame_.Drop();
    deadline_ = now + kRequestTimeout;
    return SendControl(lastRequest_, true);
}

PollResult DownloadMachine::CompleteBlock(SteadyTime now)
{
    started_ = false;
    events_.Progress(0);
    const ByteView data = ByteView(blockData_).first(blockLength_);
    events_.BlockReceived(block_, data, Crc32Mpeg2(data) == blockCrc_);
    ++block_;
    if (block_ < kDownloadBlocks) {
        phase_ = Phase::BlockStart;
        return Poll(now);
    }
    events_.Text("Data download completed");
    phase_ = Phase::Finishing;
    return SendControl(kDone, false);
}

PollResult DownloadMachine::SendControl(std::uint8_t byte, bool purge)
{
    control_ = byte;
    return SendNow(ByteView(&control_, 1), purge);
}

}  // namespace velk::link
