#include "common/c_number.h"

#include <limits>

namespace velk {
namespace {

int DigitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

std::int64_t ParseInBase(std::string_view text, int base)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (base == 16 && i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')
        && i + 2 < text.size() && DigitValue(text[i + 2], 16) >= 0)
        i += 2;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 16 - 16;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0)
            break;
        if (value < kLimit)
            value = value * base + d;
    }
    return negative ? -value : value;
}

}  // namespace

std::int64_t ParseDecimal(std::string_view text) { return ParseInBase(text, 10); }
std::int64_t ParseHex(std::string_view text) { return ParseInBase(text, 16); }

}  // namespace velk
