#include "number_options.h"

#include "common/format.h"

#include <charconv>

namespace velk::cli {
namespace {

std::optional<std::uint32_t> ReadNumber(std::string_view text, int base, std::uint32_t max)
{
    std::uint64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc{} || stop != end || value > max)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::uint32_t> ReadHex(std::string_view text, std::uint32_t max)
{
    if (text.starts_with("0x") || text.starts_with("0X"))
        text.remove_prefix(2);
    return ReadNumber(text, 16, max);
}

std::optional<std::uint32_t> ReadDecimal(std::string_view text, std::uint32_t max)
{
    return ReadNumber(text, 10, max);
}

std::optional<HexVersion> ReadHexVersion(std::string_view text, std::uint16_t max)
{
    const auto dot = text.find('.');
    const auto major = ReadHex(text.substr(0, dot), max);
    const auto minor = dot == std::string_view::npos ? std::optional<std::uint32_t>{0} : ReadHex(text.substr(dot + 1), max);
    if (!major || !minor)
        return std::nullopt;
    return HexVersion{static_cast<std::uint16_t>(*major), static_cast<std::uint16_t>(*minor)};
}

CLI::Validator HexNumber(std::uint32_t max)
{
    return CLI::Validator(
        [max](const std::string& value) {
            return ReadHex(value, max) ? std::string() : Format("not a hexadecimal number up to %X: %s", max, value.c_str());
        },
        "HEX");
}

CLI::Validator HexVersionNumber(std::uint16_t max)
{
    return CLI::Validator(
        [max](const std::string& value) {
            return ReadHexVersion(value, max) ? std::string() : "not a version MAJ.MIN in hexadecimal digits: " + value;
        },
        "MAJ.MIN");
}

std::uint32_t CheckedHex(const std::string& text) { return ReadHex(text).value_or(0); }

HexVersion CheckedHexVersion(const std::string& text) { return ReadHexVersion(text, 0xFFFF).value_or(HexVersion{}); }

}  // namespace velk::cli
