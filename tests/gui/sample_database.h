#pragma once
// A small database written straight into a working store: two LNBs, three
// satellites (the last without carriers), three carriers and five services
// whose channel order differs from their record order.
#include "database/record_io.h"

#include <vector>

namespace velk::test {

inline SatelliteRecord Satellite(const char* name, std::uint8_t lnb, std::int16_t angle, std::uint8_t position,
                                 std::uint16_t carriers, std::uint8_t factoryDefault)
{
    SatelliteRecord s;
    s.name = name;
    s.lnbIndex = lnb;
    s.angle = angle;
    s.position = position;
    s.carrierCount = carriers;
    s.factoryDefault = factoryDefault;
    return s;
}

inline CarrierRecord Carrier(const char* name, std::uint8_t satellite, std::uint32_t frequency, std::uint8_t polarization,
                             std::uint16_t services, std::uint8_t factoryDefault)
{
    CarrierRecord c;
    c.name = name;
    c.satelliteIndex = satellite;
    c.frequency = frequency;
    c.symbolRate = 27500;
    c.polarization = polarization;
    c.fec = 3;
    c.serviceCount = services;
    c.factoryDefault = factoryDefault;
    return c;
}

inline ServiceRecord Service(const char* name, std::uint8_t type, std::uint16_t program, std::uint32_t video, std::uint32_t audio,
                             std::uint8_t favourites = 0)
{
    ServiceRecord s;
    s.name = name;
    s.type = type;
    s.programNumber = program;
    s.videoPid = type == kServiceRadio ? kNoPid : video;
    s.audioPid = audio;
    s.favourites = favourites;
    s.pcrPid = type == kServiceRadio ? audio : video;
    return s;
}

inline void WriteSampleDatabase(WorkingStore& store)
{
    LnbRecord universal;
    universal.SetLowMhz(9750);
    universal.SetHighMhz(10600);
    universal.SetType(3);
    universal.SetPower(true);
    universal.switchBlock = {0, 4, 16, 2, 0, 2, 255, 255};
    LnbRecord cBand = universal;
    cBand.SetLowMhz(5150);
    cBand.SetHighMhz(5150);
    cBand.SetType(0);
    const std::vector<LnbRecord> lnbs{universal, cBand};
    const std::vector<SatelliteRecord> satellites{Satellite("Astra 19.2E", 0, 192, 1, 2, 1), Satellite("Hotbird 13E", 0, 130, 2, 1, 0),
                                                  Satellite("Empty Sat", 1, 0, 3, 0, 0)};
    // Record order: carrier 0 and 2 belong to satellite 0, carrier 1 to satellite 1.
    const std::vector<CarrierRecord> carriers{Carrier("11362 H", 0, 11362, 0, 2, 1), Carrier("12722 V", 1, 12722, 1, 2, 0),
                                              Carrier("11493 H", 0, 11493, 0, 1, 0)};
    const std::vector<ServiceRecord> services{Service("Das Erste", 1, 28106, 101, 102), Service("ZDF", 1, 28006, 110, 120, 0b0101),
                                              Service("Rai 1", 1, 3401, 160, 161), Service("Radio 1", 2, 3410, 0, 301),
                                              Service("Bayern 3", 2, 28400, 0, 3202)};
    store.lnbCount = 2;
    store.satelliteCount = 3;
    store.carrierCount = 3;
    store.serviceCount = 5;
    WriteAllRecords<LnbRecord>(store, lnbs);
    WriteAllRecords<SatelliteRecord>(store, satellites);
    WriteAllRecords<CarrierRecord>(store, carriers);
    WriteAllRecords<ServiceRecord>(store, services);
    const std::vector<std::uint16_t> carrierOrder{0, 2, 1};
    const std::vector<std::uint16_t> channelOrder{1, 0, 2, 4, 3};
    WriteOrderList(store, store_file::kCarrierOrder, carrierOrder);
    WriteOrderList(store, store_file::kServiceOrder, channelOrder);
}

}  // namespace velk::test
