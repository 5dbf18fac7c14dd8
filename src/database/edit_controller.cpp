#include "database/edit_controller.h"

#include "database/add_records.h"
#include "database/delete_records.h"
#include "database/move_dialogs.h"
#include "database/move_records.h"
#include "database/move_services.h"
#include "database/record_edit.h"
#include "database/step_names.h"

#include <algorithm>

namespace velk {
namespace {

EditChange SelectNode(const NodeAddress& node)
{
    return EditChange{node, std::nullopt, std::nullopt, false, {}};
}

EditChange SelectRows(std::vector<std::uint32_t> rows, bool scroll = false)
{
    return EditChange{std::nullopt, std::move(rows), std::nullopt, scroll, {}};
}

EditChange CarryFlags(MarkResult flags)
{
    EditChange change;
    change.flags = std::move(flags);
    return change;
}

std::optional<EditChange> When(bool done, EditChange change)
{
    return done ? std::optional<EditChange>(std::move(change)) : std::nullopt;
}

bool IsServiceList(const EditTarget& t) { return t.onList && t.services.has_value(); }

}  // namespace

std::optional<EditChange> EditController::Apply(std::string name, const Step& step)
{
    auto change = step();
    // Recorded whatever the outcome: a refused step adds no step, and a step that
    // failed half-way is still undoable.
    history_.Record(std::move(name));
    return change;
}

bool EditController::Walk(bool forward)
{
    if (!(forward ? history_.NextRedo() : history_.NextUndo()))
        return false;
    if (forward ? history_.Redo() : history_.Undo())
        return true;
    ShowError(ui_, kFileAccessError);
    return false;
}

std::optional<EditChange> EditController::Run(EditorCommand command, const EditTarget& target)
{
    auto name = CommandStepName(command, target.node.kind, IsServiceList(target), target.rows.size());
    switch (command) {
    case EditorCommand::Add: return Apply(std::move(name), [&] { return Add(target); });
    case EditorCommand::Insert: return Apply(std::move(name), [&] { return Insert(target); });
    case EditorCommand::Delete: return Apply(std::move(name), [&] { return Delete(target); });
    case EditorCommand::MoveUp: return Apply(std::move(name), [&] { return MoveUpDown(target, true); });
    case EditorCommand::MoveDown: return Apply(std::move(name), [&] { return MoveUpDown(target, false); });
    case EditorCommand::FactoryDefault: return Apply(std::move(name), [&] { return ToggleFactoryDefault(target.node); });
    default: return std::nullopt;
    }
}

std::optional<EditChange> EditController::Add(const EditTarget& target)
{
    const auto& node = target.node;
    switch (node.kind) {
    case NodeKind::AllLnbs:
        ShowInfo(ui_, "Can not insert LNB through this category.\nPlease go to \"LNB Information\" to insert a LNB.");
        return std::nullopt;
    case NodeKind::AllServices:
        ShowInfo(ui_, "Can not insert service through this category.\nPlease go to particular carrier to insert a service.");
        return std::nullopt;
    case NodeKind::AllSatellites:
        ShowInfo(ui_, "Can not insert satellite through this category.\nPlease go to \"Satellite Information\" to insert a satellite.");
        return std::nullopt;
    case NodeKind::AllCarriers:
        ShowInfo(ui_, "Can not insert carrier through this category.\nPlease go to particular satellite to insert a carrier.");
        return std::nullopt;
    case NodeKind::LnbInformation:
        if (const auto n = AddLnbRecord(store_, ui_))
            return SelectNode(LnbNode(*n));
        return std::nullopt;
    case NodeKind::SatelliteInformation:
        if (const auto n = AppendSatelliteRecord(store_, ui_))
            return SelectNode(SatelliteNode(*n));
        return std::nullopt;
    case NodeKind::Satellite:
        if (const auto added = AddCarrierRecord(store_, ui_, node.satellite))
            return SelectNode(CarrierNode(node.satellite, added->position));
        return std::nullopt;
    case NodeKind::Carrier:
        if (const auto added = AddServiceRecord(store_, ui_, node.satellite, node.number, target.filter)) {
            EditChange change;
            change.serviceRecord = added->record;
            return change;
        }
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<EditChange> EditController::Insert(const EditTarget& target)
{
    const auto& node = target.node;
    if (target.onList) {
        // In the list only a carrier's unfiltered services take an insert.
        if (node.kind != NodeKind::Carrier || target.filter != ServiceFilter::Both || !target.services)
            return std::nullopt;
        const std::uint32_t row = target.rows.empty() ? 0 : target.rows.front();
        return When(InsertServiceRecord(store_, ui_, node.satellite, node.number, row).has_value(),
                    SelectRows({std::max<std::uint32_t>(row, 1)}));
    }
    if (node.kind == NodeKind::Satellite) {
        if (const auto n = InsertSatelliteRecord(store_, ui_, node.satellite))
            return SelectNode(SatelliteNode(*n));
    } else if (node.kind == NodeKind::Carrier) {
        if (const auto added = InsertCarrierRecord(store_, ui_, node.satellite, node.number))
            return SelectNode(CarrierNode(node.satellite, added->position));
    }
    return std::nullopt;
}

std::optional<EditChange> EditController::Delete(const EditTarget& target)
{
    const auto& node = target.node;
    if (IsServiceList(target)) {
        const std::uint32_t first = target.rows.empty() ? 1 : target.rows.front();
        return When(DeleteServices(store_, ui_, *target.services, target.rows).has_value(), SelectRows({first}));
    }
    switch (node.kind) {
    case NodeKind::Lnb:
        return When(DeleteLnbRecord(store_, ui_, node.number), SelectNode(RootNode(NodeKind::LnbInformation)));
    case NodeKind::Satellite:
        return When(DeleteSatellite(store_, ui_, node.satellite), SelectNode(RootNode(NodeKind::SatelliteInformation)));
    case NodeKind::Carrier:
        return When(DeleteCarrier(store_, ui_, node.satellite, node.number).has_value(), SelectNode(SatelliteNode(node.satellite)));
    default: return std::nullopt;
    }
}

std::optional<EditChange> EditController::MoveUpDown(const EditTarget& target, bool up)
{
    if (!target.services)
        return std::nullopt;
    if (const auto row = MoveServiceUpDown(store_, ui_, *target.services, target.rows, up))
        return SelectRows({*row});
    return std::nullopt;
}

std::optional<EditChange> EditController::ToggleFactoryDefault(const NodeAddress& node)
{
    std::optional<MarkResult> result;
    if (node.kind == NodeKind::Satellite)
        result = ToggleSatelliteFactoryDefault(store_, ui_, node.satellite);
    else if (node.kind == NodeKind::Carrier)
        result = ToggleCarrierFactoryDefault(store_, ui_, node.satellite, node.number);
    if (!result)
        return std::nullopt;
    return CarryFlags(std::move(*result));
}

std::optional<EditChange> EditController::MoveNode(const NodeAddress& node, std::uint32_t to, bool swap)
{
    return Apply(NodeMoveStepName(node.kind, swap), [&]() -> std::optional<EditChange> {
        if (node.kind == NodeKind::Satellite) {
            const bool done = swap ? SwapSatellites(store_, ui_, node.satellite, to) : MoveSatellite(store_, ui_, node.satellite, to);
            return When(done, SelectNode(SatelliteNode(to)));
        }
        if (node.kind != NodeKind::Carrier)
            return std::nullopt;
        const bool done = swap ? SwapCarriers(store_, ui_, node.satellite, node.number, to)
                               : MoveCarrier(store_, ui_, node.satellite, node.number, to);
        return When(done, SelectNode(CarrierNode(node.satellite, to)));
    });
}

std::optional<EditChange> EditController::DropNode(const NodeAddress& dragged, const NodeAddress& onto)
{
    if (dragged.kind == NodeKind::Satellite && onto.kind != NodeKind::Satellite) {
        ShowInfo(ui_, "Satellite move within the \"Satellite Information\".");
        return std::nullopt;
    }
    if (dragged.kind == NodeKind::Carrier && (onto.kind != NodeKind::Carrier || onto.satellite != dragged.satellite)) {
        ShowInfo(ui_, "Carrier move within the satellite.");
        return std::nullopt;
    }
    return MoveNode(dragged, dragged.kind == NodeKind::Satellite ? onto.satellite : onto.number, false);
}

std::optional<EditChange> EditController::MoveRows(const ServiceView& view, const std::vector<std::uint32_t>& rows, std::uint32_t to)
{
    if (rows.empty() || to < 1 || !CheckConsecutiveRows(ui_, rows))
        return std::nullopt;
    return Apply("Move " + CountText(rows.size(), "service"), [&] {
        const auto count = static_cast<std::uint32_t>(rows.size());
        return When(MoveServiceBlock(store_, ui_, view, rows.front() - 1, count, to - 1), SelectRows({to}, true));
    });
}

std::optional<EditChange> EditController::SwapRows(const ServiceView& view, const std::vector<std::uint32_t>& rows)
{
    return Apply("Swap services", [&] { return When(SwapServices(store_, ui_, view, rows), SelectRows({rows.front(), rows.back()})); });
}

std::optional<EditChange> EditController::ChangeCarrier(const ServiceView& view, const std::vector<std::uint32_t>& rows, CarrierPlace to)
{
    return Apply("Change carrier of " + CountText(rows.size(), "service"), [&] { return When(ChangeServiceCarrier(store_, ui_, view, rows, to.satellite, to.position).has_value(), EditChange{}); });
}

std::optional<EditChange> EditController::UpdateLnb(std::uint32_t n, const LnbRecord& edited)
{
    return Apply(EditStepName(NodeKind::Lnb), [&] { return When(UpdateLnbRecord(store_, ui_, n, edited), EditChange{}); });
}

std::optional<EditChange> EditController::UpdateSatellite(std::uint32_t n, const SatelliteRecord& edited)
{
    return Apply(EditStepName(NodeKind::Satellite), [&]() -> std::optional<EditChange> {
        auto update = UpdateSatelliteRecord(store_, ui_, n, edited);
        return update ? std::optional(CarryFlags(std::move(update->flags))) : std::nullopt;
    });
}

std::optional<EditChange> EditController::UpdateCarrier(CarrierPlace place, const CarrierRecord& edited)
{
    return Apply(EditStepName(NodeKind::Carrier), [&]() -> std::optional<EditChange> {
        auto update = UpdateCarrierRecord(store_, ui_, place.satellite, place.position, edited);
        return update ? std::optional(CarryFlags(std::move(update->flags))) : std::nullopt;
    });
}

std::optional<EditChange> EditController::UpdateService(const ServiceView& view, std::uint32_t row, const ServiceRecord& edited)
{
    return Apply(EditStepName(NodeKind::None), [&]() -> std::optional<EditChange> {
        auto flags = UpdateServiceRecord(store_, ui_, view, row, edited);
        return flags ? std::optional(CarryFlags(std::move(*flags))) : std::nullopt;
    });
}

std::optional<EditChange> EditController::Mark(const MarkChoice& choice, const MarkList& list, const std::vector<std::uint32_t>& rows)
{
    return Apply(MarkStepName(choice.level, rows.size()), [&]() -> std::optional<EditChange> {
        auto flags = MarkRows(store_, ui_, choice, list, rows);
        return flags ? std::optional(CarryFlags(std::move(*flags))) : std::nullopt;
    });
}

}  // namespace velk
