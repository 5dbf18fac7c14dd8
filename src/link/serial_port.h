#pragma once
// The only code that touches the serial device. One port is driven at a time:
// open it, start the reader thread with a callback, write blocks while the
// callback receives, then stop the reader and close the port.
// Every failure is shown through the Ui with the caption "Serial Comm lib".
#include "common/bytes.h"
#include "common/ui.h"
#include "link/line_settings.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace velk::link {

inline constexpr const char* kSerialCaption = "Serial Comm lib";
inline constexpr std::size_t kReaderBufferSize = 2048;

// Runs on the reader thread; the bytes are valid only during the call.
// The returned integer is ignored, as the receivers' handlers return one.
using ReceiveCallback = std::function<int(ByteView)>;

// The link state of one open port.
class CommPort {
public:
    CommPort(int fd, int abortFd, Ui& ui, LineSettings line);
    ~CommPort();
    CommPort(const CommPort&) = delete;
    CommPort& operator=(const CommPort&) = delete;

    int Fd() const { return fd_; }
    int AbortFd() const { return abortFd_; }
    const LineSettings& Line() const { return line_; }
    // Raised by a failed or aborted write or a vanished device; stays set until close.
    bool Aborted() const { return aborted_.load(); }
    void RaiseAbort();
    // Clears the abort event after a transfer was cancelled on a port that stays open.
    void ResetAbort();
    // Shows a failure of the layer.
    void Report(const std::string& text, Icon icon = Icon::Error) const;
    int ReleaseFd();

private:
    int fd_;
    int abortFd_;
    Ui& ui_;
    LineSettings line_;
    std::atomic<bool> aborted_{false};
};

class ReaderThread {
public:
    ReaderThread(CommPort& port, ReceiveCallback callback, int stopFd);
    ~ReaderThread();
    ReaderThread(const ReaderThread&) = delete;
    ReaderThread& operator=(const ReaderThread&) = delete;
    void Stop();

private:
    void Run();
    CommPort& port_;
    ReceiveCallback callback_;
    int stopFd_;
    std::thread thread_;
};

// Opens `portName` ("COM1".."COM4" or a device path) exclusively and applies
// `line`. Null after "Port is not available.".
std::unique_ptr<CommPort> OpenCommPort(const std::string& portName, const LineSettings& line, Ui& ui);

// Applies the line configuration: raw bytes, no flow control, reads that return
// what has arrived. Failures are shown, never returned: returns 1.
int SetupCommPort(CommPort& port);

// Purges both queues and starts the reader; null after "Error in CreateThread(Reader/Status)".
std::unique_ptr<ReaderThread> StartReaderThread(CommPort& port, ReceiveCallback callback);

// Writes the whole block unless the port is aborted meanwhile; returns the count written.
std::size_t WriteCommPort(CommPort& port, ByteView bytes);

// Discards received bytes not yet read.
void PurgeCommPort(CommPort& port);

// Raises the abort event: a write blocked on a full line returns at once.
void AbortCommPort(CommPort& port);

// Ends the reader thread; returns 1. Never hangs: the thread waits on a stop event too.
int StopReaderThread(std::unique_ptr<ReaderThread> reader);

// Closes the port; returns 1, or 0 when closing the device failed.
int CloseCommPort(std::unique_ptr<CommPort> port);

}  // namespace velk::link
