#include "link/transfer_driver.h"

#include <utility>

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
            received_.insert(received_.end(), bytes.begin(), bytes.end());
        }
        changed_.notify_all();
        return 0;
    };
}

void TransferDriver::Start()
{
    worker_ = std::thread([this] { Run(); });
}

void TransferDriver::AwaitNews(const std::optional<SteadyTime>& wakeAt)
{
    std::unique_lock lock(mutex_);
    const auto news = [this] { return !received_.empty() || cancelAsked_; };
    if (wakeAt)
        changed_.wait_until(lock, *wakeAt, news);
    else
        changed_.wait(lock, news);
}

void TransferDriver::Run()
{
    Bytes input;
    for (;;) {
        bool cancel = false;
        {
            const std::lock_guard lock(mutex_);
            input.swap(received_);
            cancel = std::exchange(cancelAsked_, false);
        }
        if (cancel)
            machine_.Cancel();
        if (!input.empty()) {
            machine_.Receive(input);
            input.clear();
        }
        const auto step = machine_.Poll(std::chrono::steady_clock::now());
        if (step.finished)
            break;
        if (step.purgeInput)
            PurgeCommPort(port_);
        if (!step.send.empty()) {
            // Bytes that arrive meanwhile wait in received_ for the next pass.
            WriteCommPort(port_, step.send);
            continue;
        }
        AwaitNews(step.wakeAt);
    }
    finished_.store(true);
    changed_.notify_all();
}

void TransferDriver::Wait()
{
    if (worker_.joinable() && worker_.get_id() != std::this_thread::get_id())
        worker_.join();
}

void TransferDriver::Cancel(bool abortWrites)
{
    {
        const std::lock_guard lock(mutex_);
        cancelAsked_ = true;
    }
    changed_.notify_all();
    if (abortWrites)
        AbortCommPort(port_);
    Wait();
}

}  // namespace velk::link
