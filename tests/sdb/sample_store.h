#pragma once
// A working store in a scratch directory for the SDB tests, filled with a
// sample database and read back record by record.
#include "database/working_store.h"
#include "sdb/sdb_session.h"
#include "support/sample_database.h"
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
    void FillSample() { WriteSampleDatabase(store, SdbSample()); }

    std::vector<LnbRecord> Lnbs() const;
    std::vector<SatelliteRecord> Satellites() const;
    std::vector<CarrierRecord> Carriers() const;
    std::vector<ServiceRecord> Services() const;
    std::vector<std::uint16_t> Osl() const;
};

}  // namespace velk::test
