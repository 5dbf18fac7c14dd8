// The decoding side of the LZARI coder: the same model, the arithmetic decoder and
// the ring buffer the matches copy from.
#include "image/lzari.h"

#include "image/lzari_model.h"

#include <algorithm>

namespace velk {
namespace {

using namespace lzari;

// The decoder reads ahead of the coder's last bit by up to its 17-bit window; the
// coder's flush makes whatever follows irrelevant. More than that is a short code.
constexpr std::size_t kReadAheadBits = 32;

// Code bits, most significant first; zeros past the end, up to the read-ahead.
class BitSource {
public:
    explicit BitSource(ByteView code) : code_(code), limit_(code.size() * 8 + kReadAheadBits) {}

    // The next `count` bits, count <= 17, as a number.
    std::uint32_t Take(int count)
    {
        if (count == 0)
            return 0;
        const std::size_t byte = position_ >> 3;
        std::uint32_t window = 0;  // the four bytes from the one holding the next bit
        for (std::size_t k = 0; k < 4; ++k)
            window = (window << 8) | (byte + k < code_.size() ? code_[byte + k] : 0u);
        const auto bits = (window << (position_ & 7)) >> (32 - count);
        position_ += static_cast<std::size_t>(count);
        return bits;
    }
    bool Overrun() const { return position_ > limit_; }
    // Whether the code goes on well past the read-ahead: the coder stopped before it.
    bool Unused() const { return position_ + 2 * kReadAheadBits < code_.size() * 8; }

private:
    ByteView code_;
    std::size_t position_ = 0;
    std::size_t limit_;
};

class ArithmeticDecoder {
public:
    explicit ArithmeticDecoder(ByteView code) : bits_(code), value_(bits_.Take(kCodeBits)) {}

    int DecodeChar()
    {
        const int sym = model_.FindSymbol(Target(model_.Total()));
        Narrow(model_.Cum(sym - 1), model_.Cum(sym), model_.Total());
        const int ch = model_.CharOf(sym);
        model_.Update(sym);
        return ch;
    }
    int DecodePosition()
    {
        const int position = model_.FindPosition(Target(model_.PositionTotal()));
        Narrow(model_.PositionCum(position), model_.PositionCum(position + 1), model_.PositionTotal());
        return position;
    }
    bool Overrun() const { return bits_.Overrun(); }
    bool Unused() const { return bits_.Unused(); }

private:
    std::uint32_t Target(std::uint32_t total) const
    {
        return ((value_ - interval_.Low() + 1) * total - 1) / interval_.Range();
    }

    // The value lies in the interval, so it shares the bits that leave it.
    void Narrow(std::uint32_t cumHigh, std::uint32_t cumLow, std::uint32_t total)
    {
        interval_.Narrow(cumHigh, cumLow, total);
        const int settled = interval_.Settled();
        interval_.ShiftSettled(settled);
        value_ = Interval::ShiftSettled(value_, settled, bits_.Take(settled));
        const int straddling = interval_.Straddling();
        interval_.ShiftStraddling(straddling);
        value_ = Interval::ShiftStraddling(value_, straddling, bits_.Take(straddling));
    }

    BitSource bits_;
    Model model_;
    Interval interval_;
    std::uint32_t value_;
};

}  // namespace

std::optional<Bytes> LzariDecode(ByteView code, std::size_t size)
{
    // A code bit yields at most a few hundred bytes; a size beyond that is not this code's.
    constexpr std::size_t kMaxBytesPerCodeByte = 1024;
    if (size / kMaxBytesPerCodeByte > code.size())
        return std::nullopt;
    ArithmeticDecoder decoder(code);
    std::array<std::uint8_t, kRing> ring;
    ring.fill(' ');
    std::size_t r = kRing - kLookAhead;
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        const int c = decoder.DecodeChar();
        if (c < 256) {
            out.push_back(static_cast<std::uint8_t>(c));
            ring[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & (kRing - 1);
        } else {
            std::size_t from = (r - static_cast<std::size_t>(decoder.DecodePosition()) - 1) & (kRing - 1);
            const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(c - 255 + kThreshold), size - out.size());
            for (std::size_t k = 0; k < length; ++k) {
                const std::uint8_t b = ring[from];
                out.push_back(b);
                ring[r] = b;
                r = (r + 1) & (kRing - 1);
                from = (from + 1) & (kRing - 1);
            }
        }
        if (decoder.Overrun())
            return std::nullopt;
    }
    if (decoder.Unused())
        return std::nullopt;
    return out;
}

}  // namespace velk
