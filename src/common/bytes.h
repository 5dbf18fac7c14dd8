#pragma once
// Explicit little- and big-endian loads and stores over byte spans.
// Offsets are checked: a read or write past the span throws std::out_of_range,
// which marks a programming fault; readers of outside data check lengths first.
#include <boost/endian/conversion.hpp>

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

namespace velk {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;
using MutableByteView = std::span<std::uint8_t>;

inline void CheckRange(std::size_t size, std::size_t offset, std::size_t width)
{
    if (offset > size || width > size - offset)
        throw std::out_of_range("byte access past the end of a buffer");
}

inline std::uint8_t LoadU8(ByteView b, std::size_t off) { CheckRange(b.size(), off, 1); return b[off]; }
inline std::uint16_t LoadLe16(ByteView b, std::size_t off) { CheckRange(b.size(), off, 2); return boost::endian::load_little_u16(b.data() + off); }
inline std::uint32_t LoadLe24(ByteView b, std::size_t off) { CheckRange(b.size(), off, 3); return boost::endian::load_little_u24(b.data() + off); }
inline std::uint32_t LoadLe32(ByteView b, std::size_t off) { CheckRange(b.size(), off, 4); return boost::endian::load_little_u32(b.data() + off); }
inline std::uint16_t LoadBe16(ByteView b, std::size_t off) { CheckRange(b.size(), off, 2); return boost::endian::load_big_u16(b.data() + off); }
inline std::uint32_t LoadBe24(ByteView b, std::size_t off) { CheckRange(b.size(), off, 3); return boost::endian::load_big_u24(b.data() + off); }
inline std::uint32_t LoadBe32(ByteView b, std::size_t off) { CheckRange(b.size(), off, 4); return boost::endian::load_big_u32(b.data() + off); }

inline void StoreU8(MutableByteView b, std::size_t off, std::uint8_t v) { CheckRange(b.size(), off, 1); b[off] = v; }
inline void StoreLe16(MutableByteView b, std::size_t off, std::uint16_t v) { CheckRange(b.size(), off, 2); boost::endian::store_little_u16(b.data() + off, v); }
inline void StoreLe24(MutableByteView b, std::size_t off, std::uint32_t v) { CheckRange(b.size(), off, 3); boost::endian::store_little_u24(b.data() + off, v); }
inline void StoreLe32(MutableByteView b, std::size_t off, std::uint32_t v) { CheckRange(b.size(), off, 4); boost::endian::store_little_u32(b.data() + off, v); }
inline void StoreBe16(MutableByteView b, std::size_t off, std::uint16_t v) { CheckRange(b.size(), off, 2); boost::endian::store_big_u16(b.data() + off, v); }
inline void StoreBe24(MutableByteView b, std::size_t off, std::uint32_t v) { CheckRange(b.size(), off, 3); boost::endian::store_big_u24(b.data() + off, v); }
inline void StoreBe32(MutableByteView b, std::size_t off, std::uint32_t v) { CheckRange(b.size(), off, 4); boost::endian::store_big_u32(b.data() + off, v); }

// Copies `count` bytes at `off` out of `b`, range-checked.
inline Bytes Slice(ByteView b, std::size_t off, std::size_t count)
{
    CheckRange(b.size(), off, count);
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(off), b.begin() + static_cast<std::ptrdiff_t>(off + count));
}

}  // namespace velk
