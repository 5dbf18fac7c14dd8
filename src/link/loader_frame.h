#pragma once
// The receiver loader's line format: one-byte control codes, and frames of
// 0x02, the payload length (24 bits, big-endian), the payload, the byte sum
// of the payload (32 bits, big-endian) and 0x03.
#include "common/bytes.h"

#include <cstdint>

namespace velk::link {

inline constexpr std::uint8_t kReady = 0x17;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNext = 0x05;
inline constexpr std::uint8_t kResend = 0x15;
inline constexpr std::uint8_t kDone = 0x18;
inline constexpr std::uint8_t kFrameStart = 0x02;
inline constexpr std::uint8_t kFrameEnd = 0x03;

inline constexpr std::size_t kFrameHeadSize = 4;  // start byte and length
inline constexpr std::size_t kFrameSumSize = 4;
inline constexpr std::size_t kFrameOverhead = kFrameHeadSize + kFrameSumSize + 1;

Bytes EncodeFrame(ByteView payload);

// Gathers one frame byte by byte, from the byte after its start byte on.
class FrameAssembler {
public:
    enum class Step { More, Whole, Broken };

    // Begins a new frame (the start byte was seen).
    void Start();
    bool Open() const { return open_; }
    // Drops a frame in progress.
    void Drop() { open_ = false; }
    // Whole: the end byte came and the sum matches; Broken: either did not.
    // Both close the frame.
    Step Take(std::uint8_t b);

    // The whole frame as received (start byte to end byte) and its payload;
    // valid after Whole until the next Start.
    ByteView Frame() const { return frame_; }
    ByteView Payload() const;

private:
    bool open_ = false;
    std::size_t payloadSize_ = 0;
    Bytes frame_;
};

}  // namespace velk::link
