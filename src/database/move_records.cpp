#include "database/move_records.h"

#include "database/store_image.h"

#include <algorithm>
#include <numeric>

namespace velk {
namespace {

constexpr const char* kSatelliteMoveFailed = "Error No: -12 \n Move Satellite Information";
constexpr const char* kCarrierMoveFailed = "Error No: -13 \n Move Carrier Information";

// Record order after taking `from` out and putting it where `to` stood (0-based).
std::vector<std::uint32_t> MovedOrder(std::size_t count, std::uint32_t from, std::uint32_t to)
{
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    order.erase(order.begin() + from);
    order.insert(order.begin() + to, from);
    return order;
}

std::vector<std::uint32_t> SwappedOrder(std::size_t count, std::uint32_t x, std::uint32_t y)
{
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    std::swap(order[x], order[y]);
    return order;
}

// Satellites in `order` (old 0-based indexes); carriers follow their satellite.
bool ReorderSatellites(WorkingStore& store, Ui& ui, StoreImage& image, const std::vector<std::uint32_t>& order)
{
    std::vector<std::uint8_t> newIndex(order.size());
    std::vector<SatelliteRecord> satellites;
    satellites.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = static_cast<std::uint8_t>(i);
        satellites.push_back(image.satellites[order[i]]);
    }
    image.satellites = std::move(satellites);
    for (auto& carrier : image.carriers)
        carrier.satelliteIndex = newIndex[carrier.satelliteIndex];
    image.carrierOrder = CarrierOrderOf(image.carriers, image.satellites.size());
    constexpr unsigned parts = image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder;
    if (!CommitStoreImage(store, image, parts)) {
        ShowError(ui, kSatelliteMoveFailed);
        return false;
    }
    return true;
}

// Carrier records in `order` (old 0-based indexes), each with its block of
// services; the order list is renumbered to name the same services.
bool ReorderCarriers(WorkingStore& store, Ui& ui, StoreImage& image, const std::vector<std::uint32_t>& order)
{
    const auto starts = ServiceBlockStarts(image.carriers);
    std::vector<CarrierRecord> carriers;
    std::vector<ServiceRecord> services;
    std::vector<std::uint16_t> newIndex(image.services.size());
    carriers.reserve(order.size());
    services.reserve(image.services.size());
    for (const auto k : order) {
        carriers.push_back(image.carriers[k]);
        for (auto r = starts[k]; r < starts[k + 1]; ++r) {
            newIndex[r] = static_cast<std::uint16_t>(services.size());
            services.push_back(image.services[r]);
        }
    }
    image.carriers = std::move(carriers);
    image.services = std::move(services);
    for (auto& e : image.serviceOrder)
        e = newIndex[e];
    image.carrierOrder = CarrierOrderOf(image.carriers, image.satellites.size());
    constexpr unsigned parts = image_part::kCarriers | image_part::kServices | image_part::kCarrierOrder | image_part::kServiceOrder;
    if (!CommitStoreImage(store, image, parts)) {
        ShowError(ui, kCarrierMoveFailed);
        return false;
    }
    return true;
}

std::optional<StoreImage> LoadForMove(const WorkingStore& store, Ui& ui, unsigned parts)
{
    auto image = LoadStoreImage(store, parts);
    if (!image)
        ShowError(ui, kFileAccessError);
    return image;
}

bool ValidPair(std::size_t count, std::uint32_t a, std::uint32_t b)
{
    return a >= 1 && b >= 1 && a <= count && b <= count && a != b;
}

constexpr unsigned kSatelliteParts = image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder;
constexpr unsigned kCarrierParts = kSatelliteParts | image_part::kServices | image_part::kServiceOrder;

// Builds the new record order from two 0-based record indexes.
using PairOrder = std::vector<std::uint32_t> (*)(std::size_t count, std::uint32_t x, std::uint32_t y);

bool ReorderSatellitePair(WorkingStore& store, Ui& ui, std::uint32_t a, std::uint32_t b, PairOrder orderOf)
{
    auto image = LoadForMove(store, ui, kSatelliteParts);
    if (!image)
        return false;
    if (!ValidPair(image->satellites.size(), a, b)) {
        ShowError(ui, kSatelliteMoveFailed);
        return false;
    }
    return ReorderSatellites(store, ui, *image, orderOf(image->satellites.size(), a - 1, b - 1));
}

bool ReorderCarrierPair(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t a, std::uint32_t b, PairOrder orderOf)
{
    auto image = LoadForMove(store, ui, kCarrierParts);
    if (!image)
        return false;
    const auto x = CarrierRecordAt(*image, s, a);
    const auto y = CarrierRecordAt(*image, s, b);
    if (!x || !y || a == b) {
        ShowError(ui, kCarrierMoveFailed);
        return false;
    }
    return ReorderCarriers(store, ui, *image, orderOf(image->carriers.size(), *x, *y));
}

}  // namespace

bool MoveSatellite(WorkingStore& store, Ui& ui, std::uint32_t a, std::uint32_t b)
{
    return ReorderSatellitePair(store, ui, a, b, MovedOrder);
}

bool SwapSatellites(WorkingStore& store, Ui& ui, std::uint32_t a, std::uint32_t b)
{
    return ReorderSatellitePair(store, ui, a, b, SwappedOrder);
}

// The carriers of one satellite stand in record order, so moving x to y's
// place puts it before y when moving up and after it when moving down.
bool MoveCarrier(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t a, std::uint32_t b)
{
    return ReorderCarrierPair(store, ui, s, a, b, MovedOrder);
}

bool SwapCarriers(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t a, std::uint32_t b)
{
    return ReorderCarrierPair(store, ui, s, a, b, SwappedOrder);
}

}  // namespace velk
