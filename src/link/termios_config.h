#pragma once
// The termios flags of a line configuration: raw bytes, no flow control, reads
// that return what has arrived, and the baud rate, framing and parity.
#include "link/line_settings.h"

#include <termios.h>

namespace velk::link {

// Sets `tio` for `line`; returns the standard speed set, or B0 for a rate outside
// the termios table (applied afterwards through termios2).
speed_t ConfigureTermios(termios& tio, const LineSettings& line);

}  // namespace velk::link
