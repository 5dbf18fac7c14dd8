#include "database/store_queries.h"

#include "database/record_io.h"

namespace velk {
namespace {

std::optional<std::uint16_t> OrderEntry(const WorkingStore& store, std::string_view list, std::uint32_t position)
{
    const auto bytes = ReadFileRange(store.File(list), std::uint64_t{position} * 2, 2);
    if (!bytes)
        return std::nullopt;
    return LoadLe16(*bytes, 0);
}

}  // namespace

std::uint16_t GetCarrierIndex(const WorkingStore& store, Ui& ui, std::uint32_t position)
{
    const auto entry = OrderEntry(store, store_file::kCarrierOrder, position);
    if (!entry) {
        ShowError(ui, "File Access Error ( GetCarrierIndex )");
        return 0;
    }
    return *entry;
}

std::uint16_t GetServiceIndex(const WorkingStore& store, Ui& ui, std::uint32_t position)
{
    const auto entry = position >= 1 ? OrderEntry(store, store_file::kServiceOrder, position - 1) : std::nullopt;
    if (!entry) {
        ShowError(ui, "File Access Error ( GetServiceIndex )");
        return 0;
    }
    return *entry;
}

std::optional<std::uint16_t> ServiceIndexAtOrderPosition(const WorkingStore& store, std::uint32_t position)
{
    return OrderEntry(store, store_file::kServiceOrder, position);
}

std::optional<std::uint8_t> LnbIndexOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t n)
{
    const auto sat = ReadRecord<SatelliteRecord>(store, ui, n);
    if (!sat)
        return std::nullopt;
    return sat->lnbIndex;
}

std::optional<std::uint16_t> CarrierCountOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t n)
{
    const auto sat = ReadRecord<SatelliteRecord>(store, ui, n);
    if (!sat)
        return std::nullopt;
    return sat->carrierCount;
}

bool AdjustCarrierCountOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t n, int delta)
{
    auto sat = ReadRecord<SatelliteRecord>(store, ui, n);
    if (!sat)
        return false;
    sat->carrierCount = static_cast<std::uint16_t>(sat->carrierCount + delta);
    return WriteRecord(store, ui, n, *sat);
}

std::optional<std::uint32_t> FirstCarrierPosition(const WorkingStore& store, Ui& ui, std::uint32_t s)
{
    std::uint32_t sum = 0;
    for (std::uint32_t n = 1; n < s; ++n) {
        const auto count = CarrierCountOfSatellite(store, ui, n);
        if (!count)
            return std::nullopt;
        sum += *count;
    }
    return sum;
}

std::optional<std::uint32_t> ServicesBeforeCarrierPosition(const WorkingStore& store, Ui& ui, std::uint32_t p)
{
    const auto carriers = ReadAllRecords<CarrierRecord>(store);
    const auto order = ReadOrderList(store, store_file::kCarrierOrder);
    if (!carriers || !order) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    std::uint32_t sum = 0;
    for (std::uint32_t pos = 0; pos < p && pos < order->size(); ++pos)
        if ((*order)[pos] < carriers->size())
            sum += (*carriers)[(*order)[pos]].serviceCount;
    return sum;
}

std::optional<std::uint32_t> ServicesOfSatellite(const WorkingStore& store, Ui& ui, std::uint32_t s)
{
    const auto first = FirstCarrierPosition(store, ui, s);
    const auto count = CarrierCountOfSatellite(store, ui, s);
    const auto carriers = ReadAllRecords<CarrierRecord>(store);
    const auto order = ReadOrderList(store, store_file::kCarrierOrder);
    if (!first || !count || !carriers || !order)
        return std::nullopt;
    std::uint32_t sum = 0;
    for (std::uint32_t pos = *first; pos < *first + *count && pos < order->size(); ++pos)
        if ((*order)[pos] < carriers->size())
            sum += (*carriers)[(*order)[pos]].serviceCount;
    return sum;
}

std::int32_t CarrierOfService(const WorkingStore& store, std::uint32_t r)
{
    const auto carriers = ReadAllRecords<CarrierRecord>(store);
    if (!carriers)
        return -1;
    std::uint64_t sum = 0;
    for (std::size_t k = 0; k < carriers->size(); ++k) {
        sum += (*carriers)[k].serviceCount;
        if (r >= 1 && sum >= r)
            return static_cast<std::int32_t>(k + 1);
    }
    return -1;
}

bool IsSatelliteFactoryDefault(const WorkingStore& store, std::uint32_t index)
{
    const auto bytes = ReadFileRange(store.File(store_file::kSatellite), std::uint64_t{index} * SatelliteRecordSize(store.placement), SatelliteRecord::kBaseSize);
    return bytes && (*bytes)[25] == 1;
}

bool IsCarrierFactoryDefault(const WorkingStore& store, std::uint32_t index)
{
    const auto bytes = ReadFileRange(store.File(store_file::kCarrier), std::uint64_t{index} * CarrierRecordSize(store.placement), CarrierRecord::kBaseSize);
    return bytes && (*bytes)[20] == 1;
}

bool RebuildCarrierOrderList(const WorkingStore& store, Ui& ui)
{
    const auto carriers = ReadAllRecords<CarrierRecord>(store);
    if (!carriers) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    std::vector<std::uint16_t> order;
    order.reserve(carriers->size());
    for (std::uint32_t s = 0; s < store.satelliteCount; ++s)
        for (std::size_t k = 0; k < carriers->size(); ++k)
            if ((*carriers)[k].satelliteIndex == s)
                order.push_back(static_cast<std::uint16_t>(k));
    if (!WriteOrderList(store, store_file::kCarrierOrder, order)) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    return true;
}

}  // namespace velk
