#pragma once
// A 20-byte NUL-terminated name field. The raw bytes are kept, so a record read
// from a file is written back byte for byte.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velk {

class FixedName {
public:
    static constexpr std::size_t kSize = 20;
    static constexpr std::size_t kMaxLength = kSize - 1;

    FixedName() = default;
    FixedName(std::string_view text) { Assign(text); }  // NOLINT: names are assigned from text everywhere

    FixedName& operator=(std::string_view text)
    {
        Assign(text);
        return *this;
    }

    // Cuts the text to 19 characters and clears the rest of the field.
    void Assign(std::string_view text)
    {
        bytes_.fill(0);
        const auto n = std::min(text.size(), kMaxLength);
        std::copy_n(text.begin(), n, bytes_.begin());
    }
    std::string Text() const
    {
        const auto end = std::find(bytes_.begin(), bytes_.end() - 1, 0);
        return std::string(bytes_.begin(), end);
    }
    std::array<std::uint8_t, kSize>& Raw() { return bytes_; }
    const std::array<std::uint8_t, kSize>& Raw() const { return bytes_; }

    bool operator==(const FixedName&) const = default;

private:
    std::array<std::uint8_t, kSize> bytes_{};
};

}  // namespace velk
