#include "database/move_services.h"

#include "database/record_io.h"
#include "database/store_image.h"

#include <algorithm>
#include <numeric>

namespace velk {
namespace {

// Exchanges the order-list entries at two 0-based channel positions.
bool ExchangeEntries(WorkingStore& store, Ui& ui, std::uint32_t p, std::uint32_t q)
{
    auto image = LoadStoreImage(store, image_part::kServiceOrder);
    if (!image || p >= image->serviceOrder.size() || q >= image->serviceOrder.size()) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    std::swap(image->serviceOrder[p], image->serviceOrder[q]);
    if (!CommitStoreImage(store, *image, image_part::kServiceOrder)) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::vector<std::uint32_t>> ViewRowPositions(const WorkingStore& store, const ServiceView& view)
{
    std::vector<std::uint32_t> positions;
    if (view.kind == ViewKind::AllServices && view.filter == ServiceFilter::Both) {
        positions.resize(store.serviceCount);
        std::iota(positions.begin(), positions.end(), 0u);
        return positions;
    }
    const auto list = store.serviceCount == 0 ? std::optional<std::vector<std::uint16_t>>(std::vector<std::uint16_t>{})
                                              : ReadOrderList(store, ViewListFile(view.kind));
    if (!list)
        return std::nullopt;
    // A view list is strictly ascending; anything else is not a view of this store.
    for (const auto e : *list) {
        if (e >= store.serviceCount || (!positions.empty() && e <= positions.back()))
            return std::nullopt;
        positions.push_back(e);
    }
    return positions;
}

bool MoveServiceBlock(WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t a, std::uint32_t n, std::uint32_t t)
{
    const auto rows = ViewRowPositions(store, view);
    auto image = rows ? LoadStoreImage(store, image_part::kServiceOrder) : std::nullopt;
    if (!image || n == 0 || a + std::uint64_t{n} > rows->size() || t >= rows->size()) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    if (t >= a && t < a + n)
        return true;
    auto& order = image->serviceOrder;
    const std::vector<std::uint32_t> moved(rows->begin() + a, rows->begin() + a + n);
    const auto target = (*rows)[t];
    std::vector<std::uint16_t> block;
    std::vector<bool> inBlock(order.size(), false);
    for (const auto p : moved) {
        block.push_back(order[p]);
        inBlock[p] = true;
    }
    std::vector<std::uint16_t> rest;
    rest.reserve(order.size());
    std::size_t targetInRest = 0;
    for (std::size_t p = 0; p < order.size(); ++p) {
        if (p == target)
            targetInRest = rest.size();
        if (!inBlock[p])
            rest.push_back(order[p]);
    }
    const auto at = target > moved.front() ? targetInRest + 1 : targetInRest;
    rest.insert(rest.begin() + static_cast<std::ptrdiff_t>(at), block.begin(), block.end());
    order = std::move(rest);
    if (!CommitStoreImage(store, *image, image_part::kServiceOrder)) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    return BuildServiceView(store, ui, view).has_value();
}

std::optional<std::uint32_t> MoveServiceUpDown(WorkingStore& store, Ui& ui, const ServiceView& view,
                                               std::span<const std::uint32_t> selectedRows, bool up)
{
    if (selectedRows.size() != 1) {
        ShowError(ui, selectedRows.empty() ? "Select Service Information to Move" : "Select one Service Information to Move");
        return std::nullopt;
    }
    const auto rows = ViewRowPositions(store, view);
    const auto r = selectedRows.front();
    if (!rows || r < 1 || r > rows->size()) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    if ((up && r == 1) || (!up && r == rows->size()))
        return r;
    const auto other = up ? r - 1 : r + 1;
    if (!ExchangeEntries(store, ui, (*rows)[r - 1], (*rows)[other - 1]))
        return std::nullopt;
    return other;
}

bool SwapServices(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> selectedRows)
{
    if (selectedRows.size() != 2) {
        ShowError(ui, "Select two service information to swap");
        return false;
    }
    const auto rows = ViewRowPositions(store, view);
    const auto a = selectedRows[0];
    const auto b = selectedRows[1];
    if (!rows || a < 1 || b < 1 || a > rows->size() || b > rows->size()) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    return ExchangeEntries(store, ui, (*rows)[a - 1], (*rows)[b - 1]);
}

}  // namespace velk
