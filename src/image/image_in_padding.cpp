#include "image/image_in_padding.h"

#include "image/crc_polynomial.h"

#include <algorithm>

namespace velk {
namespace {

constexpr std::uint8_t kFill[] = {0xFF};

}  // namespace

// The image is a leading 0xFF bytes, the core (first to last other byte) and b
// trailing 0xFF bytes. Its CRC is lead(a) * x^(8n) ^ run(0, core and trail), n the
// length of core and trail, lead(a) the register after the leading bytes. For each b
// the lead that fits follows by multiplying with x^(-8n); the leads of every a are
// sorted beforehand, so a search takes one pass over each run, not their product.
ImageInPadding::ImageInPadding(ByteView data, std::size_t from, bool startsAtFront) : data_(data), from_(from), coreStart_(from)
{
    if (!startsAtFront)
        while (coreStart_ < data.size() && data[coreStart_] == 0xFF)
            ++coreStart_;
    leads_.reserve(coreStart_ - from + 1);
    std::uint32_t lead = kCrcInitial;
    for (std::size_t a = 0; a <= coreStart_ - from; ++a) {
        leads_.emplace_back(lead, a);
        lead = CrcRun(lead, kFill);
    }
    // Equal registers keep the fewest leading bytes first: the image starting last.
    std::ranges::sort(leads_);
    checkpoints_.push_back(0);
}

std::uint32_t ImageInPadding::Rest(std::size_t position)
{
    const std::size_t k = (position - coreStart_) / kCheckpoint;
    while (checkpoints_.size() <= k) {
        const std::size_t at = coreStart_ + (checkpoints_.size() - 1) * kCheckpoint;
        checkpoints_.push_back(CrcRun(checkpoints_.back(), data_.subspan(at, kCheckpoint)));
    }
    const std::size_t at = coreStart_ + k * kCheckpoint;
    return CrcRun(checkpoints_[k], data_.subspan(at, position - at));
}

std::optional<ImagePlace> ImageInPadding::Find(std::size_t end, std::uint32_t crc)
{
    const auto leadOf = [&](std::uint32_t needed, std::size_t most) -> std::optional<std::size_t> {
        const auto it = std::ranges::lower_bound(leads_, std::pair{needed, std::size_t{0}});
        if (it == leads_.end() || it->first != needed || it->second > most)
            return std::nullopt;
        return it->second;
    };
    if (end <= coreStart_) {  // nothing but 0xFF before `end`
        const auto a = leadOf(crc, end - from_);
        return a ? std::optional(ImagePlace{from_, *a}) : std::nullopt;
    }
    std::size_t coreEnd = end;
    while (coreEnd > coreStart_ && data_[coreEnd - 1] == 0xFF)
        --coreEnd;
    const std::uint32_t unshiftByte = CrcPower(kCrcXInverse, 8);
    std::uint32_t unshift = CrcPower(kCrcXInverse, 8 * static_cast<std::uint64_t>(coreEnd - coreStart_));
    std::uint32_t rest = Rest(coreEnd);
    for (std::size_t stop = coreEnd; stop <= end; ++stop) {
        if (const auto a = leadOf(CrcMultiplyMod(crc ^ rest, unshift), coreStart_ - from_))
            return ImagePlace{coreStart_ - *a, *a + (stop - coreStart_)};
        rest = CrcRun(rest, kFill);
        unshift = CrcMultiplyMod(unshift, unshiftByte);
    }
    return std::nullopt;
}

}  // namespace velk
