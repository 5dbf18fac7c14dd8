#pragma once
// Reading the selection out of the staged records for the wizard's lists.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace velk::gui {

// 0-based indexes of the selected records, in staging order.
template <typename Records>
std::vector<std::uint32_t> SelectedIndexes(const Records& records)
{
    std::vector<std::uint32_t> indexes;
    for (std::uint32_t i = 0; i < records.size(); ++i)
        if (records[i].selected == 1)
            indexes.push_back(i);
    return indexes;
}

template <typename Records>
std::size_t SelectedCount(const Records& records)
{
    return static_cast<std::size_t>(std::count_if(records.begin(), records.end(), [](const auto& r) { return r.selected == 1; }));
}

// The children of every parent, parent after parent.
template <typename ChildrenOf>
std::vector<std::uint32_t> ChildrenOfAll(const std::vector<std::uint32_t>& parents, ChildrenOf childrenOf)
{
    std::vector<std::uint32_t> all;
    for (const auto parent : parents) {
        const auto& children = childrenOf(parent);
        all.insert(all.end(), children.begin(), children.end());
    }
    return all;
}

}  // namespace velk::gui
