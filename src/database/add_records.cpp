#include "database/add_records.h"

#include "common/format.h"
#include "database/record_io.h"
#include "database/store_image.h"

#include <algorithm>
#include <set>

namespace velk {
namespace {

constexpr const char* kNoLnb = "LNB Information should be entered";
constexpr const char* kCannotAdd = "Error No: -2 \n( Invalid Process ) Cann't Add Information";
constexpr const char* kCannotInsert = "Error No: -2 \n( Invalid Process ) Cann't Insert Information";
constexpr const char* kServiceWriteFailed = "Error No: -8 \n Inserting Service Information";

bool HasRoom(Ui& ui, std::uint32_t count, std::uint32_t limit, const char* level)
{
    if (count < limit)
        return true;
    ShowError(ui, Format("%s record count exceeds the maximum limit %u", level, limit));
    return false;
}

std::optional<StoreImage> Load(const WorkingStore& store, Ui& ui, unsigned parts)
{
    auto image = LoadStoreImage(store, parts);
    if (!image)
        ShowError(ui, kFileAccessError);
    return image;
}

SatelliteRecord NewSatellite(const WorkingStore& store, std::uint32_t number)
{
    SatelliteRecord sat = store.defaults.satellite;
    sat.name = Format("Satellite %u", number);
    sat.carrierCount = 0;
    sat.switchBlock = store.defaults.switchBlock;
    if (sat.lnbIndex >= store.lnbCount)
        sat.lnbIndex = 0;  // never point at an LNB that does not exist
    return sat;
}

constexpr unsigned kCarrierParts = image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder;

// Puts a default carrier of satellite s at 0-based record index `at` and
// reports its position under s.
std::optional<CarrierAdded> PlaceCarrier(WorkingStore& store, Ui& ui, StoreImage& image, std::uint32_t s, std::uint32_t at)
{
    CarrierRecord carrier = store.defaults.carrier;
    carrier.name = "Carrier";
    carrier.satelliteIndex = static_cast<std::uint8_t>(s - 1);
    carrier.serviceCount = 0;  // an empty carrier keeps the service runs valid wherever it stands
    carrier.switchBlock = store.defaults.switchBlock;
    if (image.satellites[s - 1].factoryDefault != 1)
        carrier.factoryDefault = 0;
    image.carriers.insert(image.carriers.begin() + at, carrier);
    ++image.satellites[s - 1].carrierCount;
    image.carrierOrder = CarrierOrderOf(image.carriers, image.satellites.size());
    if (!CommitStoreImage(store, image, kCarrierParts)) {
        ShowError(ui, kCannotAdd);
        return std::nullopt;
    }
    const auto first = CarrierPositionStarts(image.satellites)[s - 1];
    const auto it = std::find(image.carrierOrder.begin() + first, image.carrierOrder.end(), at);
    return CarrierAdded{static_cast<std::uint32_t>(it - image.carrierOrder.begin()) - first + 1, at + 1};
}

constexpr unsigned kServiceParts = image_part::kSatellites | image_part::kCarriers | image_part::kServices
                                   | image_part::kCarrierOrder | image_part::kServiceOrder;

ServiceRecord NewService(const WorkingStore& store, const StoreImage& image, std::uint32_t k, std::uint32_t number)
{
    const auto starts = ServiceBlockStarts(image.carriers);
    ServiceRecord service = store.defaults.service;
    service.name = Format("Service %u", number);
    if (image.carriers[k].factoryDefault != 1)
        service.factoryDefault = 0;
    service.flagA = service.nameUnchanged = service.pidsUnchanged = service.flagB = 1;
    service.programNumber = LowestFreeProgramNumber(
        std::span(image.services).subspan(starts[k], starts[k + 1] - starts[k]));
    return service;
}

}  // namespace

std::uint16_t LowestFreeProgramNumber(std::span<const ServiceRecord> others)
{
    std::set<std::uint16_t> used;
    for (const auto& s : others)
        used.insert(s.programNumber);
    std::uint16_t candidate = 1;
    while (used.contains(candidate) && candidate < 0xFFFF)
        ++candidate;
    return candidate;
}

std::optional<std::uint32_t> AddLnbRecord(WorkingStore& store, Ui& ui)
{
    if (!HasRoom(ui, store.lnbCount, LnbLimit(store.productType), "LNB"))
        return std::nullopt;
    auto image = Load(store, ui, image_part::kLnbs);
    if (!image)
        return std::nullopt;
    image->lnbs.push_back({store.defaults.lnb.word, store.defaults.switchBlock});
    if (!CommitStoreImage(store, *image, image_part::kLnbs)) {
        ShowError(ui, kCannotAdd);
        return std::nullopt;
    }
    return store.lnbCount;
}

std::optional<std::uint32_t> AppendSatelliteRecord(WorkingStore& store, Ui& ui)
{
    if (store.lnbCount == 0) {
        ShowError(ui, kNoLnb);
        return std::nullopt;
    }
    if (!HasRoom(ui, store.satelliteCount, kMaxSatellites, "Satellite"))
        return std::nullopt;
    auto image = Load(store, ui, image_part::kSatellites);
    if (!image)
        return std::nullopt;
    image->satellites.push_back(NewSatellite(store, store.satelliteCount + 1));
    if (!CommitStoreImage(store, *image, image_part::kSatellites)) {
        ShowError(ui, kCannotAdd);
        return std::nullopt;
    }
    return store.satelliteCount;
}

std::optional<std::uint32_t> InsertSatelliteRecord(WorkingStore& store, Ui& ui, std::uint32_t n)
{
    if (store.lnbCount == 0) {
        ShowError(ui, kNoLnb);
        return std::nullopt;
    }
    if (!HasRoom(ui, store.satelliteCount, kMaxSatellites, "Satellite"))
        return std::nullopt;
    auto image = Load(store, ui, kCarrierParts);
    if (!image)
        return std::nullopt;
    if (n < 1 || n > image->satellites.size()) {
        ShowError(ui, kCannotInsert);
        return std::nullopt;
    }
    image->satellites.insert(image->satellites.begin() + (n - 1), NewSatellite(store, n));
    for (auto& carrier : image->carriers)
        if (carrier.satelliteIndex >= n - 1)
            ++carrier.satelliteIndex;
    image->carrierOrder = CarrierOrderOf(image->carriers, image->satellites.size());
    if (!CommitStoreImage(store, *image, kCarrierParts)) {
        ShowError(ui, kCannotInsert);
        return std::nullopt;
    }
    return n;
}

std::optional<CarrierAdded> AddCarrierRecord(WorkingStore& store, Ui& ui, std::uint32_t s)
{
    if (store.lnbCount == 0) {
        ShowError(ui, kNoLnb);
        return std::nullopt;
    }
    if (!HasRoom(ui, store.carrierCount, kMaxCarriers, "Carrier"))
        return std::nullopt;
    auto image = Load(store, ui, kCarrierParts);
    if (!image)
        return std::nullopt;
    if (s < 1 || s > image->satellites.size()) {
        ShowError(ui, kCannotAdd);
        return std::nullopt;
    }
    // Directly after the satellite's last carrier record, so that the carrier
    // is last under its satellite even when the records are not in satellite order.
    const auto count = image->satellites[s - 1].carrierCount;
    const auto first = CarrierPositionStarts(image->satellites)[s - 1];
    const std::uint32_t at = count == 0 ? first : image->carrierOrder[first + count - 1] + 1u;
    return PlaceCarrier(store, ui, *image, s, at);
}

std::optional<CarrierAdded> InsertCarrierRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p)
{
    if (store.lnbCount == 0) {
        ShowError(ui, kNoLnb);
        return std::nullopt;
    }
    if (!HasRoom(ui, store.carrierCount, kMaxCarriers, "Carrier"))
        return std::nullopt;
    auto image = Load(store, ui, kCarrierParts);
    if (!image)
        return std::nullopt;
    const auto selected = CarrierRecordAt(*image, s, p);
    if (!selected) {
        ShowError(ui, kCannotInsert);
        return std::nullopt;
    }
    // Directly before the selected carrier's record: it takes position p.
    return PlaceCarrier(store, ui, *image, s, *selected);
}

std::optional<ServiceAdded> AddServiceRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, ServiceFilter filter)
{
    if (!HasRoom(ui, store.serviceCount, kMaxServices, "Service"))
        return std::nullopt;
    auto image = Load(store, ui, kServiceParts);
    if (!image)
        return std::nullopt;
    const auto k = CarrierRecordAt(*image, s, p);
    if (!k) {
        ShowError(ui, kServiceWriteFailed);
        return std::nullopt;
    }
    const std::uint32_t m = image->carriers[*k].serviceCount + 1u;
    ServiceRecord service = NewService(store, *image, *k, m);
    if (filter != ServiceFilter::Both)
        service.type = static_cast<std::uint8_t>(filter);
    if (service.type == kServiceRadio)
        service.videoPid = kNoPid;
    const std::uint32_t x = ServiceBlockStarts(image->carriers)[*k + 1];
    image->services.insert(image->services.begin() + x, service);
    ++image->carriers[*k].serviceCount;
    RaiseEntriesFrom(image->serviceOrder, x);
    image->serviceOrder.push_back(static_cast<std::uint16_t>(x));
    // The carrier's view gains the new last channel position.
    StoreUpdate update(store);
    auto view = ReadOrderList(store, store_file::kCarrierView).value_or(std::vector<std::uint16_t>{});
    view.push_back(static_cast<std::uint16_t>(image->serviceOrder.size() - 1));
    update.Replace(store_file::kCarrierView, EncodeList(view));
    if (!CommitStoreImage(store, *image, kServiceParts, update)) {
        ShowError(ui, kServiceWriteFailed);
        return std::nullopt;
    }
    return ServiceAdded{x + 1, store.serviceCount};
}

std::optional<ServiceAdded> InsertServiceRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, std::uint32_t row)
{
    if (row == 0) {
        ShowError(ui, "Select the item position to insert");
        return std::nullopt;
    }
    if (!HasRoom(ui, store.serviceCount, kMaxServices, "Service"))
        return std::nullopt;
    const ServiceView view{ViewKind::Carrier, s, p, ServiceFilter::Both};
    const auto q = RowToChannelPosition(store, ui, view, row);
    if (!q)
        return std::nullopt;
    auto image = Load(store, ui, kServiceParts);
    if (!image)
        return std::nullopt;
    const auto k = CarrierRecordAt(*image, s, p);
    const auto starts = ServiceBlockStarts(image->carriers);
    const std::uint32_t x = *q <= image->serviceOrder.size() ? image->serviceOrder[*q - 1] : 0;
    if (!k || *q > image->serviceOrder.size() || x < starts[*k] || x >= starts[*k + 1]) {
        ShowError(ui, kServiceWriteFailed);  // the view list does not belong to this carrier
        return std::nullopt;
    }
    image->services.insert(image->services.begin() + x, NewService(store, *image, *k, row));
    ++image->carriers[*k].serviceCount;
    RaiseEntriesFrom(image->serviceOrder, x);
    image->serviceOrder.insert(image->serviceOrder.begin() + (*q - 1), static_cast<std::uint16_t>(x));
    if (!CommitStoreImage(store, *image, kServiceParts)) {
        ShowError(ui, kServiceWriteFailed);
        return std::nullopt;
    }
    return ServiceAdded{x + 1, *q};
}

}  // namespace velk
