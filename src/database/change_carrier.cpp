#include "database/change_carrier.h"

#include "database/move_services.h"
#include "database/store_image.h"

#include <algorithm>

namespace velk {
namespace {

constexpr const char* kOpenError = "File Open Error";
constexpr unsigned kParts = image_part::kSatellites | image_part::kCarriers | image_part::kServices | image_part::kCarrierOrder
                            | image_part::kServiceOrder;

// Moves the 0-based service records `moved` (ascending) to the end of carrier
// k's block, one at a time as the file rewrite does, renumbering the order list.
void MoveToCarrierEnd(StoreImage& image, const std::vector<std::uint32_t>& moved, std::uint32_t k)
{
    const auto starts = ServiceBlockStarts(image.carriers);
    for (const auto r : moved)
        --image.carriers[*CarrierOfServiceIndex(starts, r)].serviceCount;
    std::vector<std::uint32_t> sequence(image.services.size());  // original record at each index
    for (std::uint32_t i = 0; i < sequence.size(); ++i)
        sequence[i] = i;
    std::uint32_t end = starts[k + 1];  // the target block's current end
    for (const auto r : moved) {
        const auto from = static_cast<std::uint32_t>(std::find(sequence.begin(), sequence.end(), r) - sequence.begin());
        const auto to = from < end ? end - 1 : end;
        sequence.erase(sequence.begin() + from);
        sequence.insert(sequence.begin() + to, r);
        RenumberOrderEntry(image.serviceOrder, static_cast<std::uint16_t>(from), static_cast<std::uint16_t>(to));
        end = to + 1;
    }
    std::vector<ServiceRecord> services;
    services.reserve(sequence.size());
    for (const auto r : sequence)
        services.push_back(image.services[r]);
    image.services = std::move(services);
    image.carriers[k].serviceCount = static_cast<std::uint16_t>(image.carriers[k].serviceCount + moved.size());
    // A service is factory default only under a factory-default carrier.
    if (image.carriers[k].factoryDefault != 1)
        for (auto r = end - static_cast<std::uint32_t>(moved.size()); r < end; ++r)
            image.services[r].factoryDefault = 0;
}

bool Commit(WorkingStore& store, Ui& ui, const StoreImage& image)
{
    if (!CommitStoreImage(store, image, image_part::kCarriers | image_part::kServices | image_part::kServiceOrder)) {
        ShowError(ui, kOpenError);
        return false;
    }
    return true;
}

}  // namespace

void RenumberOrderEntry(std::vector<std::uint16_t>& order, std::uint16_t oldIndex, std::uint16_t newIndex)
{
    for (auto& e : order) {
        if (e == oldIndex)
            e = newIndex;
        else if (oldIndex < newIndex && e > oldIndex && e <= newIndex)
            --e;
        else if (newIndex < oldIndex && e >= newIndex && e < oldIndex)
            ++e;
    }
}

std::optional<CarrierPlace> CarrierOfRow(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row)
{
    const auto positions = ViewRowPositions(store, view);
    const auto image = positions ? LoadStoreImage(store, kParts) : std::nullopt;
    if (!image || row < 1 || row > positions->size()) {
        ShowError(ui, kOpenError);
        return std::nullopt;
    }
    const auto k = *CarrierOfServiceIndex(ServiceBlockStarts(image->carriers), image->serviceOrder[(*positions)[row - 1]]);
    const std::uint32_t s = image->carriers[k].satelliteIndex;
    const auto first = CarrierPositionStarts(image->satellites)[s];
    const auto at = std::find(image->carrierOrder.begin() + first, image->carrierOrder.end(), k);
    return CarrierPlace{s + 1, static_cast<std::uint32_t>(at - image->carrierOrder.begin()) - first + 1};
}

std::optional<std::uint32_t> ChangeServiceCarrier(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> rows,
                                                  std::uint32_t targetSatellite, std::uint32_t targetPosition)
{
    const auto positions = ViewRowPositions(store, view);
    auto image = positions ? LoadStoreImage(store, kParts) : std::nullopt;
    const auto k = image ? CarrierRecordAt(*image, targetSatellite, targetPosition) : std::nullopt;
    if (!k || std::any_of(rows.begin(), rows.end(), [&](std::uint32_t r) { return r < 1 || r > positions->size(); })) {
        ShowError(ui, kOpenError);
        return std::nullopt;
    }
    const auto starts = ServiceBlockStarts(image->carriers);
    std::vector<std::uint32_t> moved;
    for (const auto row : rows) {
        const std::uint32_t r = image->serviceOrder[(*positions)[row - 1]];
        if (r < starts[*k] || r >= starts[*k + 1])
            moved.push_back(r);
    }
    if (moved.empty()) {
        ShowWarning(ui, "Select valid carrier for to move service(s)\nBoth selected & moved carriers are same");
        return std::nullopt;
    }
    std::sort(moved.begin(), moved.end());
    moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    MoveToCarrierEnd(*image, moved, *k);
    if (!Commit(store, ui, *image))
        return std::nullopt;
    return static_cast<std::uint32_t>(moved.size());
}

bool MoveServicesToCarrier(WorkingStore& store, Ui& ui, std::uint32_t source, std::uint32_t target, std::span<const std::uint32_t> positions)
{
    auto image = LoadStoreImage(store, kParts);
    if (!image || source < 1 || target < 1 || source > image->carriers.size() || target > image->carriers.size() || source == target) {
        ShowError(ui, kOpenError);
        return false;
    }
    const auto starts = ServiceBlockStarts(image->carriers);
    std::vector<std::uint32_t> moved;
    for (const auto p : positions) {
        if (p < 1 || p > image->carriers[source - 1].serviceCount) {
            ShowError(ui, kOpenError);
            return false;
        }
        moved.push_back(starts[source - 1] + p - 1);
    }
    std::sort(moved.begin(), moved.end());
    moved.erase(std::unique(moved.begin(), moved.end()), moved.end());
    MoveToCarrierEnd(*image, moved, target - 1);
    return Commit(store, ui, *image);
}

}  // namespace velk
