#pragma once
// The LZARI coder's constants and its adaptive model, shared by the coder and the
// decoder so that both sides of the format keep one definition.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace velk::lzari {

inline constexpr int kRing = 4096;     // N
inline constexpr int kLookAhead = 60;  // F
inline constexpr int kThreshold = 2;   // matches longer than this are coded as lengths
inline constexpr int kSymbols = 256 - kThreshold + kLookAhead;  // literals, then lengths 3..F

inline constexpr std::uint32_t kQ1 = 0x8000;
inline constexpr std::uint32_t kQ2 = 2 * kQ1;
inline constexpr std::uint32_t kQ3 = 3 * kQ1;
inline constexpr std::uint32_t kQ4 = 4 * kQ1;
inline constexpr std::uint32_t kMaxCumulative = kQ1 - 1;
inline constexpr int kCodeBits = 17;  // width of the coder's interval ends: Q4 = 2^17

// The arithmetic coder's interval [low, last], last being the classic coder's
// high - 1. The classic coder renormalizes a bit at a time: out while low and high
// agree on their top bit, then past the middle while low is 01... and high 10....
// Both runs are counted here at once; the bits of low and last say the same as the
// classic comparisons with Q1, Q2 and Q3. The decoder's value shifts along with them.
class Interval {
public:
    // Narrows to the share [cumLow, cumHigh) of `total`, rounding as the classic coder.
    void Narrow(std::uint32_t cumHigh, std::uint32_t cumLow, std::uint32_t total)
    {
        // range <= 2^17 and totals < 2^15: the products fit 32 bits, and 32-bit division is the fast one.
        const std::uint32_t range = last_ - low_ + 1;
        last_ = low_ + range * cumHigh / total - 1;
        low_ += range * cumLow / total;
    }
    std::uint32_t Low() const { return low_; }
    std::uint32_t Range() const { return last_ - low_ + 1; }

    // The top bits low and last share: settled, they leave the interval.
    int Settled() const { return std::min(std::countl_zero((low_ ^ last_) << (32 - kCodeBits)), kCodeBits); }
    void ShiftSettled(int count)
    {
        low_ = ShiftSettled(low_, count, 0);
        last_ = ShiftSettled(last_, count, Ones(count));
    }
    // Once settled, low < Q2 <= last: the bits under the top one where low has 1 and
    // last 0 straddle the middle; they leave too, their sign still open.
    int Straddling() const { return std::countl_one((low_ & ~last_) << (33 - kCodeBits)); }
    void ShiftStraddling(int count)
    {
        low_ = ShiftStraddling(low_, count, 0);
        last_ = ShiftStraddling(last_, count, Ones(count));
    }

    // `x` of the interval with `count` bits shifted out at the top and `incoming` in.
    static std::uint32_t ShiftSettled(std::uint32_t x, int count, std::uint32_t incoming)
    {
        return ((x << count) | incoming) & (kQ4 - 1);
    }
    // `x` with `count` bits under its top one shifted out and `incoming` in; the top stays.
    static std::uint32_t ShiftStraddling(std::uint32_t x, int count, std::uint32_t incoming)
    {
        return (((x << count) | incoming) & (kQ2 - 1)) | (x & kQ2);
    }
    static std::uint32_t Ones(int count) { return (1u << count) - 1; }

private:
    std::uint32_t low_ = 0;
    std::uint32_t last_ = kQ4 - 1;
};

// Symbol frequencies kept sorted (most frequent first) with their cumulative
// totals, and the fixed distribution of match positions. Symbol s covers
// [Cum(s), Cum(s - 1)) of Total().
class Model {
public:
    Model();

    int SymbolOf(int ch) const { return charToSym_[static_cast<std::size_t>(ch)]; }
    int CharOf(int sym) const { return symToChar_[static_cast<std::size_t>(sym)]; }
    std::uint32_t Cum(int sym) const { return symCum_[static_cast<std::size_t>(sym)]; }
    std::uint32_t Total() const { return symCum_[0]; }
    std::uint32_t PositionCum(int position) const { return positionCum_[static_cast<std::size_t>(position)]; }
    std::uint32_t PositionTotal() const { return positionCum_[0]; }

    // Counts one more use of `sym`, halving all counts first when the total is full.
    void Update(int sym);

    // The symbol whose interval holds `target` (binary search of the totals).
    int FindSymbol(std::uint32_t target) const;
    // The position whose interval holds `target`.
    int FindPosition(std::uint32_t target) const;

private:
    void Halve();

    std::array<std::int16_t, kSymbols> charToSym_{};
    std::array<std::int16_t, kSymbols + 1> symToChar_{};
    // Totals stay below Q1, so 16 bits hold them and the update loop runs on wider vectors.
    std::array<std::uint16_t, kSymbols + 1> symFreq_{};
    std::array<std::uint16_t, kSymbols + 1> symCum_{};
    std::array<std::uint32_t, kRing + 1> positionCum_{};
};

}  // namespace velk::lzari
