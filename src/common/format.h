#pragma once
// printf-style formatting into a std::string: the receiver's texts are given as
// C format strings ("[ %d ] %s", "%05.1f"), and keeping them verbatim keeps them exact.
#include <cstdio>
#include <string>
#include <string_view>

namespace velk {

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<std::size_t>(size));
    return out;
}

// Bytes from a file made safe for a terminal: printable ASCII as it is, every
// other byte as \xNN (a backslash as \\).
inline std::string EscapedText(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\')
            out += "\\\\";
        else if (byte >= 0x20 && byte < 0x7F)
            out += c;
        else
            out += Format("\\x%02X", byte);
    }
    return out;
}

}  // namespace velk
