#include "support/sample_database.h"

#include "database/record_io.h"

#include <numeric>
#include <stdexcept>
#include <string>

namespace velk::test {

void WriteSampleDatabase(WorkingStore& store, const SampleDatabase& db)
{
    auto channelOrder = db.channelOrder;
    if (channelOrder.empty()) {
        channelOrder.resize(db.services.size());
        std::iota(channelOrder.begin(), channelOrder.end(), std::uint16_t{0});
    }
    const bool ok = WriteAllRecords<LnbRecord>(store, db.lnbs) && WriteAllRecords<SatelliteRecord>(store, db.satellites)
        && WriteAllRecords<CarrierRecord>(store, db.carriers) && WriteAllRecords<ServiceRecord>(store, db.services)
        && WriteOrderList(store, store_file::kServiceOrder, channelOrder)
        && (db.carrierOrder.empty() || WriteOrderList(store, store_file::kCarrierOrder, db.carrierOrder));
    if (!ok)
        throw std::runtime_error("cannot write the sample database");
    store.lnbCount = static_cast<std::uint32_t>(db.lnbs.size());
    store.satelliteCount = static_cast<std::uint32_t>(db.satellites.size());
    store.carrierCount = static_cast<std::uint32_t>(db.carriers.size());
    store.serviceCount = static_cast<std::uint32_t>(db.services.size());
}

LnbRecord MakeLnb(std::uint32_t lowMhz, std::uint32_t highMhz)
{
    LnbRecord r;
    r.SetLowMhz(lowMhz);
    r.SetHighMhz(highMhz);
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

CarrierRecord MakeCarrier(const char* name, std::uint8_t satellite, std::uint32_t frequencyMhz, std::uint32_t symbolRateKs,
                          std::uint16_t services)
{
    CarrierRecord r;
    r.name = name;
    r.satelliteIndex = satellite;
    r.frequencyMhz = frequencyMhz;
    r.symbolRateKs = symbolRateKs;
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

ServiceRecord MakeService(const char* name, std::uint8_t type, std::uint16_t program, std::uint32_t videoPid,
                          std::uint32_t audioPid)
{
    auto r = MakeService(name, program);
    r.type = type;
    r.videoPid = type == kServiceRadio ? kNoPid : videoPid;
    r.audioPid = audioPid;
    r.pcrPid = type == kServiceRadio ? audioPid : videoPid;
    return r;
}

namespace {

// The editor's records keep the defaults a new record gets where MakeX differs.
SatelliteRecord EditorSatellite(const char* name, std::uint8_t lnb, std::int16_t angle, std::uint8_t position,
                                std::uint16_t carriers, std::uint8_t factoryDefault)
{
    auto s = MakeSatellite(name, lnb, angle, carriers);
    s.position = position;
    s.factoryDefault = factoryDefault;
    return s;
}

CarrierRecord EditorCarrier(const char* name, std::uint8_t satellite, std::uint32_t frequencyMhz, std::uint8_t polarization,
                            std::uint16_t services, std::uint8_t factoryDefault)
{
    auto c = MakeCarrier(name, satellite, frequencyMhz, 27500, services);
    c.polarization = polarization;
    c.skew = CarrierRecord{}.skew;
    c.factoryDefault = factoryDefault;
    return c;
}

}  // namespace

SampleDatabase EditorSample()
{
    auto universal = MakeLnb(9750, 10600);
    universal.switchBlock = {0, 4, 16, 2, 0, 2, 255, 255};
    auto cBand = universal;
    cBand.SetLowMhz(5150);
    cBand.SetHighMhz(5150);
    cBand.SetType(0);
    auto zdf = MakeService("ZDF", kServiceTv, 28006, 110, 120);
    zdf.favourites = 0b0101;
    SampleDatabase db;
    db.lnbs = {universal, cBand};
    db.satellites = {EditorSatellite("Astra 19.2E", 0, 192, 1, 2, 1), EditorSatellite("Hotbird 13E", 0, 130, 2, 1, 0),
                     EditorSatellite("Empty Sat", 1, 0, 3, 0, 0)};
    // Record order: carriers 0 and 2 belong to satellite 0, carrier 1 to satellite 1.
    db.carriers = {EditorCarrier("11362 H", 0, 11362, 0, 2, 1), EditorCarrier("12722 V", 1, 12722, 1, 2, 0),
                   EditorCarrier("11493 H", 0, 11493, 0, 1, 0)};
    db.services = {MakeService("Das Erste", kServiceTv, 28106, 101, 102), zdf, MakeService("Rai 1", kServiceTv, 3401, 160, 161),
                   MakeService("Radio 1", kServiceRadio, 3410, 0, 301), MakeService("Bayern 3", kServiceRadio, 28400, 0, 3202)};
    db.carrierOrder = {0, 2, 1};
    db.channelOrder = {1, 0, 2, 4, 3};
    return db;
}

SampleDatabase LinkSample()
{
    auto lnb = MakeLnb(9750, 10600);
    lnb.switchBlock = SwitchBlock{1, 2, 16, 1, 2, 1, 0, 0};
    auto sat = EditorSatellite("Hotbird", 0, 130, 2, 2, 1);
    auto a = MakeCarrier("TP-A", 0, 11034, 27500, 2);
    a.polarization = 2;
    a.fec = 4;
    a.skew = CarrierRecord{}.skew;
    auto b = a;
    b.name = "";
    b.serviceCount = 1;
    SampleDatabase db;
    for (std::uint16_t i = 0; i < 3; ++i) {
        auto s = MakeService(("Svc" + std::to_string(i)).c_str(), static_cast<std::uint16_t>(1000 + i));
        s.videoPid = 100u + i;
        s.audioPid = 200;
        s.pcrPid = 300;
        s.type = i == 2 ? kServiceRadio : kServiceTv;
        s.scrambled = i == 1;
        s.favourites = 0b1001;
        db.services.push_back(s);
    }
    db.lnbs = {lnb};
    db.satellites = {sat};
    db.carriers = {a, b};
    db.carrierOrder = {0, 1};
    db.channelOrder = {2, 0, 1};
    return db;
}

SampleDatabase SdbSample()
{
    auto two = MakeService("Two", 200);
    two.type = kServiceRadio;
    two.scrambled = 1;
    two.favourites = 0x5;
    SampleDatabase db;
    db.lnbs = {MakeLnb(9750, 10600)};
    db.satellites = {MakeSatellite("Astra", 0, 192, 1), MakeSatellite("Hotbird", 0, 130, 2)};
    db.carriers = {MakeCarrier("A", 1, 11000, 27500, 2), MakeCarrier("B", 0, 12000, 22000, 1), MakeCarrier("C", 1, 10800, 30000, 0)};
    db.services = {MakeService("One", 100), two, MakeService("Three", 300)};
    db.channelOrder = {2, 0, 1};
    return db;
}

}  // namespace velk::test
