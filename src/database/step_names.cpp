#include "database/step_names.h"

namespace velk {
namespace {

std::string_view Noun(NodeKind node)
{
    switch (node) {
    case NodeKind::Lnb:
    case NodeKind::LnbInformation: return "LNB";
    case NodeKind::Satellite:
    case NodeKind::SatelliteInformation: return "satellite";
    case NodeKind::Carrier: return "carrier";
    default: return "service";
    }
}

// What Add and Insert create under a node: the level below it.
std::string_view ChildNoun(NodeKind node)
{
    switch (node) {
    case NodeKind::LnbInformation: return "LNB";
    case NodeKind::SatelliteInformation: return "satellite";
    case NodeKind::Satellite: return "carrier";
    default: return "service";
    }
}

std::string Grouped(std::size_t n)
{
    auto digits = std::to_string(n);
    for (auto i = digits.size(); i > 3; i -= 3)
        digits.insert(i - 3, " ");
    return digits;
}

}  // namespace

std::string CountText(std::size_t count, std::string_view noun)
{
    return Grouped(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

std::string CommandStepName(EditorCommand command, NodeKind node, bool onServiceList, std::size_t rows)
{
    const std::string services = CountText(rows, "service");
    switch (command) {
    case EditorCommand::Add: return "Add " + std::string(ChildNoun(node));
    case EditorCommand::Insert:
        return "Insert " + std::string(onServiceList ? "service" : node == NodeKind::Satellite ? "satellite" : "carrier");
    case EditorCommand::Delete: return "Delete " + (onServiceList ? services : std::string(Noun(node)));
    case EditorCommand::MoveUp: return "Move " + services + " up";
    case EditorCommand::MoveDown: return "Move " + services + " down";
    case EditorCommand::FactoryDefault: return "Factory default of " + std::string(Noun(node));
    default: return "Edit";
    }
}

std::string EditStepName(NodeKind level)
{
    return "Edit " + std::string(Noun(level));
}

std::string NodeMoveStepName(NodeKind level, bool swap)
{
    return swap ? "Swap " + std::string(Noun(level)) + "s" : "Move " + std::string(Noun(level));
}

std::string MarkStepName(MarkLevel level, std::size_t rows)
{
    constexpr std::string_view kNouns[] = {"LNB", "satellite", "carrier", "service"};
    return "Mark " + CountText(rows, kNouns[static_cast<int>(level)]);
}

}  // namespace velk
