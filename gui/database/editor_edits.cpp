// The editor's commands: each gathers its input (a dialog, the dropped place),
// hands it to the edit controller and shows what changed.
#include "database/carrier_dialog.h"
#include "database/change_carrier_dialog.h"
#include "database/editor_window.h"
#include "database/lnb_dialog.h"
#include "database/move_dialog.h"
#include "database/move_dialogs.h"
#include "database/record_edit.h"
#include "database/satellite_dialog.h"
#include "database/service_details_dialog.h"
#include "database/service_dialog.h"

#include <QApplication>
#include <QTableView>

#include <algorithm>

namespace velk::gui {
namespace {

struct CommandPair {
    Command command;
    EditorCommand editor;
};

constexpr CommandPair kEditorCommands[] = {
    {cmd::Edit, EditorCommand::Edit}, {cmd::Add, EditorCommand::Add}, {cmd::Insert, EditorCommand::Insert},
    {cmd::Delete, EditorCommand::Delete}, {cmd::Move, EditorCommand::Move}, {cmd::MoveUp, EditorCommand::MoveUp},
    {cmd::MoveDown, EditorCommand::MoveDown}, {cmd::SwapInformation, EditorCommand::Swap},
    {cmd::FactoryDefault, EditorCommand::FactoryDefault}, {cmd::ExpandCollapse, EditorCommand::ExpandCollapse},
    {cmd::DetailedInformation, EditorCommand::DetailedInformation}, {cmd::ChangeCarrier, EditorCommand::ChangeCarrier},
    {cmd::ViewDecimal, EditorCommand::ViewDecimal}, {cmd::ViewHex, EditorCommand::ViewHex},
};

std::optional<EditorCommand> EditorCommandOf(Command command)
{
    const auto* it = std::find_if(std::begin(kEditorCommands), std::end(kEditorCommands),
                                  [command](const CommandPair& p) { return p.command == command; });
    return it == std::end(kEditorCommands) ? std::nullopt : std::optional(it->editor);
}

// Runs a record dialog; the edited record when the user pressed Ok.
template <typename Dialog, typename... Args>
auto Edited(Args&&... args) -> std::optional<std::decay_t<decltype(std::declval<Dialog>().Edited())>>
{
    Dialog dialog(std::forward<Args>(args)...);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Edited();
}

}  // namespace

bool EditorWindow::CanRun(Command command) const
{
    const auto editor = EditorCommandOf(command);
    if (!editor)
        return false;
    const auto* item = tree_->currentItem();
    CommandContext context{KindOf(item), model_->Kind() == ListKind::Services, SelectedRows().size(), store_.satelliteCount, 0};
    if (context.node == NodeKind::Carrier)
        context.siblingCarriers = static_cast<std::uint32_t>(item->parent()->childCount());
    return CommandApplies(*editor, context);
}

bool EditorWindow::RunCommand(Command command)
{
    if (!CanRun(command))
        return false;
    const auto editor = *EditorCommandOf(command);
    switch (editor) {
    case EditorCommand::Edit: EditSelected(); break;
    case EditorCommand::Move: MoveOrSwap(false); break;
    case EditorCommand::Swap: MoveOrSwap(true); break;
    case EditorCommand::DetailedInformation: ShowDetailedInformation(); break;
    case EditorCommand::ChangeCarrier: ChangeCarrier(); break;
    case EditorCommand::ExpandCollapse: ExpandCollapse(); break;
    case EditorCommand::ViewDecimal: SetHex(false); break;
    case EditorCommand::ViewHex: SetHex(true); break;
    default: Show(controller_.Run(editor, Target())); break;
    }
    return true;
}

EditTarget EditorWindow::Target() const
{
    return EditTarget{AddressOf(tree_->currentItem()), CurrentServiceView(), SelectedRowNumbers(), listHasFocus_, filter_};
}

void EditorWindow::Show(const std::optional<EditChange>& change)
{
    SyncModified();
    if (!change)
        return;
    Reload();
    if (change->node)
        if (auto* item = NodeAt(*change->node))
            tree_->setCurrentItem(item);
    std::vector<int> rows;
    if (change->rows)
        for (auto row : *change->rows)
            rows.push_back(std::min(static_cast<int>(row), model_->rowCount()) - 1);
    if (change->serviceRecord)
        for (int row = 0; row < model_->rowCount(); ++row)
            if (model_->RecordOfRow(row) + 1 == *change->serviceRecord)
                rows = {row};
    if (!change->rows && !change->serviceRecord)
        return;
    FocusList();
    SelectRows(rows);
    if (change->scrollToRow && !rows.empty())
        list_->scrollTo(model_->index(rows.front(), 0));
}

void EditorWindow::EditSelected()
{
    const int row = list_->currentIndex().row();
    if (listHasFocus_ && row >= 0 && model_->Kind() != ListKind::None)
        EditRow(row);
    else
        EditNode(tree_->currentItem());
}

void EditorWindow::EditNode(QTreeWidgetItem* item)
{
    const auto node = AddressOf(item);
    std::optional<EditChange> change;
    if (node.kind == NodeKind::Lnb) {
        if (const auto lnb = OpenLnbRecord(store_, ui_, node.number))
            if (const auto edited = Edited<LnbDialog>(store_, ui_, *lnb, this))
                change = controller_.UpdateLnb(node.number, *edited);
    } else if (node.kind == NodeKind::Satellite) {
        if (const auto satellite = OpenSatelliteRecord(store_, ui_, node.satellite))
            if (const auto edited = Edited<SatelliteDialog>(store_, ui_, *satellite, this))
                change = controller_.UpdateSatellite(node.satellite, *edited);
    } else if (node.kind == NodeKind::Carrier) {
        if (const auto carrier = OpenCarrierRecord(store_, ui_, node.satellite, node.number))
            if (const auto edited = Edited<CarrierDialog>(store_, ui_, *carrier, this))
                change = controller_.UpdateCarrier({node.satellite, node.number}, *edited);
    } else if (node.kind == NodeKind::UserSettings) {
        emit userSettingsRequested();
    }
    FocusTree();
    Show(change);
}

void EditorWindow::EditRow(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    const auto record = model_->RecordOfRow(row);
    std::optional<EditChange> change;
    switch (model_->Kind()) {
    case ListKind::Lnbs:
        if (const auto lnb = OpenLnbRecord(store_, ui_, record + 1))
            if (const auto edited = Edited<LnbDialog>(store_, ui_, *lnb, this))
                change = controller_.UpdateLnb(record + 1, *edited);
        break;
    case ListKind::Satellites:
        if (const auto satellite = OpenSatelliteRecord(store_, ui_, record + 1))
            if (const auto edited = Edited<SatelliteDialog>(store_, ui_, *satellite, this))
                change = controller_.UpdateSatellite(record + 1, *edited);
        break;
    case ListKind::Carriers: {
        const auto place = snapshot_->PlaceOfCarrier(record);
        if (const auto carrier = place ? OpenCarrierRecord(store_, ui_, place->satellite, place->position) : std::nullopt)
            if (const auto edited = Edited<CarrierDialog>(store_, ui_, *carrier, this))
                change = controller_.UpdateCarrier(*place, *edited);
        break;
    }
    case ListKind::Services: {
        const auto view = *CurrentServiceView();
        const auto rowNumber = static_cast<std::uint32_t>(row + 1);
        if (const auto service = OpenServiceRecord(store_, ui_, view, rowNumber))
            if (const auto edited = Edited<ServiceDialog>(store_, ui_, service->service, service->otherProgramNumbers, model_->Hex(), this))
                change = controller_.UpdateService(view, rowNumber, *edited);
        break;
    }
    case ListKind::None: break;
    }
    FocusList();
    Show(change);
}

void EditorWindow::MoveOrSwap(bool swap)
{
    if (listHasFocus_ && model_->Kind() == ListKind::Services) {
        if (swap)
            Show(controller_.SwapRows(*CurrentServiceView(), SelectedRowNumbers()));
        else
            MoveServiceRows();
        return;
    }
    auto* item = tree_->currentItem();
    const auto node = AddressOf(item);
    if (node.kind != NodeKind::Satellite && node.kind != NodeKind::Carrier)
        return;
    const bool satellite = node.kind == NodeKind::Satellite;
    const auto source = satellite ? node.satellite : node.number;
    const auto bound = satellite ? store_.satelliteCount : static_cast<std::uint32_t>(item->parent()->childCount());
    const auto texts = MoveDialogTexts(satellite ? MoveLevel::Satellite : MoveLevel::Carrier, swap, source);
    MoveDialog dialog(Q(texts.title), Q(texts.label), Q(texts.tooltip),
                      [&](std::string_view typed) { return CheckMoveTarget(ui_, typed, source, bound); }, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto change = controller_.MoveNode(node, dialog.Target(), swap);
    QApplication::restoreOverrideCursor();
    Show(change);
}

void EditorWindow::MoveServiceRows()
{
    const auto rows = SelectedRowNumbers();
    if (!CheckConsecutiveRows(ui_, rows))
        return;
    const auto count = static_cast<std::uint32_t>(model_->rowCount());
    MoveDialog dialog("Move Service Information", "Enter the index to move the selected service(s)", "Click to move service record.",
                      [&](std::string_view typed) { return CheckServiceMoveTarget(ui_, typed, rows.front(), count); }, this);
    if (dialog.exec() == QDialog::Accepted)
        Show(controller_.MoveRows(*CurrentServiceView(), rows, dialog.Target()));
}

void EditorWindow::DropNode(QTreeWidgetItem* dragged, QTreeWidgetItem* target)
{
    Show(controller_.DropNode(AddressOf(dragged), AddressOf(target)));
}

void EditorWindow::DropRows(int target)
{
    const auto view = CurrentServiceView();
    const bool allowed = view && model_->Kind() == ListKind::Services && model_->rowCount() >= 2;
    if (!allowed || target < 0 || target >= model_->rowCount())
        return;
    Show(controller_.MoveRows(*view, SelectedRowNumbers(), static_cast<std::uint32_t>(target + 1)));
}

void EditorWindow::ChangeCarrier()
{
    const auto rows = SelectedRowNumbers();
    const auto view = CurrentServiceView();
    if (!view || rows.empty())
        return;
    const auto source = CarrierOfRow(store_, ui_, *view, rows.front());
    if (!source)
        return;
    std::optional<EditChange> change;
    ChangeCarrierDialog dialog(*snapshot_, rows.size(), *source, [&](CarrierPlace to) {
        change = controller_.ChangeCarrier(*view, rows, to);
        return change.has_value();
    }, this);
    dialog.exec();
    Show(change);
}

void EditorWindow::ShowDetailedInformation()
{
    const auto view = CurrentServiceView();
    const auto details = view ? LoadServiceDetails(store_, ui_, *view, SelectedRowNumbers(), model_->Hex()) : std::nullopt;
    if (!details)
        return;
    ServiceDetailsDialog dialog(*details, this);
    dialog.exec();
}

}  // namespace velk::gui
