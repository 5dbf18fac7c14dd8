#include "link/upload_machine.h"

#include "link/upload_errors.h"

#include <array>

namespace velk::link {
namespace {

constexpr milliseconds kAdbAnnounceGap{200};
constexpr milliseconds kSettleAfterSync{100};
constexpr std::size_t kUrtHeaderSize = 6;

}  // namespace

UploadMachine::UploadMachine(UploadKind kind, std::vector<Bytes> files, UploadEvents& events)
    : kind_(kind), files_(std::move(files)), events_(events)
{
}

void UploadMachine::Receive(ByteView bytes)
{
    for (const auto b : bytes) {
        if (cancel_)
            return;
        if (!synchronised_) {
            synchronised_ = b == kAck;
        } else if (b != kNext && b != kResend) {
            continue;
        } else if (nextRequest_) {
            // A request still pending swallows further requests, so none counts twice.
            ++requestsOutOfTurn_;
        } else if (b == kNext) {
            nextRequest_ = true;
        } else {
            resendRequest_ = true;
            ++resendRequests_;
        }
    }
}

void UploadMachine::Cancel()
{
    ClearTransfer();
    cancel_ = true;
}

PollResult UploadMachine::Poll(SteadyTime now)
{
    if (cancel_) {
        if (outcome_ == UploadOutcome::Running)
            outcome_ = UploadOutcome::Cancelled;
        return Finish();
    }
    if (outcome_ != UploadOutcome::Running || fileIndex_ >= files_.size())
        return Finish();
    switch (phase_) {
    case Phase::Announce:
        return Announce(now);
    case Phase::Settle:
        if (!phaseTime_)
            phaseTime_ = now + kSettleAfterSync;
        if (now < *phaseTime_)
            return WaitUntil(phaseTime_);
        phase_ = Phase::Send;
        phaseTime_.reset();
        return Poll(now);
    case Phase::Send:
        if (!fileBegun_)
            return nextRequest_ ? BeginFile() : PollResult{};
        if (nextRequest_)
            return SendPacket();
        if (resendRequest_) {
            resendRequest_ = false;
            return SendNow(packet_, false, now);
        }
        return PollResult{};
    }
    return PollResult{};
}

PollResult UploadMachine::Announce(SteadyTime now)
{
    if (synchronised_) {
        phase_ = kind_ == UploadKind::Adb ? Phase::Send : Phase::Settle;
        phaseTime_.reset();
        return Poll(now);
    }
    if (kind_ == UploadKind::Adb) {
        if (!phaseTime_)
            phaseTime_ = now + kAdbAnnounceGap;
        if (now < *phaseTime_)
            return WaitUntil(phaseTime_);
        phaseTime_ = now + kAdbAnnounceGap;
    }
    controlByte_ = kReady;
    return SendNow(ByteView(&controlByte_, 1), false, kind_ == UploadKind::Adb ? phaseTime_ : now);
}

PollResult UploadMachine::BeginFile()
{
    const Bytes& file = files_[fileIndex_];
    events_.Status(StatusText(false));
    if (file.size() < kUrtHeaderSize || file[0] != 'M' || file[1] != 'Z') {
        events_.Report(kUploadBadMagic);
        ClearTransfer();
        return PollResult{};
    }
    fileBegun_ = true;
    position_ = kUrtHeaderSize;
    count_ = LoadBe32(file, 2);
    sent_ = 0;
    events_.PacketCount(count_);
    events_.PacketsSent(0);
    return SendPacket();
}

PollResult UploadMachine::SendPacket()
{
    const Bytes& file = files_[fileIndex_];
    if (file.size() - position_ < 4 || file[position_] != kFrameStart) {
        Abandon(kUploadBadHeaderStart);
        return PollResult{};
    }
    const std::size_t length = LoadBe24(file, position_ + 1);
    const std::size_t take = std::min(length + kFrameOverhead, file.size() - position_);
    packet_ = Slice(file, position_, take);
    position_ += take;
    // The block goes out as it stands; only then is its end byte looked at.
    if (take < length + kFrameOverhead || packet_.back() != kFrameEnd) {
        Abandon(kUploadBadHeaderEnd);
        return SendNow(packet_);
    }
    ++sent_;
    nextRequest_ = false;
    events_.PacketsSent(sent_);
    if (sent_ == count_)
        return FinishFile();
    return SendNow(packet_);
}

PollResult UploadMachine::FinishFile()
{
    events_.Status(StatusText(true));
    ClearTransfer();
    ++fileIndex_;
    if (fileIndex_ >= files_.size()) {
        outcome_ = UploadOutcome::Completed;
        if (kind_ == UploadKind::Console)
            events_.Report(kUploadSuccess);
    }
    // The last packet still has to go out before the worker finishes.
    return SendNow(packet_);
}

void UploadMachine::Abandon(int code)
{
    if (kind_ == UploadKind::Console)
        events_.Report(code);
    ClearTransfer();
}

void UploadMachine::ClearTransfer()
{
    fileBegun_ = false;
    synchronised_ = false;
    nextRequest_ = false;
    resendRequest_ = false;
    sent_ = 0;
    phase_ = Phase::Announce;
    phaseTime_.reset();
}

std::string UploadMachine::StatusText(bool completed) const
{
    static constexpr std::array<const char*, 4> kAdbNames{"ADB", "Hovo", "Carrier", "Service"};
    const std::string suffix = completed ? " upload completed." : " upload inprogress.";
    switch (kind_) {
    case UploadKind::Adb:
        return std::string(kAdbNames[fileIndex_ % kAdbNames.size()]) + suffix;
    case UploadKind::Sdb:
        return "SDB" + suffix;
    case UploadKind::Console:
        return {};
    }
    return {};
}

}  // namespace velk::link
