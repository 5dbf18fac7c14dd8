#pragma once
// Editing one record in its dialog: finding and reading it when the dialog
// opens, and what Ok writes and what it carries along (tree label, the
// factory-default hierarchy, a filtered view losing the row). On failure the
// message is shown, nullopt returned and the store left unchanged.
#include "common/ui.h"
#include "database/factory_default.h"
#include "database/service_views.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

// Opening: a number outside 1 .. count shows "Invalid Record Index"; a record
// that cannot be read "Error No: -5 \n Cann't Read LNB Info" (LNB and satellite),
// "... Carrier Info" or "... Service Info".
std::optional<LnbRecord> OpenLnbRecord(const WorkingStore& store, Ui& ui, std::uint32_t n);
std::optional<SatelliteRecord> OpenSatelliteRecord(const WorkingStore& store, Ui& ui, std::uint32_t n);
std::optional<CarrierRecord> OpenCarrierRecord(const WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p);

struct ServiceToEdit {
    std::uint32_t record = 0;                       // service record number
    ServiceRecord service;
    std::vector<std::uint16_t> otherProgramNumbers;  // of the other services of its carrier (for the field rules)
};
std::optional<ServiceToEdit> OpenServiceRecord(const WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row);

// Ok on the LNB dialog. Except with product type 2 the rest of the switch block
// follows DiSEqC 1.0: DiSEqC 1.1 "None", tone burst = port modulo 2, repeat
// "None", 22 kHz "0/22K"; 0/12 V is always written 0.
// Failure: "Error No: -4 \n LNB Information Updated Process Faild".
bool UpdateLnbRecord(WorkingStore& store, Ui& ui, std::uint32_t n, const LnbRecord& edited);

struct RecordUpdate {
    std::string label;  // the tree label "[ %d ] %s"
    MarkResult flags;   // factory-default changes carried along
};

// Ok on the satellite dialog; its carrier count is kept from the store.
// Clearing the flag clears it for its carriers and their services.
// Failure: "Error No: -4 \n Satellite Information Updatation Process Failed".
std::optional<RecordUpdate> UpdateSatelliteRecord(WorkingStore& store, Ui& ui, std::uint32_t n, const SatelliteRecord& edited);

// Ok on the carrier dialog for carrier p of satellite s; its satellite index and
// service count are kept. Clearing the flag clears its services'; setting it
// sets its satellite's. Failure: "Error No: -4 \n Carrier Information Updated Process Failed".
std::optional<RecordUpdate> UpdateCarrierRecord(WorkingStore& store, Ui& ui, std::uint32_t s, std::uint32_t p, const CarrierRecord& edited);

// Ok on the service dialog for `row` of `view`: preference 0, the name- and
// PIDs-unchanged flags from the comparison with the stored record, flags A and B
// kept, video PID 8192 for radio. Factory default carries up to the carrier and
// satellite; a type change in a filtered view rebuilds the view (rowsChanged).
// Failure: "Error No: -4 \n Carrier Information Updated Process Failed".
std::optional<MarkResult> UpdateServiceRecord(WorkingStore& store, Ui& ui, const ServiceView& view, std::uint32_t row, const ServiceRecord& edited);

}  // namespace velk
