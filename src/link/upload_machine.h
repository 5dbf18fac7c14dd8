#pragma once
// The receiver-driven upload of URT files: announce with 0x17 until the loader
// answers 0x06, then send one packet per 0x05 and the last one again per 0x15.
// The files come in as bytes read by the caller: the machine does no I/O.
#include "link/loader_frame.h"
#include "link/protocol_machine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velk::link {

// ADB announces every 200 ms and reports nothing on a broken packet; SDB and
// console announce back to back; the console reports -1 and -3.
enum class UploadKind { Adb, Sdb, Console };

enum class UploadOutcome { Running, Completed, Cancelled };

// What the upload tells the dialog or console. Called on the worker thread.
class UploadEvents {
public:
    virtual ~UploadEvents() = default;
    virtual void Status(const std::string&) {}
    virtual void PacketCount(std::uint32_t) {}
    virtual void PacketsSent(std::uint32_t) {}
    virtual void Report(int /*code*/) {}
};

class UploadMachine final : public ProtocolMachine {
public:
    // `files`: the URT files in the order they go out, each read whole.
    UploadMachine(UploadKind kind, std::vector<Bytes> files, UploadEvents& events);

    void Receive(ByteView bytes) override;
    PollResult Poll(SteadyTime now) override;
    void Cancel() override;

    UploadOutcome Outcome() const { return outcome_; }
    std::size_t FileIndex() const { return fileIndex_; }
    std::uint32_t Sent() const { return sent_; }
    std::uint32_t Count() const { return count_; }
    // Line noise can pass for the loader's one-byte requests: how many asked for a
    // resend, and how many came while a request was still pending (and were dropped).
    std::uint32_t ResendRequests() const { return resendRequests_; }
    std::uint32_t RequestsOutOfTurn() const { return requestsOutOfTurn_; }

private:
    enum class Phase { Announce, Settle, Send };

    PollResult Announce(SteadyTime now);
    PollResult BeginFile();
    PollResult SendPacket();
    PollResult FinishFile();
    void Abandon(int code);
    void ClearTransfer();
    std::string StatusText(bool completed) const;

    UploadKind kind_;
    std::vector<Bytes> files_;
    UploadEvents& events_;
    // Handshake flags: raised by Receive, cleared by Poll.
    bool synchronised_ = false;
    bool nextRequest_ = false;
    bool resendRequest_ = false;
    bool cancel_ = false;

    Phase phase_ = Phase::Announce;
    std::optional<SteadyTime> phaseTime_;
    std::size_t fileIndex_ = 0;
    bool fileBegun_ = false;
    std::size_t position_ = 0;
    std::uint32_t count_ = 0;
    std::uint32_t sent_ = 0;
    std::uint32_t resendRequests_ = 0;
    std::uint32_t requestsOutOfTurn_ = 0;
    // The packet last written; kept until the next request so a resend repeats it.
    Bytes packet_;
    std::uint8_t controlByte_ = kReady;
    UploadOutcome outcome_ = UploadOutcome::Running;
};

}  // namespace velk::link
