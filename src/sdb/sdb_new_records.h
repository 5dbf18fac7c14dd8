#pragma once
// The records of the new ('e','E') layout: each level declared once as packed
// words and byte fields, used by the writer to encode and the reader to decode.
// The file's record sizes are NewLnbSize, NewSatelliteSize, NewCarrierSize
// and kServiceSize; `rec` spans exactly one record.
#include "common/bytes.h"
#include "database/records.h"

#include <cstdint>

namespace velk::sdb {

// The LNB word goes out and comes back with its SDB mark bit set.
void StoreNewLnb(MutableByteView rec, const LnbRecord& lnb, Placement p);
LnbRecord LoadNewLnb(ByteView rec, Placement p);

void StoreNewSatellite(MutableByteView rec, const SatelliteRecord& sat, Placement p);
SatelliteRecord LoadNewSatellite(ByteView rec, Placement p);

// Bits the writer derives from the file around the carrier; the reader ignores them.
struct CarrierContext {
    std::uint8_t lnbByte = 0;        // LNB index of satellite record 1
    std::uint32_t firstService = 0;  // services of the carriers before it
};
void StoreNewCarrier(MutableByteView rec, const CarrierRecord& carrier, const CarrierContext& context, Placement p);
CarrierRecord LoadNewCarrier(ByteView rec, Placement p);

// `carrier`: the file position of the carrier holding the service.
void StoreNewService(MutableByteView rec, const ServiceRecord& service, std::uint16_t carrier);
ServiceRecord LoadNewService(ByteView rec);

}  // namespace velk::sdb
