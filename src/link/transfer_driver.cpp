#include "link/transfer_driver.h"

namespace velk::link {

TransferDriver::TransferDriver(CommPort& port, ProtocolMachine& machine) : port_(port), machine_(machine) {}

TransferDriver::~TransferDriver()
{
    if (worker_.joinable())
        Cancel(true);
}

ReceiveCallback TransferDriver::Callback()
{
    return [this](ByteView bytes) {
        {
            const std::lock_guard lock(mutex_);
            machine_.Receive(bytes);
            news_ = true;
        }
        changed_.notify_all();
        return 0;
    };
}

void TransferDriver::Start()
{
    worker_ = std::thread([this] { Run(); });
}

void TransferDriver::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        news_ = false;
        const auto step = machine_.Poll(std::chrono::steady_clock::now());
        if (step.finished)
            break;
        if (step.purgeInput)
            PurgeCommPort(port_);
        if (!step.send.empty()) {
            // Received bytes keep flowing into the machine while the block is written;
            // the block itself is only touched again by the next Poll.
            lock.unlock();
            WriteCommPort(port_, step.send);
            lock.lock();
            continue;
        }
        if (step.wakeAt)
            changed_.wait_until(lock, *step.wakeAt, [this] { return news_; });
        else
            changed_.wait(lock, [this] { return news_; });
    }
    finished_ = true;
    lock.unlock();
    changed_.notify_all();
}

void TransferDriver::Wait()
{
    if (worker_.joinable())
        worker_.join();
}

void TransferDriver::Cancel(bool abortWrites)
{
    {
        const std::lock_guard lock(mutex_);
        machine_.Cancel();
        news_ = true;
    }
    changed_.notify_all();
    if (abortWrites)
        AbortCommPort(port_);
    Wait();
}

bool TransferDriver::Finished() const
{
    const std::lock_guard lock(mutex_);
    return finished_;
}

}  // namespace velk::link
