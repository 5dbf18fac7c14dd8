#pragma once
// The detail strip under the list and the "Detailed Service Information"
// dialog, as data: headers and values the window only has to show. Both only
// read the store.
#include "common/ui.h"
#include "database/service_views.h"
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

// Strip of LNB n, satellite n, carrier p of satellite s, or the service of a
// row. nullopt after "Error No: -3 \n File Access Error!!!".
std::optional<DetailStrip> LnbDetailStrip(const WorkingStore& store, Ui& ui, std::uint32_t n);
std::optional<DetailStrip> SatelliteDetailStrip(const WorkingStore& store, Ui& ui, std::uint32_t n);
std::optional<DetailStrip> CarrierDetailStrip(const WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p);
std::optional<DetailStrip> ServiceDetailStrip(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row);

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
