#pragma once
// The LZARI coder's constants and its adaptive model, shared by the coder and the
// decoder so that both sides of the format keep one definition.
#include <array>
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
