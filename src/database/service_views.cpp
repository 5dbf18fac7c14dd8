#include "database/service_views.h"

#include "common/files.h"
#include "database/record_io.h"
#include "database/store_image.h"

namespace velk {
namespace {

constexpr const char* kViewAccessError = "Error -3 : File Access Error";

// Rows of the services marked in `wanted` (0-based records; all when empty), in
// channel order, filtered; the view list gets their 0-based channel positions.
std::vector<ServiceRow> CollectRows(const StoreImage& image, const std::vector<bool>& wanted, ServiceFilter filter,
                                    std::vector<std::uint16_t>& list)
{
    std::vector<ServiceRow> rows;
    for (std::size_t p = 0; p < image.serviceOrder.size(); ++p) {
        const auto r = image.serviceOrder[p];
        if (!wanted.empty() && !wanted[r])
            continue;
        const auto& service = image.services[r];
        if (!PassesFilter(filter, service.type))
            continue;
        rows.push_back({static_cast<std::uint32_t>(p + 1), static_cast<std::uint32_t>(r + 1), service});
        list.push_back(static_cast<std::uint16_t>(p));
    }
    return rows;
}

// Marks the service records of the carriers at carrier-order positions [first, last).
std::vector<bool> ServicesOfCarrierPositions(const StoreImage& image, std::uint32_t first, std::uint32_t last)
{
    const auto starts = ServiceBlockStarts(image.carriers);
    std::vector<bool> wanted(image.services.size(), false);
    for (auto pos = first; pos < last && pos < image.carrierOrder.size(); ++pos) {
        const auto k = image.carrierOrder[pos];
        std::fill(wanted.begin() + starts[k], wanted.begin() + starts[k + 1], true);
    }
    return wanted;
}

constexpr unsigned kViewParts = image_part::kSatellites | image_part::kCarriers | image_part::kServices | image_part::kCarrierOrder
                                | image_part::kServiceOrder;

}  // namespace

bool PassesFilter(ServiceFilter filter, std::uint8_t type)
{
    return filter == ServiceFilter::Both || type == static_cast<std::uint8_t>(filter);
}

std::string_view ViewListFile(ViewKind kind)
{
    switch (kind) {
    case ViewKind::Satellite: return store_file::kSatelliteView;
    case ViewKind::Carrier: return store_file::kCarrierView;
    case ViewKind::AllServices: break;
    }
    return store_file::kAllServicesView;
}

std::optional<std::vector<ServiceRow>> BuildAllServicesView(const WorkingStore& store, Ui& ui, ServiceFilter filter)
{
    const auto image = LoadStoreImage(store, image_part::kServices | image_part::kServiceOrder);
    if (!image) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    std::vector<std::uint16_t> list;
    auto rows = CollectRows(*image, {}, filter, list);
    if (filter == ServiceFilter::Both)
        list.clear();  // rows are channel positions themselves
    if (!ReplaceListFile(store, store_file::kAllServicesView, list)) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    return rows;
}

std::optional<std::vector<ServiceRow>> BuildSatelliteView(const WorkingStore& store, Ui& ui, std::uint32_t s, ServiceFilter filter)
{
    const auto image = LoadStoreImage(store, kViewParts);
    if (!image || s < 1 || s > image->satellites.size()) {
        ShowError(ui, kViewAccessError);
        return std::nullopt;
    }
    const auto starts = CarrierPositionStarts(image->satellites);
    std::vector<std::uint16_t> list;
    auto rows = CollectRows(*image, ServicesOfCarrierPositions(*image, starts[s - 1], starts[s]), filter, list);
    if (!ReplaceListFile(store, store_file::kSatelliteView, list)) {
        ShowError(ui, kViewAccessError);
        return std::nullopt;
    }
    return rows;
}

std::optional<std::vector<ServiceRow>> BuildCarrierView(const WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, ServiceFilter filter)
{
    const auto image = LoadStoreImage(store, kViewParts);
    const auto k = image ? CarrierRecordAt(*image, s, p) : std::nullopt;
    if (!k) {
        ShowError(ui, kViewAccessError);
        return std::nullopt;
    }
    if (image->carriers[*k].serviceCount == 0) {
        RemoveFileIfExists(store.File(store_file::kCarrierView));
        return std::vector<ServiceRow>{};
    }
    const auto position = CarrierPositionStarts(image->satellites)[s - 1] + p - 1;
    std::vector<std::uint16_t> list;
    auto rows = CollectRows(*image, ServicesOfCarrierPositions(*image, position, position + 1), filter, list);
    if (!ReplaceListFile(store, store_file::kCarrierView, list)) {
        ShowError(ui, kViewAccessError);
        return std::nullopt;
    }
    return rows;
}

std::optional<std::vector<ServiceRow>> BuildServiceView(const WorkingStore& store, Ui& ui, const ServiceView& view)
{
    switch (view.kind) {
    case ViewKind::Satellite: return BuildSatelliteView(store, ui, view.satellite, view.filter);
    case ViewKind::Carrier: return BuildCarrierView(store, ui, view.satellite, view.carrierPosition, view.filter);
    case ViewKind::AllServices: break;
    }
    return BuildAllServicesView(store, ui, view.filter);
}

std::optional<std::uint32_t> RowToChannelPosition(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row)
{
    const std::uint32_t rows[] = {row};
    const auto positions = RowsToChannelPositions(store, ui, view, rows);
    if (!positions)
        return std::nullopt;
    return positions->front();
}

std::optional<std::vector<std::uint32_t>> RowsToChannelPositions(const WorkingStore& store, Ui& ui, const ServiceView& view,
                                                                 std::span<const std::uint32_t> rows)
{
    std::vector<std::uint32_t> positions(rows.begin(), rows.end());
    const bool identity = view.kind == ViewKind::AllServices && view.filter == ServiceFilter::Both;
    std::optional<std::vector<std::uint16_t>> list;
    if (!identity)
        list = ReadOrderList(store, ViewListFile(view.kind));
    for (auto& position : positions) {
        const bool known = identity ? position >= 1 && position <= store.serviceCount
                                    : list && position >= 1 && position <= list->size() && (*list)[position - 1] < store.serviceCount;
        if (!known) {
            ShowError(ui, "File Access Error ( GetServiceIndex )");
            return std::nullopt;
        }
        if (!identity)
            position = (*list)[position - 1] + 1u;
    }
    return positions;
}

std::optional<ServiceRecord> GetServiceType(const WorkingStore& store, Ui& ui, std::uint32_t r)
{
    const auto bytes = r >= 1 && r <= store.serviceCount
                           ? ReadFileRange(store.File(store_file::kService), std::uint64_t{r - 1} * ServiceRecord::kSize, ServiceRecord::kSize)
                           : std::nullopt;
    if (!bytes) {
        ShowError(ui, "File access error - GetServiceType");
        return std::nullopt;
    }
    return DecodeService(*bytes);
}

}  // namespace velk
