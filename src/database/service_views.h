#pragma once
// The editor's service list views: all services, the services of one satellite
// or of one carrier, each in channel order and filtered by service type. A view
// build writes its view list (TempAOSL.stb, TempSOSL.stb, TempCOSL.stb: one
// 0-based channel position per row) and returns the rows.
#include "common/ui.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace velk {

// 1 only TV, 2 only radio, 3 both.
enum class ServiceFilter : std::uint8_t { Tv = 1, Radio = 2, Both = 3 };

enum class ViewKind : std::uint8_t { AllServices, Satellite, Carrier };

// Which service list the window shows. Satellite and carrier are 1-based: the
// satellite record number and the carrier's position under that satellite.
struct ServiceView {
    ViewKind kind = ViewKind::AllServices;
    std::uint32_t satellite = 0;
    std::uint32_t carrierPosition = 0;
    ServiceFilter filter = ServiceFilter::Both;
};

struct ServiceRow {
    std::uint32_t channelPosition = 0;  // 1-based position in TempOSL.stb
    std::uint32_t record = 0;           // 1-based service record number
    ServiceRecord service;              // its record; service.type is the row kind (1 TV, 2 radio)
};

// True when a service of `type` is shown under `filter`.
bool PassesFilter(ServiceFilter filter, std::uint8_t type);

// The view list file of a view kind.
std::string_view ViewListFile(ViewKind kind);

// Rows of every service in channel order that passes the filter; writes
// TempAOSL.stb (empty with the filter at 3). nullopt after "Error No: -3 \n File Access Error!!!".
std::optional<std::vector<ServiceRow>> BuildAllServicesView(const WorkingStore& store, Ui& ui, ServiceFilter filter);

// Rows of satellite s's services in channel order; writes TempSOSL.stb.
// nullopt after "Error -3 : File Access Error".
std::optional<std::vector<ServiceRow>> BuildSatelliteView(const WorkingStore& store, Ui& ui, std::uint32_t s, ServiceFilter filter);

// Rows of the services of carrier p under satellite s in channel order; writes
// TempCOSL.stb, or deletes it when the carrier has no services.
// nullopt after "Error -3 : File Access Error".
std::optional<std::vector<ServiceRow>> BuildCarrierView(const WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, ServiceFilter filter);

// Whichever of the three builds `view` names.
std::optional<std::vector<ServiceRow>> BuildServiceView(const WorkingStore& store, Ui& ui, const ServiceView& view);

// 1-based channel position shown at 1-based row `row` of the view last built:
// the row itself in the unfiltered "All Service(s)" view, else from the view list.
// nullopt after "File Access Error ( GetServiceIndex )" when the row has no entry.
std::optional<std::uint32_t> RowToChannelPosition(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row);

// As RowToChannelPosition for many rows with one read of the view list.
std::optional<std::vector<std::uint32_t>> RowsToChannelPositions(const WorkingStore& store, Ui& ui, const ServiceView& view,
                                                                 std::span<const std::uint32_t> rows);

// Service record number r (1-based); "File access error - GetServiceType" when unreadable.
std::optional<ServiceRecord> GetServiceType(const WorkingStore& store, Ui& ui, std::uint32_t r);

}  // namespace velk
