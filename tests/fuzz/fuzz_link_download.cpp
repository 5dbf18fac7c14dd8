// The download's receive handler and worker fed arbitrary serial data: the
// first byte sets the read size, and the worker polls between reads.
#include "link/download_machine.h"

#include <cstddef>
#include <cstdint>

namespace {

struct Sink : velk::link::DownloadEvents {
    void BlockReceived(std::size_t, velk::ByteView data, bool) override { bytes += data.size(); }
    std::size_t bytes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t chunk = 1 + data[0] % 64;
    velk::ByteView input(data + 1, size - 1);
    Sink sink;
    velk::link::DownloadMachine machine(sink);
    velk::link::SteadyTime now{};
    for (std::size_t off = 0; off < input.size(); off += chunk) {
        machine.Receive(input.subspan(off, std::min(chunk, input.size() - off)));
        for (int i = 0; i < 4 && !machine.Poll(now).finished; ++i)
            now += std::chrono::milliseconds(700);
    }
    return 0;
}
