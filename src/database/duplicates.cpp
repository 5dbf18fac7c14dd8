#include "database/duplicates.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <tuple>

namespace velk {
namespace {

// Union-find over channel positions: either rule joins two services.
class Groups {
public:
    explicit Groups(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0u); }
    std::uint32_t Root(std::uint32_t i)
    {
        while (parent_[i] != i)
            i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void Join(std::uint32_t a, std::uint32_t b)
    {
        a = Root(a);
        b = Root(b);
        parent_[std::max(a, b)] = std::min(a, b);  // the earliest channel leads
    }

private:
    std::vector<std::uint32_t> parent_;
};

// Joins every channel that shares a key with the first channel that had it.
template <typename Key, typename KeyOf>
void JoinByKey(const ServiceCatalog& catalog, Groups& groups, KeyOf keyOf)
{
    std::map<Key, std::uint32_t> first;
    for (std::uint32_t ch = 0; ch < catalog.channels.size(); ++ch) {
        const auto [it, added] = first.try_emplace(keyOf(catalog.channels[ch]), ch);
        if (!added)
            groups.Join(it->second, ch);
    }
}

std::vector<std::vector<std::uint32_t>> ServiceGroups(const ServiceCatalog& catalog)
{
    Groups groups(catalog.channels.size());
    JoinByKey<std::pair<std::uint32_t, std::uint16_t>>(catalog, groups, [&](const CatalogEntry& e) {
        return std::pair{e.carrier, catalog.Service(e).programNumber};
    });
    using NameKey = std::tuple<std::string, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t>;
    JoinByKey<NameKey>(catalog, groups, [&](const CatalogEntry& e) {
        const auto& s = catalog.Service(e);
        return NameKey{NormalisedName(s.name.Text()), s.videoPid, s.audioPid, s.pcrPid, e.satellite};
    });
    std::map<std::uint32_t, std::vector<std::uint32_t>> byRoot;
    for (std::uint32_t ch = 0; ch < catalog.channels.size(); ++ch)
        byRoot[groups.Root(ch)].push_back(ch);
    std::vector<std::vector<std::uint32_t>> out;
    for (auto& [root, members] : byRoot) {
        if (members.size() > 1)
            out.push_back(std::move(members));
    }
    return out;
}

// Carriers of one satellite and polarisation by frequency; a group runs while its
// members stay within the tolerance of the group's first (lowest) frequency.
std::vector<std::vector<std::uint32_t>> CarrierGroups(const ServiceCatalog& catalog)
{
    const auto& carriers = catalog.image.carriers;
    const std::vector<std::uint32_t> order(catalog.image.carrierOrder.begin(), catalog.image.carrierOrder.end());
    std::vector<std::uint32_t> position(carriers.size());
    for (std::uint32_t p = 0; p < order.size(); ++p)
        position[order[p]] = p;
    auto byTransponder = order;
    std::stable_sort(byTransponder.begin(), byTransponder.end(), [&](std::uint32_t a, std::uint32_t b) {
        const auto& x = carriers[a];
        const auto& y = carriers[b];
        return std::tie(x.satelliteIndex, x.polarization, x.frequencyMhz) < std::tie(y.satelliteIndex, y.polarization, y.frequencyMhz);
    });
    std::vector<std::vector<std::uint32_t>> out;
    std::vector<std::uint32_t> group;
    auto close = [&] {
        if (group.size() > 1) {
            std::sort(group.begin(), group.end(), [&](auto a, auto b) { return position[a] < position[b]; });
            out.push_back(group);
        }
        group.clear();
    };
    for (const auto k : byTransponder) {
        if (!group.empty() && (carriers[group.front()].satelliteIndex != carriers[k].satelliteIndex
                               || !SameTransponder(carriers[group.front()], carriers[k])))
            close();
        group.push_back(k);
    }
    close();
    return out;
}

}  // namespace

DuplicateGroups FindDuplicates(const ServiceCatalog& catalog)
{
    return {ServiceGroups(catalog), CarrierGroups(catalog)};
}

std::vector<std::uint32_t> DuplicatesToDelete(const DuplicateGroups& groups)
{
    std::vector<std::uint32_t> rest;
    for (const auto& group : groups.services)
        rest.insert(rest.end(), group.begin() + 1, group.end());
    std::sort(rest.begin(), rest.end());
    return rest;
}

}  // namespace velk
