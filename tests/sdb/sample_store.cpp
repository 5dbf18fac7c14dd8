#include "sample_store.h"

#include "database/record_io.h"

#include <stdexcept>

namespace velk::test {

SampleStore::SampleStore(std::uint8_t productType, Placement placement)
{
    store.dir = dir.Path();
    store.productType = productType;
    store.placement = placement;
}

void SampleStore::Fill(const std::vector<LnbRecord>& lnbs, const std::vector<SatelliteRecord>& sats,
                       const std::vector<CarrierRecord>& carriers, const std::vector<ServiceRecord>& services,
                       std::vector<std::uint16_t> osl)
{
    WriteSampleDatabase(store, {lnbs, sats, carriers, services, {}, std::move(osl)});
}

template <typename R>
static std::vector<R> All(const WorkingStore& s)
{
    auto r = ReadAllRecords<R>(s);
    if (!r)
        throw std::runtime_error("cannot read store");
    return *r;
}

std::vector<LnbRecord> SampleStore::Lnbs() const { return All<LnbRecord>(store); }
std::vector<SatelliteRecord> SampleStore::Satellites() const { return All<SatelliteRecord>(store); }
std::vector<CarrierRecord> SampleStore::Carriers() const { return All<CarrierRecord>(store); }
std::vector<ServiceRecord> SampleStore::Services() const { return All<ServiceRecord>(store); }
std::vector<std::uint16_t> SampleStore::Osl() const
{
    if (store.serviceCount == 0)
        return {};
    return ReadOrderList(store, store_file::kServiceOrder).value();
}

}  // namespace velk::test
