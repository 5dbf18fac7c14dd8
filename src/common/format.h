#pragma once
// printf-style formatting into a std::string: the receiver's texts are given as
// C format strings ("[ %d ] %s", "%05.1f"), and keeping them verbatim keeps them exact.
#include <cstdio>
#include <string>

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

}  // namespace velk
