#pragma once
// The insertion the sort uses, kept in a header so its placing of equal keys
// (right after the equal key a binary search happens to meet) is testable.
#include <cstdint>
#include <vector>

namespace velk::sdb {

enum class SortOrder : std::uint8_t { None = 0, Ascending = 1, Descending = 2 };

// Record indexes 0..count-1 in sorted order, built by inserting the records one
// at a time in record order: a binary search either meets an equal key (the
// record goes right after it) or ends where the key belongs.
// `less(a, b)` and `equal(a, b)` compare record indexes.
template <typename Less, typename Equal>
std::vector<std::uint16_t> InsertionOrder(std::size_t count, SortOrder order, Less less, Equal equal)
{
    std::vector<std::uint16_t> list;
    list.reserve(count);
    const bool descending = order == SortOrder::Descending;
    for (std::size_t r = 0; r < count; ++r) {
        const auto record = static_cast<std::uint16_t>(r);
        std::ptrdiff_t lo = 0;
        std::ptrdiff_t hi = static_cast<std::ptrdiff_t>(list.size()) - 1;
        std::ptrdiff_t place = -1;
        while (lo <= hi) {
            const auto mid = lo + (hi - lo) / 2;
            const auto other = list[static_cast<std::size_t>(mid)];
            if (equal(record, other)) {
                place = mid + 1;
                break;
            }
            const bool before = descending ? less(other, record) : less(record, other);
            if (before)
                hi = mid - 1;
            else
                lo = mid + 1;
        }
        list.insert(list.begin() + (place >= 0 ? place : lo), record);
    }
    return list;
}

}  // namespace velk::sdb
