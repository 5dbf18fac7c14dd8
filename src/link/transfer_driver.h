#pragma once
// Runs a protocol machine over an open port: the reader thread hands the
// received bytes over, a worker thread feeds them to the machine, polls it and
// writes what it asks for. Only the worker touches the machine, and it holds
// no lock while it does, so the machine's event callbacks may call Cancel.
#include "common/bytes.h"
#include "link/protocol_machine.h"
#include "link/serial_port.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace velk::link {

// Destroy the driver before the port is closed.
class TransferDriver {
public:
    TransferDriver(CommPort& port, ProtocolMachine& machine);
    ~TransferDriver();
    TransferDriver(const TransferDriver&) = delete;
    TransferDriver& operator=(const TransferDriver&) = delete;

    // The received-data callback to hand to StartReaderThread.
    ReceiveCallback Callback();
    // Starts the worker thread.
    void Start();
    // Blocks until the machine has finished.
    void Wait();
    // Cancels the machine and, unless called from the worker itself (an event
    // callback), joins it. With `abortWrites` a write blocked on a full line is
    // released first (the port is about to be closed).
    void Cancel(bool abortWrites);
    bool Finished() const { return finished_.load(); }

private:
    void Run();
    // Waits for received bytes or a cancel until `wakeAt` (for ever without one).
    void AwaitNews(const std::optional<SteadyTime>& wakeAt);

    CommPort& port_;
    ProtocolMachine& machine_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Bytes received_;          // handed over by the reader, taken by the worker
    bool cancelAsked_ = false;
    std::atomic<bool> finished_{false};
    std::thread worker_;
};

}  // namespace velk::link
