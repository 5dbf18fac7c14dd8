#include "link/line_settings.h"

#include "common/format.h"

namespace velk::link {
namespace {

template <typename Table>
auto At(const Table& table, std::uint8_t index, std::size_t fallback)
{
    return table[index < table.size() ? index : fallback];
}

}  // namespace

LineSettings LineSettingsFromPort(const PortSettings& port)
{
    // The list order (None, Even, Odd, Mark, Space) is not the line-code order.
    static constexpr std::array<Parity, 5> kParity{Parity::None, Parity::Even, Parity::Odd, Parity::Mark, Parity::Space};
    static constexpr std::array<StopBits, 3> kStop{StopBits::One, StopBits::OneAndHalf, StopBits::Two};
    return LineSettings{At(kBaudRates, port.baudRateIndex, 12), At(kDataBits, port.dataBitsIndex, 4),
                        At(kParity, port.parityIndex, 0), At(kStop, port.stopBitsIndex, 0)};
}

LineSettings DownloadLineSettings(Parity lastParity)
{
    return LineSettings{115200, 8, lastParity, StopBits::One};
}

std::string DevicePathForPort(std::string_view portName)
{
    for (std::size_t i = 0; i < kListedPorts.size(); ++i)
        if (portName == kListedPorts[i])
            return "/dev/ttyS" + std::to_string(i);
    return std::string(portName);
}

std::string PortStatusLine(const PortSettings& port)
{
    const char parity = port.parityIndex == 1 ? 'E' : port.parityIndex == 2 ? 'O' : 'N';
    const auto baud = std::to_string(At(kBaudRates, port.baudRateIndex, 12));
    const auto bits = std::to_string(At(kDataBits, port.dataBitsIndex, 4));
    const std::string stop(At(kStopBitsTexts, port.stopBitsIndex, 0));
    return Format("%s %s %s %c %s", port.port.c_str(), baud.c_str(), bits.c_str(), parity, stop.c_str());
}

}  // namespace velk::link
