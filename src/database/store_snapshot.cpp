#include "database/store_snapshot.h"

#include "database/record_io.h"

#include <algorithm>

namespace velk {
namespace {

template <typename Record>
bool ReadLevel(const WorkingStore& store, std::vector<Record>& out)
{
    auto records = ReadAllRecords<Record>(store);
    if (!records)
        return false;
    out = std::move(*records);
    return true;
}

std::vector<std::uint16_t> ReadListOrEmpty(const WorkingStore& store, std::string_view name, std::size_t count)
{
    auto list = count == 0 ? std::nullopt : ReadOrderList(store, name);
    std::vector<std::uint16_t> entries = list ? std::move(*list) : std::vector<std::uint16_t>{};
    entries.resize(count, 0);  // a short list reads as zeros, like a short record file
    return entries;
}

}  // namespace

std::optional<StoreSnapshot> StoreSnapshot::Read(const WorkingStore& store)
{
    StoreSnapshot s;
    if (!ReadLevel(store, s.lnbs) || !ReadLevel(store, s.satellites) || !ReadLevel(store, s.carriers) || !ReadLevel(store, s.services))
        return std::nullopt;
    s.carrierOrder = ReadListOrEmpty(store, store_file::kCarrierOrder, s.carriers.size());
    s.serviceOrder = ReadListOrEmpty(store, store_file::kServiceOrder, s.services.size());

    // Services are stored in runs, one per carrier in carrier record order.
    s.carrierOfService.assign(s.services.size(), -1);
    std::size_t next = 0;
    for (std::size_t c = 0; c < s.carriers.size() && next < s.services.size(); ++c)
        for (std::uint32_t k = 0; k < s.carriers[c].serviceCount && next < s.services.size(); ++k)
            s.carrierOfService[next++] = static_cast<std::int32_t>(c);

    s.servicesOfSatellite.assign(s.satellites.size(), 0);
    for (const auto& carrier : s.carriers)
        if (carrier.satelliteIndex < s.satellites.size())
            s.servicesOfSatellite[carrier.satelliteIndex] += carrier.serviceCount;
    return s;
}

std::vector<std::uint16_t> StoreSnapshot::CarriersOfSatellite(std::uint32_t sat) const
{
    std::uint32_t first = 0;
    for (std::uint32_t i = 0; i < sat && i < satellites.size(); ++i)
        first += satellites[i].carrierCount;
    std::vector<std::uint16_t> out;
    if (sat >= satellites.size())
        return out;
    for (std::uint32_t p = 0; p < satellites[sat].carrierCount && first + p < carrierOrder.size(); ++p)
        if (carrierOrder[first + p] < carriers.size())
            out.push_back(carrierOrder[first + p]);
    return out;
}

std::optional<CarrierPlace> StoreSnapshot::PlaceOfCarrier(std::uint32_t carrier) const
{
    if (carrier >= carriers.size())
        return std::nullopt;
    const auto satellite = carriers[carrier].satelliteIndex;
    const auto list = CarriersOfSatellite(satellite);
    const auto it = std::find(list.begin(), list.end(), carrier);
    if (it == list.end())
        return std::nullopt;
    return CarrierPlace{satellite + 1u, static_cast<std::uint32_t>(it - list.begin()) + 1};
}

}  // namespace velk
