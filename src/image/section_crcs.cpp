#include "image/section_crcs.h"

#include <boost/crc.hpp>

#include <algorithm>
#include <stdexcept>

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

SectionedCrc::SectionedCrc(std::size_t sectionSize)
    : sectionSize_(sectionSize), fullFactor_(ZeroBytesFactor(sectionSize)), state_(kInit), sectionStart_(kInit)
{
    if (sectionSize == 0)
        throw std::invalid_argument("CRC sections of no bytes");
}

// With no final xor the CRC is linear in its start value: running n bytes from register
// s gives crc0(bytes) ^ s * x^(8n). So a section's own CRC, from the initial value, is
// the register after it ^ (register before it ^ initial value) * x^(8n).
std::uint32_t SectionedCrc::CloseSection(std::size_t length) const
{
    const std::uint32_t factor = length == sectionSize_ ? fullFactor_ : ZeroBytesFactor(length);
    return state_ ^ MultiplyMod(sectionStart_ ^ kInit, factor);
}

void SectionedCrc::Process(ByteView data)
{
    while (!data.empty()) {
        const std::size_t take = std::min(sectionSize_ - filled_, data.size());
        Mpeg2Crc crc(state_);
        crc.process_bytes(data.data(), take);
        state_ = crc.checksum();
        filled_ += take;
        data = data.subspan(take);
        if (filled_ == sectionSize_) {
            done_.push_back(CloseSection(filled_));
            sectionStart_ = state_;
            filled_ = 0;
        }
    }
}

SectionCrcs SectionedCrc::Result() const
{
    SectionCrcs out{done_, state_};
    if (filled_ != 0)
        out.sections.push_back(CloseSection(filled_));
    return out;
}

SectionCrcs Crc32Mpeg2Sections(ByteView data, std::size_t sectionSize)
{
    SectionedCrc crc(sectionSize);
    crc.Process(data);
    return crc.Result();
}

}  // namespace velk
