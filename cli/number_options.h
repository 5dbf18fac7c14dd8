#pragma once
// Numbers on the velk command line, read the way the shell writes them:
// hexadecimal values with or without "0x", decimal values as plain digits.
// Anything else is refused with a message naming the option, never read as 0.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velk::cli {

// "7FE40000" or "0x7FE40000" (either case), at most `max`.
std::optional<std::uint32_t> ReadHex(std::string_view text, std::uint32_t max = 0xFFFFFFFF);
// Decimal digits only, at most `max`.
std::optional<std::uint32_t> ReadDecimal(std::string_view text, std::uint32_t max = 0xFFFFFFFF);

// "MAJ.MIN" in hexadecimal digits, each at most `max`; "MAJ" alone has minor 0.
struct HexVersion {
    std::uint16_t major = 1;
    std::uint16_t minor = 0;
};
std::optional<HexVersion> ReadHexVersion(std::string_view text, std::uint16_t max = 0xFF);

// Validators for add_option(...)->check(...).
CLI::Validator HexNumber(std::uint32_t max = 0xFFFFFFFF);
CLI::Validator HexVersionNumber(std::uint16_t max = 0xFF);

// The value of an option its validator accepted.
std::uint32_t CheckedHex(const std::string& text);
HexVersion CheckedHexVersion(const std::string& text);

}  // namespace velk::cli
