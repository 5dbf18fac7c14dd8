#pragma once
// Every change the editor makes to the open database, without widgets: the
// window names where a command acts (a node of its tree, the list rows it has
// selected) and gathers any input in its dialogs; the controller runs the core
// operation, which shows its own messages, and answers what changed, so that
// the window only has to reread the store and restore the selection.
//
// Every change passes through one private entry point, Apply(), which records
// it as a named step of the history, so that it can be undone and redone.
#include "common/ui.h"
#include "database/change_carrier.h"
#include "database/edit_history.h"
#include "database/editor_commands.h"
#include "database/editor_nodes.h"
#include "database/factory_default.h"
#include "database/mark_menus.h"
#include "database/service_identity.h"
#include "database/service_views.h"
#include "database/working_store.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velk {

// Where a command acts.
struct EditTarget {
    NodeAddress node;                     // the tree's current node
    std::optional<ServiceView> services;  // the view the list shows, when it shows services
    std::vector<std::uint32_t> rows;      // selected list rows, 1-based ascending
    bool onList = false;                  // the list has the focus
    ServiceFilter filter = ServiceFilter::Both;
};

// What a change asks of the window once it has reread the store.
struct EditChange {
    std::optional<NodeAddress> node;                 // make this node current; none: keep the current one
    std::optional<std::vector<std::uint32_t>> rows;  // select these 1-based rows (the last row at most), list focused
    std::optional<std::uint32_t> serviceRecord;      // select the row of this 1-based service record, list focused
    bool scrollToRow = false;                        // bring the first selected row into view
    MarkResult flags;                                // factory-default flags carried along
};

class EditController {
public:
    // The history starts from the store as it is now (a new or opened database).
    EditController(WorkingStore& store, Ui& ui) : store_(store), ui_(ui), history_(store) {}

    // Add, Insert, Delete, Move Up/Down and Factory Default where `target`
    // says; nullopt when nothing changed (after the core's message, if any).
    std::optional<EditChange> Run(EditorCommand command, const EditTarget& target);

    // Move or swap the satellite or carrier of `node` with number `to`.
    std::optional<EditChange> MoveNode(const NodeAddress& node, std::uint32_t to, bool swap);
    // A satellite dropped on a satellite, a carrier on a carrier of its satellite.
    std::optional<EditChange> DropNode(const NodeAddress& dragged, const NodeAddress& onto);
    // The consecutive `rows` of `view` moved as a block to row `to` (1-based).
    std::optional<EditChange> MoveRows(const ServiceView& view, const std::vector<std::uint32_t>& rows, std::uint32_t to);
    std::optional<EditChange> SwapRows(const ServiceView& view, const std::vector<std::uint32_t>& rows);
    // The services of `rows` moved to another carrier ("Change Carriers").
    std::optional<EditChange> ChangeCarrier(const ServiceView& view, const std::vector<std::uint32_t>& rows, CarrierPlace to);

    // Ok of a record dialog: the edited record written with the rules of the core.
    std::optional<EditChange> UpdateLnb(std::uint32_t n, const LnbRecord& edited);
    std::optional<EditChange> UpdateSatellite(std::uint32_t n, const SatelliteRecord& edited);
    std::optional<EditChange> UpdateCarrier(CarrierPlace place, const CarrierRecord& edited);
    std::optional<EditChange> UpdateService(const ServiceView& view, std::uint32_t row, const ServiceRecord& edited);

    // A "Mark As" item for the selected `rows` of `list`.
    std::optional<EditChange> Mark(const MarkChoice& choice, const MarkList& list, const std::vector<std::uint32_t>& rows);

    // edit_controller_lists.cpp: the tools over all services, by 0-based channel position.
    // "Keep first, delete the rest" of the duplicates.
    std::optional<EditChange> DeleteChannels(std::span<const std::uint32_t> channels);
    // A service "Mark As" choice for the channels.
    std::optional<EditChange> MarkChannels(const MarkChoice& choice, std::span<const std::uint32_t> channels);
    // The services given the channel order of a reference list; the summary text.
    std::optional<std::string> ApplyOrder(std::span<const ServiceKey> reference);
    // An edited CSV list applied, nothing changed when it reports problems; the report text.
    std::optional<std::string> ImportCsv(std::string_view text);

    // A change made to the store by a command outside the controller (default
    // values, sort, merge, import, tools) recorded as one step; false when nothing changed.
    bool RecordChange(std::string name, StepKind kind = StepKind::Edit) { return history_.Record(std::move(name), kind); }

    // The store as before the last step, or after the next one; false, with a
    // message, when the store's files could not be written back.
    bool Undo() { return Walk(false); }
    bool Redo() { return Walk(true); }
    const EditHistory& History() const { return history_; }
    void MarkSaved() { history_.MarkSaved(); }
    // The store was replaced as a whole: the history starts again from it.
    void ResetHistory() { history_.Reset(); }

private:
    using Step = std::function<std::optional<EditChange>()>;
    // The one way a change reaches the store; a change that happened is recorded as `name`.
    std::optional<EditChange> Apply(std::string name, const Step& step);
    bool Walk(bool forward);

    std::optional<EditChange> Add(const EditTarget& target);
    std::optional<EditChange> Insert(const EditTarget& target);
    std::optional<EditChange> Delete(const EditTarget& target);
    std::optional<EditChange> MoveUpDown(const EditTarget& target, bool up);
    std::optional<EditChange> ToggleFactoryDefault(const NodeAddress& node);

    WorkingStore& store_;
    Ui& ui_;
    EditHistory history_;
};

}  // namespace velk
