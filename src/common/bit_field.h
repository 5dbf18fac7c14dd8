#pragma once
// A bit field of a packed 32-bit word, declared once and used for both
// packing and unpacking so the two directions cannot drift apart.
#include <cstdint>

namespace velk {

struct BitField {
    unsigned shift;
    unsigned width;

    constexpr std::uint32_t Mask() const { return width >= 32 ? 0xFFFFFFFFu : ((1u << width) - 1u); }
    constexpr std::uint32_t Get(std::uint32_t word) const { return (word >> shift) & Mask(); }
    // Values wider than the field are cut to its width.
    constexpr std::uint32_t Set(std::uint32_t word, std::uint32_t value) const
    {
        return (word & ~(Mask() << shift)) | ((value & Mask()) << shift);
    }
};

}  // namespace velk
