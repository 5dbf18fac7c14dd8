#include "database/delete_records.h"

#include "database/record_io.h"
#include "database/store_image.h"

#include <algorithm>

namespace velk {

// Drops the services marked in `removed` (0-based records): their carriers'
// counts go down, the order list loses their entries and the others are renumbered.
void RemoveServices(StoreImage& image, const std::vector<bool>& removed)
{
    const auto starts = ServiceBlockStarts(image.carriers);
    for (std::size_t k = 0; k < image.carriers.size(); ++k)
        image.carriers[k].serviceCount = static_cast<std::uint16_t>(
            image.carriers[k].serviceCount - std::count(removed.begin() + starts[k], removed.begin() + starts[k + 1], true));
    std::vector<std::uint16_t> newIndex(image.services.size());
    std::uint32_t next = 0;
    for (std::size_t r = 0; r < image.services.size(); ++r)
        if (!removed[r])
            newIndex[r] = static_cast<std::uint16_t>(next++);
    std::erase_if(image.serviceOrder, [&](std::uint16_t e) { return removed[e]; });
    for (auto& e : image.serviceOrder)
        e = newIndex[e];
    std::size_t r = 0;
    std::erase_if(image.services, [&](const ServiceRecord&) { return removed[r++]; });
}

namespace {

constexpr unsigned kTreeParts = image_part::kSatellites | image_part::kCarriers | image_part::kServices
                                | image_part::kCarrierOrder | image_part::kServiceOrder;

// Drops the carriers marked in `removed` (0-based records) with their services.
void RemoveCarriers(StoreImage& image, const std::vector<bool>& removed)
{
    const auto starts = ServiceBlockStarts(image.carriers);
    std::vector<bool> services(image.services.size(), false);
    for (std::size_t k = 0; k < image.carriers.size(); ++k) {
        if (!removed[k])
            continue;
        std::fill(services.begin() + starts[k], services.begin() + starts[k + 1], true);
        auto& sat = image.satellites[image.carriers[k].satelliteIndex];
        --sat.carrierCount;
    }
    RemoveServices(image, services);
    std::size_t k = 0;
    std::erase_if(image.carriers, [&](const CarrierRecord&) { return removed[k++]; });
    image.carrierOrder = CarrierOrderOf(image.carriers, image.satellites.size());
}

// The view lists name positions that the delete shifts; the window rebuilds them.
void ClearViewLists(StoreUpdate& update)
{
    update.Remove(store_file::kCarrierView);
    update.Remove(store_file::kSatelliteView);
}

void ShowPair(Ui& ui, const char* level)
{
    ShowError(ui, std::string("Error No: -7 \n Delete ") + level + " Information");
    ShowError(ui, std::string("Error No: -7 \n( Invalid Process ) Cann't Delete ") + level + " Information");
}

}  // namespace

bool DeleteLnbRecord(WorkingStore& store, Ui& ui, std::uint32_t n)
{
    if (store.lnbCount == 1) {
        ShowError(ui, "LNB Deletion not allowed.\nMinimum one LNB Information is must");
        return false;
    }
    auto image = LoadStoreImage(store, image_part::kLnbs | image_part::kSatellites);
    if (!image || n < 1 || n > image->lnbs.size()) {
        ShowPair(ui, "LNB");
        return false;
    }
    image->lnbs.erase(image->lnbs.begin() + (n - 1));
    const auto last = static_cast<std::uint32_t>(image->lnbs.size() - 1);
    const auto repoint = [&](std::uint8_t& index) {
        if (index > n - 1 || index > last)
            index = static_cast<std::uint8_t>(std::min<std::uint32_t>(index - 1u, last));
    };
    for (auto& sat : image->satellites)
        repoint(sat.lnbIndex);
    if (!CommitStoreImage(store, *image, image_part::kLnbs | image_part::kSatellites)) {
        ShowPair(ui, "LNB");
        return false;
    }
    repoint(store.defaults.satellite.lnbIndex);
    if (n == last + 2)
        store.defaults.satellite.lnbIndex = 0;
    return true;
}

bool DeleteSatellite(WorkingStore& store, Ui& ui, std::uint32_t n)
{
    auto image = LoadStoreImage(store, kTreeParts);
    if (!image || n < 1 || n > image->satellites.size()) {
        ShowPair(ui, "Satellite");
        return false;
    }
    std::vector<bool> removed(image->carriers.size(), false);
    for (std::size_t k = 0; k < image->carriers.size(); ++k)
        removed[k] = image->carriers[k].satelliteIndex == n - 1;
    RemoveCarriers(*image, removed);
    image->satellites.erase(image->satellites.begin() + (n - 1));
    for (auto& carrier : image->carriers)
        if (carrier.satelliteIndex > n - 1)
            --carrier.satelliteIndex;
    image->carrierOrder = CarrierOrderOf(image->carriers, image->satellites.size());
    StoreUpdate update(store);
    ClearViewLists(update);
    if (!CommitStoreImage(store, *image, kTreeParts, update)) {
        ShowPair(ui, "Satellite");
        return false;
    }
    return true;
}

std::optional<std::uint32_t> DeleteCarrier(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p)
{
    auto image = LoadStoreImage(store, kTreeParts);
    const auto k = image ? CarrierRecordAt(*image, s, p) : std::nullopt;
    if (!k) {
        ShowPair(ui, "Carrier");
        return std::nullopt;
    }
    const std::uint32_t services = image->carriers[*k].serviceCount;
    std::vector<bool> removed(image->carriers.size(), false);
    removed[*k] = true;
    RemoveCarriers(*image, removed);
    StoreUpdate update(store);
    ClearViewLists(update);
    if (!CommitStoreImage(store, *image, kTreeParts, update)) {
        ShowPair(ui, "Carrier");
        return std::nullopt;
    }
    return services;
}

bool DeleteCarrierServices(WorkingStore& store, Ui& ui, std::uint32_t k)
{
    constexpr unsigned parts = image_part::kCarriers | image_part::kServices | image_part::kServiceOrder;
    auto image = LoadStoreImage(store, parts);
    if (!image || k < 1 || k > image->carriers.size()) {
        ShowError(ui, "Error No: -10 \n Delete Service Information");
        return false;
    }
    const auto starts = ServiceBlockStarts(image->carriers);
    std::vector<bool> removed(image->services.size(), false);
    std::fill(removed.begin() + starts[k - 1], removed.begin() + starts[k], true);
    RemoveServices(*image, removed);
    if (!CommitStoreImage(store, *image, parts)) {
        ShowError(ui, "Error No: -10 \n Delete Service Information");
        return false;
    }
    return true;
}

std::optional<std::uint32_t> DeleteServices(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> rows)
{
    if (rows.empty()) {
        ShowError(ui, view.kind == ViewKind::AllServices ? "Select Service Information to delete" : "Select Service Information to Delete");
        return std::nullopt;
    }
    constexpr const char* kFailed = "Error No: -10 \n( Invalid Process ) Delete Service Information";
    const auto positions = RowsToChannelPositions(store, ui, view, rows);
    constexpr unsigned parts = image_part::kCarriers | image_part::kServices | image_part::kServiceOrder;
    auto image = positions ? LoadStoreImage(store, parts) : std::nullopt;
    if (!image) {
        ShowError(ui, kFailed);
        return std::nullopt;
    }
    std::vector<bool> removed(image->services.size(), false);
    for (const auto q : *positions)
        removed[image->serviceOrder[q - 1]] = true;
    const auto count = static_cast<std::uint32_t>(std::count(removed.begin(), removed.end(), true));
    RemoveServices(*image, removed);
    if (!CommitStoreImage(store, *image, parts)) {
        ShowError(ui, kFailed);
        return std::nullopt;
    }
    return count;
}

}  // namespace velk
