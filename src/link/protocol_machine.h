#pragma once
// The shape shared by the upload and download exchanges: a push-style state
// machine that takes received bytes and the time, and says what to send next.
// It does no I/O and owns no thread; TransferDriver runs it over a port.
#include "common/bytes.h"

#include <chrono>
#include <optional>

namespace velk::link {

using SteadyTime = std::chrono::steady_clock::time_point;
using std::chrono::milliseconds;

struct PollResult {
    // Bytes to write now; they stay valid until the next Poll.
    ByteView send;
    // Discard unread received bytes before sending.
    bool purgeInput = false;
    // When to poll again without news from the line; nullopt waits for bytes.
    std::optional<SteadyTime> wakeAt;
    bool finished = false;
};

inline PollResult Finish()
{
    PollResult r;
    r.finished = true;
    return r;
}

inline PollResult WaitUntil(std::optional<SteadyTime> when)
{
    PollResult r;
    r.wakeAt = when;
    return r;
}

inline PollResult SendNow(ByteView bytes, bool purgeInput = false, std::optional<SteadyTime> wakeAt = std::nullopt)
{
    PollResult r;
    r.send = bytes;
    r.purgeInput = purgeInput;
    r.wakeAt = wakeAt;
    return r;
}

class ProtocolMachine {
public:
    virtual ~ProtocolMachine() = default;
    // The received-data handler: the bytes of one read, in order.
    virtual void Receive(ByteView bytes) = 0;
    // One pass of the worker at `now`.
    virtual PollResult Poll(SteadyTime now) = 0;
    // The user's cancel; the next Poll finishes.
    virtual void Cancel() = 0;
};

}  // namespace velk::link
