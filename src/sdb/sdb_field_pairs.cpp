#include "sdb/sdb_field_pairs.h"

namespace velk::sdb {
namespace {

std::uint32_t Transform(std::uint32_t v, PairTransform t, ConvertDirection d, std::uint32_t lnbLimit)
{
    switch (t) {
    case PairTransform::None:
        return v;
    case PairTransform::TypeLessOne:
        return d == ConvertDirection::NewToOld ? v - 1 : v + 1;
    case PairTransform::LnbIndex:
        return v < lnbLimit ? v : 0;
    }
    return v;
}

}  // namespace

void CopyPairs(std::span<const FieldPair> pairs, ByteView from, MutableByteView to, ConvertDirection direction,
               std::uint32_t lnbLimit)
{
    const bool toOld = direction == ConvertDirection::NewToOld;
    for (const auto& p : pairs) {
        const auto fromAt = toOld ? p.newAt : p.oldAt;
        const auto toAt = toOld ? p.oldAt : p.newAt;
        const auto& fromBits = toOld ? p.newBits : p.oldBits;
        const auto& toBits = toOld ? p.oldBits : p.newBits;
        const auto value = Transform(fromBits.Get(LoadLe32(from, fromAt)), p.transform, direction, lnbLimit);
        StoreLe32(to, toAt, toBits.Set(LoadLe32(to, toAt), value));
    }
}

}  // namespace velk::sdb
