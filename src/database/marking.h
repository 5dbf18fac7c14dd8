#pragma once
// "Mark As" and selection commands of the four list popup menus, as functions
// over rows. A mark writes one field value into the record of every given row
// (rows 1-based, as the list shows them) and keeps the factory-default
// hierarchy; a selection yields, for every row of the list, whether it matches.
// An empty row set changes nothing. Marks return nullopt after their message when a file cannot be used; the
// store is then unchanged.
#include "common/ui.h"
#include "database/factory_default.h"
#include "database/service_views.h"
#include "database/working_store.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velk {

using RowSelection = std::vector<bool>;  // entry i: row i + 1 is selected

// "A&ll" and "&Invert Selection".
RowSelection SelectAllRows(std::size_t rowCount);
RowSelection InvertSelection(const RowSelection& selection);

// "All LNB(s)" list: row r is LNB r.
enum class LnbField : std::uint8_t { Power, Type, Diseqc10, Diseqc11, ToneBurst, Repeat, Khz22 };
std::optional<MarkResult> MarkLnbs(WorkingStore& store, Ui& ui, std::span<const std::uint32_t> rows, LnbField field, std::uint8_t value);
std::optional<RowSelection> SelectLnbs(const WorkingStore& store, Ui& ui, LnbField field, std::uint8_t value);

// Satellite lists: row r is satellite r. LnbIndex takes the 0-based index (item
// "LNB %d" n gives n - 1; an index past the LNBs is ignored). Clearing the
// factory-default flag clears it for the satellite's carriers and services.
enum class SatelliteField : std::uint8_t { LnbIndex, EastWest, FactoryDefault };
std::optional<MarkResult> MarkSatellites(WorkingStore& store, Ui& ui, std::span<const std::uint32_t> rows, SatelliteField field, std::uint8_t value);
std::optional<RowSelection> SelectSatellites(const WorkingStore& store, Ui& ui, SatelliteField field, std::uint8_t value);

// Carrier lists: the carriers of satellite s (1-based) in carrier order, or of
// every satellite ("All Carrier(s)") with s = 0. Marking factory default leaves
// carriers of satellites that are not factory default unchanged and then shows
// "This process is failed for some carrier(s) \nBecause satellite of those
// carrier(s) are not set Factory Default" once.
enum class CarrierField : std::uint8_t { Polarization, Fec, FactoryDefault };
std::optional<MarkResult> MarkCarriers(WorkingStore& store, Ui& ui, std::uint32_t s, std::span<const std::uint32_t> rows,
                                       CarrierField field, std::uint8_t value);
std::optional<RowSelection> SelectCarriers(const WorkingStore& store, Ui& ui, std::uint32_t s, CarrierField field, std::uint8_t value);

// Whether the carrier list's factory-default marks are enabled for these selected rows.
bool CanMarkCarrierFactoryDefault(const WorkingStore& store, std::uint32_t s, std::span<const std::uint32_t> rows);

// Service lists (rows of `view` as last built). Radio also sets video PID 8192;
// FavouriteGroup writes group `value` (1..4) alone, 0 for none. Marking TV or
// Radio in a TV-only or radio-only view rebuilds the view (rowsChanged).
enum class ServiceMark : std::uint8_t { Scrambled, Fta, Tv, Radio, FactoryDefault, NoFactoryDefault, FavouriteGroup };
std::optional<MarkResult> MarkServices(WorkingStore& store, Ui& ui, const ServiceView& view, std::span<const std::uint32_t> rows,
                                       ServiceMark mark, std::uint8_t value = 0);

// Group k (1..4) selects the services with bit k - 1 set; NoGroup those in none.
enum class ServiceTest : std::uint8_t { Scrambled, Fta, Tv, Radio, FactoryDefault, NoFactoryDefault, Group, NoGroup };
std::optional<RowSelection> SelectServices(const WorkingStore& store, Ui& ui, const ServiceView& view, ServiceTest test, std::uint8_t group = 0);

}  // namespace velk
