#include "sample_store.h"

#include "database/record_io.h"

#include <numeric>
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
    if (osl.empty()) {
        osl.resize(services.size());
        std::iota(osl.begin(), osl.end(), std::uint16_t{0});
    }
    const bool ok = WriteAllRecords<LnbRecord>(store, lnbs) && WriteAllRecords<SatelliteRecord>(store, sats)
        && WriteAllRecords<CarrierRecord>(store, carriers) && WriteAllRecords<ServiceRecord>(store, services)
        && WriteOrderList(store, store_file::kServiceOrder, osl);
    if (!ok)
        throw std::runtime_error("cannot fill the sample store");
    store.lnbCount = static_cast<std::uint32_t>(lnbs.size());
    store.satelliteCount = static_cast<std::uint32_t>(sats.size());
    store.carrierCount = static_cast<std::uint32_t>(carriers.size());
    store.serviceCount = static_cast<std::uint32_t>(services.size());
}

void SampleStore::FillSample()
{
    auto s1 = MakeService("One", 100);
    auto s2 = MakeService("Two", 200);
    s2.type = kServiceRadio;
    s2.scrambled = 1;
    s2.favourites = 0x5;
    auto s3 = MakeService("Three", 300);
    Fill({MakeLnb(9750, 10600)},
         {MakeSatellite("Astra", 0, 192, 1), MakeSatellite("Hotbird", 0, 130, 2)},
         {MakeCarrier("A", 1, 11000, 27500, 2), MakeCarrier("B", 0, 12000, 22000, 1), MakeCarrier("C", 1, 10800, 30000, 0)},
         {s1, s2, s3}, {2, 0, 1});
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

LnbRecord MakeLnb(std::uint32_t low, std::uint32_t high)
{
    LnbRecord r;
    r.SetLowMhz(low);
    r.SetHighMhz(high);
    r.SetType(3);
    r.SetPower(true);
    r.switchBlock = SwitchBlock{1, 2, 5, 1, 2, 1, 255, 255};
    return r;
}

SatelliteRecord MakeSatellite(const char* name, std::uint8_t lnb, std::int16_t angle, std::uint16_t carriers)
{
    SatelliteRecord r;
    r.name = name;
    r.lnbIndex = lnb;
    r.angle = angle;
    r.position = 7;
    r.carrierCount = carriers;
    r.west = angle > 200 ? 1 : 0;
    return r;
}

CarrierRecord MakeCarrier(const char* name, std::uint8_t sat, std::uint32_t freq, std::uint32_t symbolRate, std::uint16_t services)
{
    CarrierRecord r;
    r.name = name;
    r.satelliteIndex = sat;
    r.frequency = freq;
    r.symbolRate = symbolRate;
    r.serviceCount = services;
    r.polarization = 1;
    r.fec = 3;
    r.skew = 60;
    return r;
}

ServiceRecord MakeService(const char* name, std::uint16_t program)
{
    ServiceRecord r;
    r.name = name;
    r.programNumber = program;
    r.videoPid = 512;
    r.audioPid = 650;
    r.pcrPid = 8190;
    return r;
}

}  // namespace velk::test
