#include "sim/sim_receiver.h"

#include "common/checksums.h"
#include "link/loader_frame.h"

#include <algorithm>
#include <stdexcept>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

namespace velk::sim {
using namespace link;

namespace {

using namespace std::chrono_literals;

constexpr auto kWait = 20s;

}  // namespace

Bytes UrtFile(const std::vector<Bytes>& payloads)
{
    Bytes out{'M', 'Z', 0, 0, 0, 0};
    StoreBe32(out, 2, static_cast<std::uint32_t>(payloads.size()));
    for (const auto& p : payloads) {
        const auto frame = EncodeFrame(p);
        out.insert(out.end(), frame.begin(), frame.end());
    }
    return out;
}

std::vector<Bytes> DownloadPackets(const SimBlock& block)
{
    std::vector<Bytes> packets;
    const std::size_t dataPackets = (block.data.size() + block.packetData - 1) / block.packetData;
    const std::size_t entries = std::max<std::size_t>(1, (dataPackets + 254) / 255);
    Bytes header(47 + entries * 14 + 4, 0xEE);
    header[0] = 0xF1;
    StoreBe32(header, 24, static_cast<std::uint32_t>(block.data.size()));
    StoreBe24(header, 44, static_cast<std::uint32_t>(entries));
    for (std::size_t i = 0; i < entries; ++i)
        header[47 + i * 14 + 4] = static_cast<std::uint8_t>(std::min<std::size_t>(255, dataPackets - std::min(dataPackets, i * 255)));
    StoreBe32(header, 47 + entries * 14, Crc32Mpeg2(block.data));
    packets.push_back(EncodeFrame(header));
    for (std::size_t off = 0; off < block.data.size(); off += block.packetData) {
        Bytes payload(12, 0);
        payload[0] = 0xF2;
        const auto n = std::min(block.packetData, block.data.size() - off);
        payload.insert(payload.end(), block.data.begin() + static_cast<std::ptrdiff_t>(off),
                       block.data.begin() + static_cast<std::ptrdiff_t>(off + n));
        packets.push_back(EncodeFrame(payload));
    }
    return packets;
}

SimReceiver::SimReceiver(Faults faults) : faults_(std::move(faults))
{
    std::array<char, 256> name{};
    if (::openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    slavePath_ = name.data();
    termios tio{};
    ::tcgetattr(slave_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(slave_, TCSANOW, &tio);
    stopFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

SimReceiver::~SimReceiver()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(stopFd_, &one, sizeof one);
    if (thread_.joinable())
        thread_.join();
    for (const int fd : {master_, slave_, stopFd_})
        if (fd >= 0)
            ::close(fd);
}

void SimReceiver::PlayUploadLoader(std::vector<std::uint32_t> packetCounts)
{
    const auto files = packetCounts.size();
    PlayUploadLoader(files, [c = std::move(packetCounts)](std::size_t f) { return c[f]; });
}

void SimReceiver::PlayUploadLoader(std::size_t files, PacketCountOf packetCount)
{
    thread_ = std::thread([this, files, count = std::move(packetCount)] { RunUpload(files, count); });
}

void SimReceiver::PlayDownloadSource(std::vector<SimBlock> blocks)
{
    thread_ = std::thread([this, b = std::move(blocks)]() mutable { RunDownload(std::move(b)); });
}

bool SimReceiver::WaitDone(std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done_ && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(5ms);
    return done_;
}

std::vector<Bytes> SimReceiver::UploadedFiles() const
{
    const std::lock_guard lock(mutex_);
    return files_;
}

Bytes SimReceiver::Heard() const
{
    const std::lock_guard lock(mutex_);
    return heard_;
}

void SimReceiver::Vanish()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto n = ::write(stopFd_, &one, sizeof one);
    if (thread_.joinable())
        thread_.join();
    ::close(master_);
    ::close(slave_);
    master_ = slave_ = -1;
}

void SimReceiver::Pace(std::size_t bytes, std::chrono::steady_clock::time_point& line) const
{
    if (faults_.baud == 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    // A line idle for a while starts afresh; a short lag (an oversleep) is caught up.
    if (now - line > 5ms)
        line = now;
    line += std::chrono::microseconds(std::uint64_t{bytes} * 10'000'000 / faults_.baud);
    if (line - now > 2ms)
        std::this_thread::sleep_until(line);
}

void SimReceiver::Send(ByteView bytes)
{
    const std::size_t chunk = faults_.splitChunk ? faults_.splitChunk : bytes.size();
    for (std::size_t off = 0; off < bytes.size(); off += chunk) {
        const auto n = std::min(chunk, bytes.size() - off);
        Pace(n, writeLine_);
        std::size_t done = 0;
        while (done < n) {
            const auto w = ::write(master_, bytes.data() + off + done, n - done);
            if (w <= 0)
                return;
            done += static_cast<std::size_t>(w);
        }
        if (faults_.splitChunk)
            std::this_thread::sleep_for(2ms);
    }
}

std::optional<std::uint8_t> SimReceiver::Next(std::chrono::milliseconds limit)
{
    std::array<pollfd, 2> fds{pollfd{master_, POLLIN, 0}, pollfd{stopFd_, POLLIN, 0}};
    if (::poll(fds.data(), fds.size(), static_cast<int>(limit.count())) <= 0 || fds[1].revents || !(fds[0].revents & POLLIN))
        return std::nullopt;
    std::uint8_t b = 0;
    if (::read(master_, &b, 1) != 1)
        return std::nullopt;
    Pace(1, readLine_);
    const std::lock_guard lock(mutex_);
    heard_.push_back(b);
    return b;
}

// Reads the rest of a frame from the program, its start byte already seen;
// nullopt when the line falls silent first.
std::optional<bool> SimReceiver::ReadFrame(link::FrameAssembler& frame)
{
    frame.Start();
    for (;;) {
        const auto b = Next(kWait);
        if (!b)
            return std::nullopt;
        const auto step = frame.Take(*b);
        if (step != link::FrameAssembler::Step::More)
            return step == link::FrameAssembler::Step::Whole;
    }
}

void SimReceiver::RunUpload(std::size_t files, const PacketCountOf& packetCount)
{
    std::set<std::uint32_t> resends = faults_.resendPackets;
    std::uint32_t silenceAt = faults_.silenceAfterPackets.value_or(0);  // 0: never
    for (std::size_t f = 0; f < files;) {
        // Wait for the announcement, then answer it.
        for (;;) {
            const auto b = Next(kWait);
            if (!b)
                return;
            if (*b == kReady)
                break;
        }
        Send(Bytes(faults_.noiseBeforeSync, 0x41));
        Send(Bytes{kAck, kNext});
        Bytes received{'M', 'Z', 0, 0, 0, 0};
        std::uint32_t packets = 0;
        std::uint32_t total = 1;
        bool restart = false;
        link::FrameAssembler frame;
        while (packets < total) {
            const auto b = Next(kWait);
            if (!b)
                return;
            if (*b != kFrameStart)
                continue;  // stray announcements
            const auto whole = ReadFrame(frame);
            if (!whole)
                return;
            if (!*whole) {
                Send(Bytes{kResend});
                continue;
            }
            if (packets == 0)
                total = packetCount(f);
            if (resends.erase(packets)) {
                Send(Bytes{kResend});
                continue;
            }
            received.insert(received.end(), frame.Frame().begin(), frame.Frame().end());
            ++packets;
            if (silenceAt != 0 && packets == silenceAt) {
                silenceAt = 0;
                restart = true;
                break;
            }
            if (packets < total)
                Send(Bytes{kNext});
        }
        if (restart)
            continue;
        StoreBe32(received, 2, packets);
        {
            const std::lock_guard lock(mutex_);
            files_.push_back(std::move(received));
        }
        ++f;
    }
    done_ = true;
}

void SimReceiver::RunDownload(std::vector<SimBlock> blocks)
{
    std::uint32_t serial = 0;
    std::set<std::uint32_t> sums = faults_.corruptSums, ends = faults_.brokenEnds, silent = faults_.silentPackets;
    for (const auto& block : blocks) {
        const auto packets = DownloadPackets(block);
        Send(Bytes(faults_.noiseBeforeSync, 0x41));
        // Announce until the PC is ready for the block.
        for (bool ready = false; !ready;) {
            Send(Bytes{kReady});
            for (auto b = Next(200ms); b; b = Next(200ms))
                if (*b == kAck) {
                    ready = true;
                    break;
                }
            if (done_)
                return;
        }
        std::size_t next = 0, last = 0;
        std::uint32_t lastSerial = 0;
        while (next < packets.size()) {
            const auto b = Next(kWait);
            if (!b)
                return;
            if (*b == kResend) {
                Send(packets[last]);
                continue;
            }
            if (*b != kNext)
                continue;
            const std::uint32_t id = serial;
            if (silent.erase(id))
                continue;
            last = next++;
            lastSerial = serial++;
            Bytes frame = packets[last];
            if (sums.erase(lastSerial))
                frame[frame.size() - 2] ^= 0x5A;
            if (ends.erase(lastSerial))
                frame.back() = 0x04;
            Send(frame);
        }
        // The last packet may still be asked for again.
        for (auto b = Next(300ms); b; b = Next(300ms)) {
            if (*b == kResend)
                Send(packets[last]);
            if (*b == kDone) {
                done_ = true;
                return;
            }
        }
    }
    for (auto b = Next(kWait); b; b = Next(kWait))
        if (*b == kDone) {
            done_ = true;
            return;
        }
}

}  // namespace velk::sim
