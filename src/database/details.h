#pragma once
// The detail strip under the list and the "Detailed Service Information"
// dialog, as data: headers and values the window only has to show. Both only
// read: the strip from the snapshot the window shows, the dialog from the store.
#include "common/ui.h"
#include "database/service_views.h"
#include "database/store_snapshot.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velk {

struct DetailStrip {
    std::string caption;               // "Info - %s" (the name) or "Info - LNB %d"
    std::vector<std::string> headers;  // column headers in order
    std::vector<std::string> values;   // one value per header
};

// Strips of the 0-based LNB, satellite, carrier or service record of a
// snapshot; a record past the snapshot gives an empty strip (the LNB's keeps
// its caption). A service without a carrier shows only its caption.
DetailStrip LnbDetailStrip(const StoreSnapshot& s, const WorkingStore& store, std::uint32_t lnb);
DetailStrip SatelliteDetailStrip(const StoreSnapshot& s, const WorkingStore& store, std::uint32_t satellite);
DetailStrip CarrierDetailStrip(const StoreSnapshot& s, const WorkingStore& store, std::uint32_t carrier);
DetailStrip ServiceDetailStrip(const StoreSnapshot& s, std::uint32_t service);

struct DetailGroup {
    std::string caption;                                      // "Satellite - %s", "Carrier - %s", "Service - %s"
    std::vector<std::pair<std::string, std::string>> fields;  // label, value
};

struct ServiceDetails {
    std::string title;  // "%s Service Information"
    DetailGroup satellite, carrier, service;
};

// The dialog's contents for the one selected row; PIDs in hexadecimal when
// `hex`. Refused unless exactly one row: "Select any one service record"
// (warning); unreadable records: "File Open Error".
std::optional<ServiceDetails> LoadServiceDetails(const WorkingStore& store, Ui& ui, const ServiceView& view,
                                                 std::span<const std::uint32_t> selectedRows, bool hex);

}  // namespace velk
