#include "link/serial_port_list.h"

#include <algorithm>
#include <charconv>

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace velk::link {
namespace {

namespace fs = std::filesystem;

// The number after the prefix of "ttyS12"; names without one sort last.
unsigned NumberAfter(const std::string& name, std::size_t prefix)
{
    unsigned n = ~0u;
    std::from_chars(name.data() + prefix, name.data() + name.size(), n);
    return n;
}

std::vector<std::string> DevicesNamed(const fs::path& dir, const std::string& prefix)
{
    std::vector<std::pair<unsigned, std::string>> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const auto name = entry.path().filename().string();
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0)
            found.emplace_back(NumberAfter(name, prefix.size()), entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [n, path] : found)
        paths.push_back(std::move(path));
    return paths;
}

// Every kernel offers /dev/ttyS0..31; only those with a UART behind them answer.
bool UartAnswers(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    serial_struct info{};
    const bool answers = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return answers;
}

}  // namespace

std::vector<std::string> ListSerialPorts(const fs::path& devRoot)
{
    std::vector<std::string> ports;
    for (auto& path : DevicesNamed(devRoot, "ttyS"))
        if (UartAnswers(path))
            ports.push_back(std::move(path));
    for (const char* prefix : {"ttyUSB", "ttyACM"})
        for (auto& path : DevicesNamed(devRoot, prefix))
            ports.push_back(std::move(path));
    std::error_code ec;
    std::vector<std::string> stable;
    for (const auto& entry : fs::directory_iterator(devRoot / "serial" / "by-id", ec))
        stable.push_back(entry.path().string());
    std::sort(stable.begin(), stable.end());
    ports.insert(ports.end(), stable.begin(), stable.end());
    return ports;
}

}  // namespace velk::link
