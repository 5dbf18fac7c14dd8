#pragma once
// Numbers typed by the user, read the way the receiver's tools always read them:
// leading blanks skipped, an optional sign, then the leading digits; the rest is
// ignored and text without digits reads as 0.
#include <cstdint>
#include <string_view>

namespace velk {

// Decimal, like atol; saturates instead of overflowing.
std::int64_t ParseDecimal(std::string_view text);
// Hexadecimal with an optional "0x" prefix, like strtol(..., 16).
std::int64_t ParseHex(std::string_view text);

}  // namespace velk
