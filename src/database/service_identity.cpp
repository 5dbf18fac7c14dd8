#include "database/service_identity.h"

#include <map>
#include <tuple>

namespace velk {
namespace {

using TransponderKey = std::tuple<int, std::uint8_t, std::uint16_t>;  // position, polarisation, program
using NameKey = std::pair<int, std::string>;                           // position, normalised name

// The channels of one key in channel order. Claims only grow, so the claimed
// ones at the front are skipped once for all later keys: many services of one
// name cost a pass, not a pass per key.
struct Bucket {
    std::vector<std::uint32_t> channels;
    std::size_t firstUnclaimed = 0;
};

struct Index {
    std::map<TransponderKey, Bucket> byTransponder;
    std::map<NameKey, Bucket> byName;
};

Index IndexOf(std::span<const ServiceKey> own)
{
    Index index;
    for (std::uint32_t ch = 0; ch < own.size(); ++ch) {
        const auto& k = own[ch];
        index.byTransponder[{k.orbitalPosition, k.polarization, k.programNumber}].channels.push_back(ch);
        index.byName[{k.orbitalPosition, NormalisedName(k.name)}].channels.push_back(ch);
    }
    return index;
}

template <typename Accept>
std::optional<std::uint32_t> FirstFree(Bucket* bucket, const std::vector<bool>& claimed, Accept accept)
{
    if (!bucket)
        return std::nullopt;
    auto& channels = bucket->channels;
    while (bucket->firstUnclaimed < channels.size() && claimed[channels[bucket->firstUnclaimed]])
        ++bucket->firstUnclaimed;
    for (std::size_t i = bucket->firstUnclaimed; i < channels.size(); ++i) {
        if (!claimed[channels[i]] && accept(channels[i]))
            return channels[i];
    }
    return std::nullopt;
}

template <typename Map, typename Key>
Bucket* Find(Map& map, const Key& key)
{
    const auto it = map.find(key);
    return it == map.end() ? nullptr : &it->second;
}

}  // namespace

ServiceKey KeyOf(const ServiceCatalog& catalog, const CatalogEntry& entry)
{
    const auto& carrier = catalog.Carrier(entry);
    const auto& service = catalog.Service(entry);
    return {OrbitalPosition(catalog.Satellite(entry)), carrier.frequencyMhz, carrier.symbolRateKs, carrier.polarization,
            service.programNumber, service.name.Text()};
}

std::vector<ServiceKey> KeysOf(const ServiceCatalog& catalog)
{
    std::vector<ServiceKey> keys;
    keys.reserve(catalog.channels.size());
    for (const auto& entry : catalog.channels)
        keys.push_back(KeyOf(catalog, entry));
    return keys;
}

std::vector<std::optional<Identified>> IdentifyServices(const ServiceCatalog& catalog, std::span<const ServiceKey> keys)
{
    const auto own = KeysOf(catalog);
    auto index = IndexOf(own);
    std::vector<bool> claimed(own.size());
    std::vector<std::optional<Identified>> out;
    out.reserve(keys.size());
    for (const auto& key : keys) {
        CarrierRecord wanted;
        wanted.frequencyMhz = key.frequencyMhz;
        wanted.symbolRateKs = key.symbolRateKs;
        wanted.polarization = key.polarization;
        auto ch = FirstFree(Find(index.byTransponder, TransponderKey{key.orbitalPosition, key.polarization, key.programNumber}),
                            claimed, [&](std::uint32_t c) { return SameTransponder(wanted, catalog.Carrier(catalog.channels[c])); });
        auto rule = MatchRule::Transponder;
        if (const auto name = NormalisedName(key.name); !ch && !name.empty()) {
            ch = FirstFree(Find(index.byName, NameKey{key.orbitalPosition, name}), claimed,
                           [](std::uint32_t) { return true; });
            rule = MatchRule::Name;
        }
        if (ch) {
            claimed[*ch] = true;
            out.push_back(Identified{*ch, rule});
        } else {
            out.push_back(std::nullopt);
        }
    }
    return out;
}

}  // namespace velk
