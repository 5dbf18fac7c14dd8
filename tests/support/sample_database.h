#pragma once
// The small databases the tests start from, written straight into a working
// store through its own record files, and the record makers they are built
// with. Byte vectors in the tests were worked out from these values.
#include "database/working_store.h"

#include <cstdint>
#include <vector>

namespace velk::test {

struct SampleDatabase {
    std::vector<LnbRecord> lnbs;
    std::vector<SatelliteRecord> satellites;
    std::vector<CarrierRecord> carriers;
    std::vector<ServiceRecord> services;
    std::vector<std::uint16_t> carrierOrder;  // empty: no carrier order file
    std::vector<std::uint16_t> channelOrder;  // empty: the record order
};

// Replaces the store's record files with the database (counts follow);
// throws when a file cannot be written.
void WriteSampleDatabase(WorkingStore& store, const SampleDatabase& db);

// Universal LNB, type 3, powered, with a switch block of set values.
LnbRecord MakeLnb(std::uint32_t lowMhz, std::uint32_t highMhz);
// Position 7, West when the angle is past 20.0 degrees.
SatelliteRecord MakeSatellite(const char* name, std::uint8_t lnb, std::int16_t angle, std::uint16_t carriers);
// Vertical, FEC 3/4, skew 60.
CarrierRecord MakeCarrier(const char* name, std::uint8_t satellite, std::uint32_t frequencyMhz, std::uint32_t symbolRateKs,
                          std::uint16_t services);
// TV with video 512, audio 650, PCR 8190.
ServiceRecord MakeService(const char* name, std::uint16_t program);
// A TV or radio service as the editor keeps it: a radio has no video PID and
// its PCR on the audio PID, a TV service its PCR on the video PID.
ServiceRecord MakeService(const char* name, std::uint8_t type, std::uint16_t program, std::uint32_t videoPid,
                          std::uint32_t audioPid);

// The editor's: two LNBs, three satellites (the last without carriers), three
// carriers out of satellite order and five services whose channel order
// differs from their record order.
SampleDatabase EditorSample();
// The link's: one LNB, one factory-default satellite with two carriers
// holding three services.
SampleDatabase LinkSample();
// The SDB files': one LNB, two satellites, carriers A (satellite 1), B
// (satellite 0), C (satellite 1) with 2, 1 and 0 services.
SampleDatabase SdbSample();

}  // namespace velk::test
