#pragma once
// The serial port chosen by the user: its name and four list indexes into the
// serial layer's baud-rate, parity, data-bits and stop-bits tables.
#include <cstdint>
#include <string>

namespace velk {

struct PortSettings {
    std::string port = "COM1";
    std::uint8_t baudRateIndex = 12;  // 115200
    std::uint8_t parityIndex = 0;     // none
    std::uint8_t dataBitsIndex = 4;   // 8
    std::uint8_t stopBitsIndex = 0;   // 1
    bool operator==(const PortSettings&) const = default;
};

}  // namespace velk
