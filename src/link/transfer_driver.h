#pragma once
// Runs a protocol machine over an open port: the reader thread feeds it the
// received bytes, a worker thread polls it and writes what it asks for.
#include "link/protocol_machine.h"
#include "link/serial_port.h"

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
    // Cancels the machine and joins the worker. With `abortWrites` a write blocked
    // on a full line is released first (the port is about to be closed).
    void Cancel(bool abortWrites);
    bool Finished() const;

private:
    void Run();

    CommPort& port_;
    ProtocolMachine& machine_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool news_ = false;
    bool finished_ = false;
    std::thread worker_;
};

}  // namespace velk::link
