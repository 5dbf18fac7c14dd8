#include "link/serial_port.h"

#include "link/custom_baud.h"
#include "link/termios_config.h"

#include <array>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace velk::link {
namespace {

// A pseudo-terminal or an adapter without modem lines refuses these calls;
// that is not a fault of the line.
bool ModemLinesUnsupported(int error) { return error == ENOTTY || error == EINVAL; }

void SetModemLine(CommPort& port, int request, int line, const char* failure)
{
    if (::ioctl(port.Fd(), request, &line) != 0 && !ModemLinesUnsupported(errno))
        port.Report(failure);
}

// Reads the modem lines; nothing of the result is shown.
void LinePoll(CommPort& port)
{
    int lines = 0;
    if (::ioctl(port.Fd(), TIOCMGET, &lines) != 0 && !ModemLinesUnsupported(errno) && errno != EIO)
        port.Report("GetCommModemStatus");
}

struct Fd {
    int fd = -1;
    ~Fd() { if (fd >= 0) ::close(fd); }
    int Release() { return std::exchange(fd, -1); }
};

}  // namespace

CommPort::CommPort(int fd, int abortFd, Ui& ui, LineSettings line) : fd_(fd), abortFd_(abortFd), ui_(ui), line_(line) {}

CommPort::~CommPort()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (abortFd_ >= 0)
        ::close(abortFd_);
}

void CommPort::RaiseAbort()
{
    aborted_.store(true);
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(abortFd_, &one, sizeof one);
}

void CommPort::ResetAbort()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const auto n = ::read(abortFd_, &count, sizeof count);
    aborted_.store(false);
}

void CommPort::Report(const std::string& text, Icon icon) const { ui_.Message(text, kSerialCaption, icon, Buttons::Ok); }

int CommPort::ReleaseFd() { return std::exchange(fd_, -1); }

std::unique_ptr<CommPort> OpenCommPort(const std::string& portName, const LineSettings& line, Ui& ui)
{
    Fd fd{::open(DevicePathForPort(portName).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)};
    // Exclusive, as the port is opened without sharing.
    if (fd.fd < 0 || !::isatty(fd.fd) || ::flock(fd.fd, LOCK_EX | LOCK_NB) != 0) {
        ui.Message("Port is not available.", kSerialCaption, Icon::Error, Buttons::Ok);
        return nullptr;
    }
    const int abortFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (abortFd < 0)
        ui.Message("CreateEvent (Thread exit event)", kSerialCaption, Icon::Error, Buttons::Ok);
    auto port = std::make_unique<CommPort>(fd.Release(), abortFd, ui, line);
    SetupCommPort(*port);
    SetModemLine(*port, TIOCMBIS, TIOCM_DTR, "Error - EscapeCommFunction");
    return port;
}

int SetupCommPort(CommPort& port)
{
    termios tio{};
    if (::tcgetattr(port.Fd(), &tio) != 0) {
        port.Report("Error - SetCommState.");
        return 1;
    }
    const auto& line = port.Line();
    const speed_t speed = ConfigureTermios(tio, line);
    bool ok = line.dataBits >= 5 && ::tcsetattr(port.Fd(), TCSANOW, &tio) == 0;
    if (ok && speed == B0)
        ok = SetCustomBaudRate(port.Fd(), line.baudRate);
    if (!ok)
        port.Report("Error - SetCommState.");
    SetModemLine(port, TIOCMBIC, TIOCM_RTS, "Error - SetCommState.");
    return 1;
}

ReaderThread::ReaderThread(CommPort& port, ReceiveCallback callback, int stopFd)
    : port_(port), callback_(std::move(callback)), stopFd_(stopFd), thread_([this] { Run(); })
{
}

ReaderThread::~ReaderThread()
{
    Stop();
    ::close(stopFd_);
}

void ReaderThread::Stop()
{
    if (!thread_.joinable())
        return;
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(stopFd_, &one, sizeof one);
    thread_.join();
}

void ReaderThread::Run()
{
    std::array<std::uint8_t, kReaderBufferSize> buffer{};
    std::array<pollfd, 2> fds{pollfd{port_.Fd(), POLLIN, 0}, pollfd{stopFd_, POLLIN, 0}};
    LinePoll(port_);
    for (;;) {
        // Wakes every 500 ms to poll the line, at once on data or on stop.
        const int ready = ::poll(fds.data(), fds.size(), 500);
        if (ready < 0 && errno != EINTR) {
            port_.Report("Error - WaitForMultipleObjects(Reader & Status handles)");
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (ready == 0 && fds[0].fd >= 0) {
            LinePoll(port_);
            continue;
        }
        if (ready <= 0 || fds[0].revents == 0)
            continue;
        const auto n = ::read(port_.Fd(), buffer.data(), buffer.size());
        if (n > 0) {
            callback_(ByteView(buffer.data(), static_cast<std::size_t>(n)));
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            // The device vanished: stop watching it and release any blocked writer.
            fds[0].fd = -1;
            port_.RaiseAbort();
        }
    }
}

std::unique_ptr<ReaderThread> StartReaderThread(CommPort& port, ReceiveCallback callback)
{
    PurgeCommPort(port);
    ::tcflush(port.Fd(), TCOFLUSH);
    const int stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopFd < 0) {
        port.Report("Error in CreateThread(Reader/Status)");
        return nullptr;
    }
    try {
        return std::make_unique<ReaderThread>(port, std::move(callback), stopFd);
    } catch (const std::system_error&) {
        ::close(stopFd);
        port.Report("Error in CreateThread(Reader/Status)");
        return nullptr;
    }
}

std::size_t WriteCommPort(CommPort& port, ByteView bytes)
{
    std::size_t written = 0;
    std::array<pollfd, 2> fds{pollfd{port.Fd(), POLLOUT, 0}, pollfd{port.AbortFd(), POLLIN, 0}};
    while (written < bytes.size()) {
        const auto n = ::write(port.Fd(), bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            // A vanished device fails every write: it is reported once, not per announcement.
            const bool first = !port.Aborted();
            port.RaiseAbort();
            if (first)
                port.Report("WriteFile (in Writer)");
            return written;
        }
        // The line is full: wait until it drains or the write is aborted.
        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
            port.Report("WaitForMultipleObjects (WriterGeneric)");
            return written;
        }
        if (fds[1].revents != 0)
            return written;
    }
    return written;
}

void PurgeCommPort(CommPort& port) { ::tcflush(port.Fd(), TCIFLUSH); }

void AbortCommPort(CommPort& port) { port.RaiseAbort(); }

int StopReaderThread(std::unique_ptr<ReaderThread> reader)
{
    if (reader)
        reader->Stop();
    return 1;
}

int CloseCommPort(std::unique_ptr<CommPort> port)
{
    if (!port)
        return 1;
    // A writer blocked on this port must return before the descriptor goes.
    port->RaiseAbort();
    const int fd = port->ReleaseFd();
    return ::close(fd) == 0 ? 1 : 0;
}

}  // namespace velk::link
