#pragma once
// The one-row strip under the record list: the selected record's own fields
// (LNB, satellite, carrier nodes) or a service's satellite and carrier.
#include "database/store_snapshot.h"

#include <string>
#include <vector>

namespace velk::gui {

struct DetailStrip {
    std::string caption;  // "Info - %s" or "Info - LNB %d"
    std::vector<std::string> headers;
    std::vector<std::string> values;
};

DetailStrip LnbDetails(const StoreSnapshot& s, std::uint32_t lnb, std::uint8_t productType, Placement placement);
DetailStrip SatelliteDetails(const StoreSnapshot& s, std::uint32_t satellite, std::uint8_t productType, Placement placement);
DetailStrip CarrierDetails(const StoreSnapshot& s, std::uint32_t carrier, std::uint8_t productType, Placement placement);
DetailStrip ServiceDetails(const StoreSnapshot& s, std::uint32_t service);

}  // namespace velk::gui
