#include "image/section_crcs.h"

#include <boost/crc.hpp>

#include <algorithm>

namespace velk {
namespace {

constexpr std::uint32_t kPoly = 0x04C11DB7;
constexpr std::uint32_t kInit = 0xFFFFFFFF;
using Mpeg2Crc = boost::crc_optimal<32, kPoly, kInit, 0, false, false>;

// a * b modulo the CRC polynomial, both as polynomials over GF(2).
std::uint32_t MultiplyMod(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t product = 0;
    for (int bit = 31; bit >= 0; --bit) {
        product = (product & 0x80000000u) ? (product << 1) ^ kPoly : product << 1;
        if ((b >> bit) & 1)
            product ^= a;
    }
    return product;
}

// x^(8 * bytes) modulo the polynomial: what running `bytes` zero bytes does to a register.
std::uint32_t ZeroBytesFactor(std::size_t bytes)
{
    std::uint32_t result = 1;
    std::uint32_t power = 0x100;  // x^8
    for (; bytes != 0; bytes >>= 1) {
        if (bytes & 1)
            result = MultiplyMod(result, power);
        power = MultiplyMod(power, power);
    }
    return result;
}

}  // namespace

SectionCrcs Crc32Mpeg2Sections(ByteView data, std::size_t sectionSize)
{
    // With no final xor the CRC is linear in its start value: running a section from
    // register s gives crc0(section) ^ s * x^(8n), so the section's own CRC (from the
    // initial value) is after ^ (before ^ init) * x^(8n).
    SectionCrcs out;
    std::uint32_t state = kInit;
    const std::uint32_t fullFactor = ZeroBytesFactor(sectionSize);
    for (std::size_t offset = 0; offset < data.size(); offset += sectionSize) {
        const std::size_t length = std::min(sectionSize, data.size() - offset);
        Mpeg2Crc crc(state);
        crc.process_bytes(data.data() + offset, length);
        const std::uint32_t after = crc.checksum();
        const std::uint32_t factor = length == sectionSize ? fullFactor : ZeroBytesFactor(length);
        out.sections.push_back(after ^ MultiplyMod(state ^ kInit, factor));
        state = after;
    }
    out.whole = state;
    return out;
}

}  // namespace velk
