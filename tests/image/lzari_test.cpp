#include "image/lzari.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

namespace velk {
namespace {

// The classic LZARI decoder, written out independently of the coder under test, so a
// round trip checks the coder's model and bit stream rather than agreeing with itself.
class LzariDecoder {
public:
    explicit LzariDecoder(ByteView code) : code_(code) {}

    Bytes Decode(std::size_t size)
    {
        StartModel();
        for (int i = 0; i < 17; ++i)
            value_ = 2 * value_ + Bit();
        std::array<std::uint8_t, kN> ring{};
        ring.fill(' ');
        int r = kN - kF;
        Bytes out;
        while (out.size() < size) {
            const int c = DecodeChar();
            if (c < 256) {
                out.push_back(static_cast<std::uint8_t>(c));
                ring[static_cast<std::size_t>(r)] = static_cast<std::uint8_t>(c);
                r = (r + 1) & (kN - 1);
                continue;
            }
            const int from = (r - DecodePosition() - 1) & (kN - 1);
            const int length = c - 255 + kThreshold;
            for (int k = 0; k < length; ++k) {
                const std::uint8_t b = ring[static_cast<std::size_t>((from + k) & (kN - 1))];
                out.push_back(b);
                ring[static_cast<std::size_t>(r)] = b;
                r = (r + 1) & (kN - 1);
            }
        }
        return out;
    }

private:
    static constexpr int kN = 4096, kF = 60, kThreshold = 2, kChars = 256 - kThreshold + kF;
    static constexpr std::uint32_t Q1 = 1u << 15, Q2 = 2 * Q1, Q3 = 3 * Q1, Q4 = 4 * Q1;

    int Bit()
    {
        const std::size_t byte = bit_ / 8;
        const int b = byte < code_.size() ? (code_[byte] >> (7 - bit_ % 8)) & 1 : 0;
        ++bit_;
        return b;
    }

    void StartModel()
    {
        cum_[kChars] = 0;
        for (int s = kChars; s >= 1; --s) {
            symToChar_[s] = s - 1;
            freq_[s] = 1;
            cum_[s - 1] = cum_[s] + 1;
        }
        freq_[0] = 0;
        posCum_[kN] = 0;
        for (int i = kN; i >= 1; --i)
            posCum_[i - 1] = posCum_[i] + 10000 / (i + 200);
    }

    void Update(int sym)
    {
        if (cum_[0] >= Q1 - 1) {
            std::uint32_t c = 0;
            for (int i = kChars; i > 0; --i) {
                cum_[i] = c;
                c += (freq_[i] = (freq_[i] + 1) >> 1);
            }
            cum_[0] = c;
        }
        int i = sym;
        while (freq_[i] == freq_[i - 1])
            --i;
        std::swap(symToChar_[i], symToChar_[sym]);
        ++freq_[i];
        while (--i >= 0)
            ++cum_[i];
    }

    // Narrows the interval to [cum[index + 1], cum[index]) and renormalises.
    template <typename Cum>
    void Narrow(const Cum& cum, int hiIndex)
    {
        const std::uint64_t range = high_ - low_;
        high_ = low_ + static_cast<std::uint32_t>(range * cum[hiIndex] / cum[0]);
        low_ += static_cast<std::uint32_t>(range * cum[hiIndex + 1] / cum[0]);
        for (;;) {
            if (low_ >= Q2) {
                value_ -= Q2; low_ -= Q2; high_ -= Q2;
            } else if (low_ >= Q1 && high_ <= Q3) {
                value_ -= Q1; low_ -= Q1; high_ -= Q1;
            } else if (high_ > Q2) {
                break;
            }
            low_ += low_;
            high_ += high_;
            value_ = 2 * value_ + static_cast<std::uint32_t>(Bit());
        }
    }

    std::uint32_t Target(std::uint32_t total) const
    {
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(value_ - low_ + 1) * total - 1) / (high_ - low_));
    }

    int DecodeChar()
    {
        const std::uint32_t x = Target(cum_[0]);
        int i = 1, j = kChars;
        while (i < j) {
            const int k = (i + j) / 2;
            if (cum_[k] > x) i = k + 1; else j = k;
        }
        Narrow(cum_, i - 1);
        const int ch = symToChar_[i];
        Update(i);
        return ch;
    }

    int DecodePosition()
    {
        const std::uint32_t x = Target(posCum_[0]);
        int i = 1, j = kN;
        while (i < j) {
            const int k = (i + j) / 2;
            if (posCum_[k] > x) i = k + 1; else j = k;
        }
        Narrow(posCum_, i - 1);
        return i - 1;
    }

    ByteView code_;
    std::size_t bit_ = 0;
    std::uint32_t low_ = 0, high_ = Q4, value_ = 0;
    std::array<int, kChars + 1> symToChar_{};
    std::array<std::uint32_t, kChars + 1> freq_{}, cum_{};
    std::array<std::uint32_t, kN + 1> posCum_{};
};

Bytes RoundTrip(const Bytes& input)
{
    const auto code = LzariEncode(input, input.size() * 2 + 64);
    if (!code)
        return {};
    EXPECT_EQ(Bytes(code->begin(), code->begin() + 4), (Bytes{'v', 'q', 'x', '.'}));
    return LzariDecoder(ByteView(*code).subspan(4)).Decode(input.size());
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Opcodes, little-endian addresses, zero runs and strings: roughly what a firmware image holds.
Bytes ExecutableLike(std::size_t size)
{
    std::mt19937 random(7);
    Bytes out;
    while (out.size() < size) {
        switch (random() % 4) {
        case 0: out.insert(out.end(), random() % 64, 0); break;
        case 1: for (int i = 0; i < 8; ++i) { const auto a = 0x7FF60000u + (random() % 4096) * 4; out.insert(out.end(), {std::uint8_t(a), std::uint8_t(a >> 8), std::uint8_t(a >> 16), std::uint8_t(a >> 24)}); } break;
        case 2: { static const Bytes ops{0x27, 0xBD, 0xFF, 0xE0, 0xAF, 0xBF, 0x00, 0x1C, 0x8F, 0xBF, 0x00, 0x1C, 0x03, 0xE0, 0x00, 0x08}; out.insert(out.end(), ops.begin(), ops.end()); break; }
        default: { const Bytes s = Text("Service list updated\0"); out.insert(out.end(), s.begin(), s.end()); }
        }
    }
    out.resize(size);
    return out;
}

TEST(Lzari, RoundTripsDataOfEveryKind)
{
    std::mt19937 random(1);
    Bytes noise(20000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    std::string prose;
    while (prose.size() < 30000)
        prose += "The receiver keeps its channel list in flash; the loader checks every block. ";
    const std::vector<Bytes> inputs{Bytes(1, 'A'), Bytes(3, 0), Bytes(100000, 0), Text(prose), noise,
                                    ExecutableLike(60000), Text("abcabcabcabcabc"), Bytes(59, ' '), Bytes(61, 'x')};
    for (const Bytes& input : inputs)
        EXPECT_EQ(RoundTrip(input), input) << "input of " << input.size() << " bytes";
}

TEST(Lzari, OutputIsBoundedByTheLimit)
{
    std::mt19937 random(2);
    Bytes noise(5000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    EXPECT_FALSE(LzariEncode(noise, noise.size()));
    EXPECT_FALSE(LzariEncode(Bytes(1, 'A'), 1));  // the "vqx." prefix alone is larger
    EXPECT_FALSE(LzariEncode({}, 100));
    const auto zeros = LzariEncode(Bytes(4096, 0), 4096);
    ASSERT_TRUE(zeros);
    EXPECT_LT(zeros->size(), 200u);
    // Exactly at the limit is still accepted.
    const auto exact = LzariEncode(noise, noise.size() * 2);
    ASSERT_TRUE(exact);
    EXPECT_TRUE(LzariEncode(noise, exact->size()));
    EXPECT_FALSE(LzariEncode(noise, exact->size() - 1));
}

}  // namespace
}  // namespace velk
