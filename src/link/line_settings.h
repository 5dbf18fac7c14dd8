#pragma once
// The line configuration built from the port settings' list indexes, and the
// index tables the settings dialog lists.
#include "link/port_settings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velk::link {

enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class StopBits : std::uint8_t { One, OneAndHalf, Two };

struct LineSettings {
    std::uint32_t baudRate = 115200;
    std::uint8_t dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool operator==(const LineSettings&) const = default;
};

inline constexpr std::array<std::uint32_t, 15> kBaudRates{110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200,
                                                          38400, 56000, 57600, 115200, 128000, 256000};
inline constexpr std::array<std::string_view, 5> kParityTexts{"None", "Even", "Odd", "Mark", "Space"};
inline constexpr std::array<std::uint8_t, 5> kDataBits{4, 5, 6, 7, 8};
inline constexpr std::array<std::string_view, 3> kStopBitsTexts{"1", "1.5", "2"};
// The dialog lists the rates of indexes 0..12 only.
inline constexpr std::size_t kListedBaudRates = 13;
inline constexpr std::array<std::string_view, 4> kListedPorts{"COM1", "COM2", "COM3", "COM4"};

// Maps the stored indexes; an index out of its table falls back to the default entry.
LineSettings LineSettingsFromPort(const PortSettings& port);

// The download's fixed line: 115200 baud, 8 data bits, one stop bit, the last parity kept.
LineSettings DownloadLineSettings(Parity lastParity);

// "COM1".."COM4" name /dev/ttyS0..3; any other name is a device path.
std::string DevicePathForPort(std::string_view portName);

// "%s %s %s %c %s": port, baud, data bits, parity letter, stop bits ("COM1 115200 8 N 1").
std::string PortStatusLine(const PortSettings& port);

}  // namespace velk::link
