#pragma once
// A simulated receiver loader on a pseudo-terminal. The program opens
// DevicePath() through its real serial layer; the simulator plays the
// receiver's side of an upload or a download on the master end, with faults.
#include "common/bytes.h"
#include "link/loader_frame.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace velk::sim {

struct Faults {
    // Bytes (never 0x06) the loader sends before it answers the announcement.
    std::size_t noiseBeforeSync = 0;
    // Upload: packets (0-based within a file) the loader asks for again with 0x15, once each.
    std::set<std::uint32_t> resendPackets;
    // Upload: after this many packets of the first file the loader falls silent and
    // waits for a new announcement, as after a cancel.
    std::optional<std::uint32_t> silenceAfterPackets;
    // Download: packets (0-based over the whole download) sent once with a wrong sum,
    // once with a wrong end byte, or not sent for their first request.
    std::set<std::uint32_t> corruptSums;
    std::set<std::uint32_t> brokenEnds;
    std::set<std::uint32_t> silentPackets;
    // Download: frames written in pieces of this many bytes (0: whole).
    std::size_t splitChunk = 0;
    // Throttle writes and reads to this line rate (0: as fast as the pty goes).
    std::uint32_t baud = 0;
};

// One download block as the receiver sends it.
struct SimBlock {
    Bytes data;
    std::size_t packetData = 2048;
};

// Builds the download packets of a block: the 0xF1 header and the 0xF2 data packets.
std::vector<Bytes> DownloadPackets(const SimBlock& block);
// A URT file as the upload reads it: "MZ", packet count, the framed payloads.
Bytes UrtFile(const std::vector<Bytes>& payloads);

class SimReceiver {
public:
    explicit SimReceiver(Faults faults = {});
    ~SimReceiver();
    SimReceiver(const SimReceiver&) = delete;
    SimReceiver& operator=(const SimReceiver&) = delete;

    const std::string& DevicePath() const { return slavePath_; }

    // Receives URT files of these packet counts, one after the other.
    void PlayUploadLoader(std::vector<std::uint32_t> packetCounts);
    // Receives `files` files; each one's packet count is asked for when its first packet arrives.
    using PacketCountOf = std::function<std::uint32_t(std::size_t file)>;
    void PlayUploadLoader(std::size_t files, PacketCountOf packetCount);
    // Sends the four blocks of a download.
    void PlayDownloadSource(std::vector<SimBlock> blocks);

    // True once the played exchange ended (all files received, or 0x18 seen).
    bool WaitDone(std::chrono::milliseconds limit);
    // The URT files as received: "MZ", packet count, packets (resends not doubled).
    std::vector<Bytes> UploadedFiles() const;
    // Every byte that arrived from the program, in order.
    Bytes Heard() const;
    // Writes bytes to the program as they stand.
    void SendRaw(ByteView bytes) { Send(bytes); }
    // Closes the master: the device vanishes under the program.
    void Vanish();

private:
    void RunUpload(std::size_t files, const PacketCountOf& packetCount);
    void RunDownload(std::vector<SimBlock> blocks);
    void Send(ByteView bytes);
    // Next byte from the program, or nullopt on stop or when `limit` passed.
    std::optional<std::uint8_t> Next(std::chrono::milliseconds limit);
    // Holds a direction to the line rate: sleeps once it runs ahead of the wire.
    void Pace(std::size_t bytes, std::chrono::steady_clock::time_point& line) const;
    std::optional<bool> ReadFrame(link::FrameAssembler& frame);

    Faults faults_;
    int master_ = -1;
    int slave_ = -1;
    int stopFd_ = -1;
    std::string slavePath_;
    std::thread thread_;
    std::atomic<bool> done_{false};
    mutable std::mutex mutex_;
    std::vector<Bytes> files_;
    Bytes heard_;
    std::chrono::steady_clock::time_point readLine_{}, writeLine_{};
};

}  // namespace velk::sim
