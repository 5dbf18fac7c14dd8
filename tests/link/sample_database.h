#pragma once
// A small database in a working store for the link tests: one LNB, one
// satellite (factory default) with two carriers holding three services.
#include "database/record_io.h"

#include <string>
#include <vector>

namespace velk::link::test {

inline void MakeSampleDatabase(WorkingStore& store, std::uint8_t productType)
{
    store.productType = productType;
    LnbRecord lnb;
    lnb.word = 9750u | 10600u << 14 | 3u << 28 | 1u << 30;
    lnb.switchBlock = SwitchBlock{1, 2, 16, 1, 2, 1, 0, 0};
    SatelliteRecord sat;
    sat.name = "Hotbird";
    sat.angle = 130;
    sat.position = 2;
    sat.carrierCount = 2;
    sat.factoryDefault = 1;
    CarrierRecord a;
    a.name = "TP-A";
    a.polarization = 2;
    a.symbolRate = 27500;
    a.frequency = 11034;
    a.fec = 4;
    a.serviceCount = 2;
    CarrierRecord b = a;
    b.name = "";
    b.serviceCount = 1;
    std::vector<ServiceRecord> services(3);
    for (std::size_t i = 0; i < services.size(); ++i) {
        services[i].name = "Svc" + std::to_string(i);
        services[i].videoPid = 100 + static_cast<std::uint32_t>(i);
        services[i].audioPid = 200;
        services[i].pcrPid = 300;
        services[i].type = i == 2 ? kServiceRadio : kServiceTv;
        services[i].scrambled = i == 1;
        services[i].favourites = 0b1001;
        services[i].programNumber = static_cast<std::uint16_t>(1000 + i);
    }
    store.lnbCount = 1;
    store.satelliteCount = 1;
    store.carrierCount = 2;
    store.serviceCount = 3;
    WriteAllRecords<LnbRecord>(store, std::vector{lnb});
    WriteAllRecords<SatelliteRecord>(store, std::vector{sat});
    WriteAllRecords<CarrierRecord>(store, std::vector{a, b});
    WriteAllRecords<ServiceRecord>(store, services);
    WriteOrderList(store, store_file::kServiceOrder, std::vector<std::uint16_t>{2, 0, 1});
    WriteOrderList(store, store_file::kCarrierOrder, std::vector<std::uint16_t>{0, 1});
}

}  // namespace velk::link::test
