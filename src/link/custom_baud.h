#pragma once
// Rates outside the termios table (14400, 56000, 128000, 256000) go through
// termios2 with BOTHER, which cannot share a translation unit with <termios.h>.
#include <cstdint>

namespace velk::link {

bool SetCustomBaudRate(int fd, std::uint32_t baud);

}  // namespace velk::link
