#pragma once
// The download: the receiver announces each of four blocks with 0x17, the PC
// answers 0x06 and asks for every packet with 0x05 (0x15 for a resend), checks
// each frame's byte sum, and collects the data packets into the block.
#include "link/loader_frame.h"
#include "link/protocol_machine.h"

#include <cstdint>
#include <string>

namespace velk::link {

inline constexpr std::size_t kDownloadBlocks = 4;
inline constexpr std::uint8_t kHeaderPacket = 0xF1;
inline constexpr std::uint8_t kDataPacket = 0xF2;
inline constexpr std::size_t kDataPacketHeader = 12;

enum class DownloadOutcome { Running, Completed, Cancelled };

// What the download tells the dialog and where its blocks go.
class DownloadEvents {
public:
    virtual ~DownloadEvents() = default;
    virtual void Title(const std::string&) {}
    virtual void Status(const std::string&) {}
    virtual void Progress(std::uint32_t /*percent*/) {}
    // The dialog's text field ("CRC Verification - Success" and so on).
    virtual void Text(const std::string&) {}
    // Block 0..3 received whole: `data` is exactly the announced length.
    virtual void BlockReceived(std::size_t /*index*/, ByteView /*data*/, bool /*crcMatches*/) {}
};

class DownloadMachine final : public ProtocolMachine {
public:
    explicit DownloadMachine(DownloadEvents& events);

    void Receive(ByteView bytes) override;
    PollResult Poll(SteadyTime now) override;
    void Cancel() override { cancel_ = true; }

    DownloadOutcome Outcome() const { return outcome_; }
    std::size_t Block() const { return block_; }
    std::uint32_t PacketsReceived() const { return packetsReceived_; }
    std::uint32_t Retries() const { return retries_; }

private:
    enum class Phase { BlockStart, AwaitAnnounce, Settle, Requesting, Finishing };

    // False when the frame failed and the rest of the read is dropped.
    bool ReceiveByte(std::uint8_t b);
    bool TakeFrame(ByteView payload);
    bool TakeHeader(ByteView payload);
    PollResult Request(SteadyTime now);
    PollResult CompleteBlock(SteadyTime now);
    PollResult SendControl(std::uint8_t byte, bool purge);

    DownloadEvents& events_;
    bool cancel_ = false;
    DownloadOutcome outcome_ = DownloadOutcome::Running;
    Phase phase_ = Phase::BlockStart;
    std::size_t block_ = 0;

    // Raised by the handler, cleared by the worker.
    bool started_ = false;
    bool nextRequest_ = false;
    bool resendRequest_ = false;

    FrameAssembler frame_;

    std::uint8_t lastRequest_ = 0;
    std::uint8_t control_ = 0;
    SteadyTime deadline_{};
    std::uint32_t retries_ = 0;

    std::uint32_t blockLength_ = 0;
    std::uint32_t blockCrc_ = 0;
    Bytes blockData_;
    std::uint32_t packetsReceived_ = 0;
    std::uint32_t packetsExpected_ = 0;
};

}  // namespace velk::link
