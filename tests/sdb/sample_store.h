#pragma once
// A small working store for the SDB tests, written through the store's own
// record files.
#include "database/working_store.h"
#include "sdb/sdb_session.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <vector>

namespace velk::test {

struct SampleStore {
    TempDir dir;
    WorkingStore store;
    sdb::SdbSession session;

    explicit SampleStore(std::uint8_t productType = 1, Placement placement = Placement::Lnb);

    // Replaces the store's files with these records (counts follow).
    void Fill(const std::vector<LnbRecord>& lnbs, const std::vector<SatelliteRecord>& sats,
              const std::vector<CarrierRecord>& carriers, const std::vector<ServiceRecord>& services,
              std::vector<std::uint16_t> osl = {});
    // One LNB, two satellites, carriers A(sat 1), B(sat 0), C(sat 1) with 2, 1, 0 services.
    void FillSample();

    std::vector<LnbRecord> Lnbs() const;
    std::vector<SatelliteRecord> Satellites() const;
    std::vector<CarrierRecord> Carriers() const;
    std::vector<ServiceRecord> Services() const;
    std::vector<std::uint16_t> Osl() const;
};

LnbRecord MakeLnb(std::uint32_t low, std::uint32_t high);
SatelliteRecord MakeSatellite(const char* name, std::uint8_t lnb, std::int16_t angle, std::uint16_t carriers);
CarrierRecord MakeCarrier(const char* name, std::uint8_t sat, std::uint32_t freq, std::uint32_t symbolRate, std::uint16_t services);
ServiceRecord MakeService(const char* name, std::uint16_t program);

}  // namespace velk::test
