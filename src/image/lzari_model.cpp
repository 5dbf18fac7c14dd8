#include "image/lzari_model.h"

namespace velk::lzari {
namespace {

// The first index in [1, last] whose decreasing total is not above `target`.
template <typename Totals>
int FirstNotAbove(const Totals& cum, int last, std::uint32_t target)
{
    int i = 1;
    int j = last;
    while (i < j) {
        const int k = (i + j) / 2;
        if (cum[static_cast<std::size_t>(k)] > target)
            i = k + 1;
        else
            j = k;
    }
    return i;
}

}  // namespace

Model::Model()
{
    symCum_[kSymbols] = 0;
    for (int sym = kSymbols; sym >= 1; --sym) {
        const auto s = static_cast<std::size_t>(sym);
        charToSym_[s - 1] = static_cast<std::int16_t>(sym);
        symToChar_[s] = static_cast<std::int16_t>(sym - 1);
        symFreq_[s] = 1;
        symCum_[s - 1] = static_cast<std::uint16_t>(symCum_[s] + symFreq_[s]);
    }
    symFreq_[0] = 0;  // sentinel, differs from symFreq_[1]
    positionCum_[kRing] = 0;
    // The classic coder's fixed distribution of match positions.
    for (int i = kRing; i >= 1; --i)
        positionCum_[static_cast<std::size_t>(i - 1)] = positionCum_[static_cast<std::size_t>(i)] + 10000 / (i + 200);
}

void Model::Halve()
{
    std::uint16_t c = 0;
    for (std::size_t i = kSymbols; i > 0; --i) {
        symCum_[i] = c;
        symFreq_[i] = static_cast<std::uint16_t>((symFreq_[i] + 1) >> 1);
        c = static_cast<std::uint16_t>(c + symFreq_[i]);
    }
    symCum_[0] = c;
}

void Model::Update(int sym)
{
    if (symCum_[0] >= kMaxCumulative)
        Halve();
    auto i = static_cast<std::size_t>(sym);
    while (symFreq_[i] == symFreq_[i - 1])
        --i;
    const auto s = static_cast<std::size_t>(sym);
    if (i < s) {
        const std::int16_t chI = symToChar_[i];
        const std::int16_t chSym = symToChar_[s];
        symToChar_[i] = chSym;
        symToChar_[s] = chI;
        charToSym_[static_cast<std::size_t>(chI)] = static_cast<std::int16_t>(sym);
        charToSym_[static_cast<std::size_t>(chSym)] = static_cast<std::int16_t>(i);
    }
    ++symFreq_[i];
    // Every total above the counted symbol grows by one.
    for (std::size_t j = 0; j < i; ++j)
        ++symCum_[j];
}

int Model::FindSymbol(std::uint32_t target) const { return FirstNotAbove(symCum_, kSymbols, target); }

int Model::FindPosition(std::uint32_t target) const { return FirstNotAbove(positionCum_, kRing, target) - 1; }

}  // namespace velk::lzari
