#include "import/import_filters.h"

namespace velk {
namespace {

// One pair of boxes: only the first, only the second, or both/none (no test).
template <typename FirstTest, typename SecondTest>
bool PairPasses(std::uint8_t bits, FirstTest first, SecondTest second)
{
    if (bits == 1)
        return first();
    if (bits == 2)
        return second();
    return true;
}

// The two box pairs of a filter: with no box of either pair checked, nothing passes.
template <typename Outer, typename Inner>
bool FilterPasses(const FilterRecord& f, std::uint8_t outerBits, Outer outer, std::uint8_t innerBits, Inner inner)
{
    if (f.selectAll == 1)
        return true;
    if (outerBits == 0 && innerBits == 0)
        return false;
    return outer() && inner();
}

}  // namespace

bool CarrierPassesFilter(const FilterRecord& f, std::uint32_t frequencyMhz, std::uint32_t polarization)
{
    const auto band = static_cast<std::uint8_t>(f.second & 3);
    const auto polar = static_cast<std::uint8_t>(f.first & 3);
    const auto bandOk = [&] {
        return PairPasses(band, [&] { return frequencyMhz <= kCBandTopMhz; }, [&] { return frequencyMhz > kCBandTopMhz; });
    };
    const auto polarOk = [&] {
        return PairPasses(polar, [&] { return polarization != 0; }, [&] { return polarization == 0; });
    };
    return FilterPasses(f, band, bandOk, polar, polarOk);
}

bool ServicePassesFilter(const FilterRecord& f, std::uint8_t serviceType, std::uint8_t scrambled)
{
    const auto type = static_cast<std::uint8_t>(f.second & 3);
    const auto access = static_cast<std::uint8_t>(f.first & 3);
    const auto typeOk = [&] {
        return PairPasses(type, [&] { return serviceType == 1; }, [&] { return serviceType == 2; });
    };
    const auto accessOk = [&] {
        return PairPasses(access, [&] { return scrambled == 0; }, [&] { return scrambled == 1; });
    };
    return FilterPasses(f, type, typeOk, access, accessOk);
}

Bytes EncodeFilterRecords(const std::vector<FilterRecord>& records)
{
    Bytes out;
    out.reserve(records.size() * FilterRecord::kSize);
    for (const auto& r : records)
        out.insert(out.end(), {r.first, r.second, r.selectAll});
    return out;
}

}  // namespace velk
