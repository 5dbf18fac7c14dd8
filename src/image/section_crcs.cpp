#include "image/section_crcs.h"

#include "image/crc_polynomial.h"

#include <algorithm>
#include <stdexcept>

namespace velk {
namespace {

// x^(8 * bytes) modulo the polynomial: what running `bytes` zero bytes does to a register.
std::uint32_t ZeroBytesFactor(std::size_t bytes) { return CrcPower(kCrcX8, bytes); }

}  // namespace

SectionedCrc::SectionedCrc(std::size_t sectionSize)
    : sectionSize_(sectionSize), fullFactor_(ZeroBytesFactor(sectionSize)), state_(kCrcInitial), sectionStart_(kCrcInitial)
{
    if (sectionSize == 0)
        throw std::invalid_argument("CRC sections of no bytes");
}

// A section's own CRC, from the initial value, is the register after it ^ (register
// before it ^ initial value) * x^(8n).
std::uint32_t SectionedCrc::CloseSection(std::size_t length) const
{
    const std::uint32_t factor = length == sectionSize_ ? fullFactor_ : ZeroBytesFactor(length);
    return state_ ^ CrcMultiplyMod(sectionStart_ ^ kCrcInitial, factor);
}

void SectionedCrc::Process(ByteView data)
{
    while (!data.empty()) {
        const std::size_t take = std::min(sectionSize_ - filled_, data.size());
        state_ = CrcRun(state_, data.first(take));
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
