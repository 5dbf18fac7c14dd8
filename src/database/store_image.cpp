#include "database/store_image.h"

#include "database/record_io.h"

#include <algorithm>
#include <numeric>

namespace velk {
namespace {

bool Has(unsigned parts, unsigned part) { return (parts & part) != 0; }

// An order list as long as its level and pointing inside it.
bool ListFits(const std::vector<std::uint16_t>& list, std::uint32_t count)
{
    return list.size() == count && std::none_of(list.begin(), list.end(), [&](std::uint16_t e) { return e >= count; });
}

std::optional<std::vector<std::uint16_t>> LoadList(const WorkingStore& store, std::string_view name, std::uint32_t count)
{
    if (count == 0)
        return std::vector<std::uint16_t>{};
    auto list = ReadOrderList(store, name);
    if (!list || !ListFits(*list, count))
        return std::nullopt;
    return list;
}

template <typename Record>
bool LoadLevel(const WorkingStore& store, std::vector<Record>& out)
{
    auto records = ReadAllRecords<Record>(store);
    if (!records)
        return false;
    out = std::move(*records);
    return true;
}

template <typename Record>
void StageLevel(const WorkingStore& store, const std::vector<Record>& records, StoreUpdate& update)
{
    using F = RecordFile<Record>;
    update.Replace(F::kName, EncodeAll(F::Size(store.placement), records.size(),
                                       [&](std::size_t i) { return F::Encode(records[i], store.placement); }));
}

// Every carrier points at a satellite and every satellite counts its carriers.
bool CarriersMatchSatellites(const StoreImage& image)
{
    std::vector<std::uint32_t> counts(image.satellites.size(), 0);
    for (const auto& carrier : image.carriers) {
        if (carrier.satelliteIndex >= counts.size())
            return false;
        ++counts[carrier.satelliteIndex];
    }
    for (std::size_t s = 0; s < counts.size(); ++s)
        if (counts[s] != image.satellites[s].carrierCount)
            return false;
    return true;
}

// The satellites count the carriers, the carriers the services, and each carrier's satellite counts it.
bool LevelsAgree(const StoreImage& image, unsigned parts, std::uint32_t carrierCount, std::uint32_t serviceCount)
{
    if (Has(parts, image_part::kSatellites) && CarrierPositionStarts(image.satellites).back() != carrierCount)
        return false;
    if (Has(parts, image_part::kCarriers) && ServiceBlockStarts(image.carriers).back() != serviceCount)
        return false;
    return !(Has(parts, image_part::kSatellites) && Has(parts, image_part::kCarriers) && !CarriersMatchSatellites(image));
}

}  // namespace

Bytes EncodeList(const std::vector<std::uint16_t>& entries)
{
    Bytes bytes(entries.size() * 2);
    for (std::size_t i = 0; i < entries.size(); ++i)
        StoreLe16(bytes, 2 * i, entries[i]);
    return bytes;
}

bool ReplaceListFile(const WorkingStore& store, std::string_view name, const std::vector<std::uint16_t>& entries)
{
    StoreUpdate update(store);
    update.Replace(name, EncodeList(entries));
    return update.Commit();
}

std::optional<StoreImage> LoadStoreImage(const WorkingStore& store, unsigned parts)
{
    StoreImage image;
    if (Has(parts, image_part::kLnbs) && !LoadLevel(store, image.lnbs))
        return std::nullopt;
    if (Has(parts, image_part::kSatellites) && !LoadLevel(store, image.satellites))
        return std::nullopt;
    if (Has(parts, image_part::kCarriers) && !LoadLevel(store, image.carriers))
        return std::nullopt;
    if (Has(parts, image_part::kServices) && !LoadLevel(store, image.services))
        return std::nullopt;
    if (Has(parts, image_part::kCarrierOrder)) {
        auto list = LoadList(store, store_file::kCarrierOrder, store.carrierCount);
        if (!list)
            return std::nullopt;
        image.carrierOrder = std::move(*list);
    }
    if (Has(parts, image_part::kServiceOrder)) {
        auto list = LoadList(store, store_file::kServiceOrder, store.serviceCount);
        if (!list)
            return std::nullopt;
        image.serviceOrder = std::move(*list);
    }
    if (!LevelsAgree(image, parts, store.carrierCount, store.serviceCount))
        return std::nullopt;
    return image;
}

bool StoreImageHangsTogether(const StoreImage& image, std::uint32_t carrierCount, std::uint32_t serviceCount)
{
    return image.carriers.size() == carrierCount && image.services.size() == serviceCount &&
           ListFits(image.carrierOrder, carrierCount) && ListFits(image.serviceOrder, serviceCount) &&
           LevelsAgree(image, image_part::kAll, carrierCount, serviceCount);
}

void StageStoreImage(const WorkingStore& store, const StoreImage& image, unsigned parts, StoreUpdate& update)
{
    if (Has(parts, image_part::kLnbs))
        StageLevel(store, image.lnbs, update);
    if (Has(parts, image_part::kSatellites))
        StageLevel(store, image.satellites, update);
    if (Has(parts, image_part::kCarriers))
        StageLevel(store, image.carriers, update);
    if (Has(parts, image_part::kServices))
        StageLevel(store, image.services, update);
    if (Has(parts, image_part::kCarrierOrder))
        update.Replace(store_file::kCarrierOrder, EncodeList(image.carrierOrder));
    if (Has(parts, image_part::kServiceOrder))
        update.Replace(store_file::kServiceOrder, EncodeList(image.serviceOrder));
}

bool CommitStoreImage(WorkingStore& store, const StoreImage& image, unsigned parts, StoreUpdate& update)
{
    StageStoreImage(store, image, parts, update);
    if (!update.Commit())
        return false;
    TakeCounts(store, image, parts);
    return true;
}

bool CommitStoreImage(WorkingStore& store, const StoreImage& image, unsigned parts)
{
    StoreUpdate update(store);
    return CommitStoreImage(store, image, parts, update);
}

void RaiseEntriesFrom(std::vector<std::uint16_t>& order, std::uint32_t from)
{
    for (auto& e : order)
        if (e >= from)
            ++e;
}

void TakeCounts(WorkingStore& store, const StoreImage& image, unsigned parts)
{
    if (Has(parts, image_part::kLnbs))
        store.lnbCount = static_cast<std::uint32_t>(image.lnbs.size());
    if (Has(parts, image_part::kSatellites))
        store.satelliteCount = static_cast<std::uint32_t>(image.satellites.size());
    if (Has(parts, image_part::kCarriers))
        store.carrierCount = static_cast<std::uint32_t>(image.carriers.size());
    if (Has(parts, image_part::kServices))
        store.serviceCount = static_cast<std::uint32_t>(image.services.size());
}

std::vector<std::uint32_t> ServiceBlockStarts(const std::vector<CarrierRecord>& carriers)
{
    std::vector<std::uint32_t> starts(carriers.size() + 1, 0);
    for (std::size_t k = 0; k < carriers.size(); ++k)
        starts[k + 1] = starts[k] + carriers[k].serviceCount;
    return starts;
}

std::vector<std::uint32_t> CarrierPositionStarts(const std::vector<SatelliteRecord>& satellites)
{
    std::vector<std::uint32_t> starts(satellites.size() + 1, 0);
    for (std::size_t s = 0; s < satellites.size(); ++s)
        starts[s + 1] = starts[s] + satellites[s].carrierCount;
    return starts;
}

std::vector<std::uint16_t> CarrierOrderOf(const std::vector<CarrierRecord>& carriers, std::size_t satelliteCount)
{
    // A stable sort by satellite index is the rebuild rule: satellites in
    // record order, each group in carrier record order.
    std::vector<std::uint16_t> order(carriers.size());
    std::iota(order.begin(), order.end(), std::uint16_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint16_t a, std::uint16_t b) { return carriers[a].satelliteIndex < carriers[b].satelliteIndex; });
    std::erase_if(order, [&](std::uint16_t k) { return carriers[k].satelliteIndex >= satelliteCount; });
    return order;
}

std::optional<std::uint32_t> CarrierRecordAt(const StoreImage& image, std::uint32_t s, std::uint32_t p)
{
    if (s < 1 || s > image.satellites.size() || p < 1 || p > image.satellites[s - 1].carrierCount)
        return std::nullopt;
    const auto starts = CarrierPositionStarts(image.satellites);
    const auto position = starts[s - 1] + p - 1;
    if (position >= image.carrierOrder.size())
        return std::nullopt;
    return image.carrierOrder[position];
}

std::optional<std::uint32_t> CarrierOfServiceIndex(const std::vector<std::uint32_t>& blockStarts, std::uint32_t service)
{
    // The first carrier whose run end passes the service.
    const auto it = std::upper_bound(blockStarts.begin() + 1, blockStarts.end(), service);
    if (it == blockStarts.end())
        return std::nullopt;
    return static_cast<std::uint32_t>(it - blockStarts.begin() - 1);
}

}  // namespace velk
