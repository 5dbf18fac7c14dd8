#include "database/editor_commands.h"

namespace velk {

bool CommandApplies(EditorCommand command, const CommandContext& c)
{
    const bool satellite = c.node == NodeKind::Satellite;
    const bool carrier = c.node == NodeKind::Carrier;
    const bool rows = c.servicesShown && c.selectedRows > 0;
    switch (command) {
    case EditorCommand::Edit:
    case EditorCommand::Add:
    case EditorCommand::ExpandCollapse:
    case EditorCommand::ViewDecimal:
    case EditorCommand::ViewHex: return true;
    case EditorCommand::Insert:
    case EditorCommand::FactoryDefault: return satellite || carrier;
    case EditorCommand::Delete: return c.node == NodeKind::Lnb || satellite || carrier || rows;
    case EditorCommand::Move: return satellite || carrier || rows;
    case EditorCommand::MoveUp:
    case EditorCommand::MoveDown: return c.servicesShown && c.selectedRows == 1;
    case EditorCommand::Swap:
        return (satellite && c.satelliteCount > 1) || (carrier && c.siblingCarriers >= 2) || (c.servicesShown && c.selectedRows == 2);
    case EditorCommand::DetailedInformation:
    case EditorCommand::ChangeCarrier: return rows;
    }
    return false;
}

}  // namespace velk
