#pragma once
// Test and benchmark data shaped like a receiver's firmware: instruction words,
// address tables, zero runs, noise and message strings.
#include "common/bytes.h"

#include <cstdint>
#include <random>
#include <string>

namespace velk::test {

inline Bytes FirmwareLike(std::size_t size, std::mt19937& random)
{
    static const Bytes ops{0x27, 0xBD, 0xFF, 0xE0, 0xAF, 0xBF, 0x00, 0x1C, 0x8F, 0xBF, 0x00, 0x1C, 0x03, 0xE0, 0x00, 0x08};
    static const std::string text = "Signal lost. Please check the dish alignment.";
    Bytes out;
    out.reserve(size + 256);
    while (out.size() < size) {
        switch (random() % 5) {
        case 0: out.insert(out.end(), random() % 48, 0); break;
        case 1:
            for (int i = 0; i < 8; ++i) {
                const std::uint32_t a = 0x7FF60000u + (random() % 8192) * 4;
                out.insert(out.end(), {std::uint8_t(a), std::uint8_t(a >> 8), std::uint8_t(a >> 16), std::uint8_t(a >> 24)});
            }
            break;
        case 2: out.insert(out.end(), ops.begin(), ops.end()); break;
        case 3:
            for (int i = 0; i < 16; ++i)
                out.push_back(static_cast<std::uint8_t>(random()));
            break;
        default: out.insert(out.end(), text.begin(), text.end());
        }
    }
    out.resize(size);
    return out;
}

}  // namespace velk::test
