#pragma once
// The editor tree's items: the node each stands for and the values it carries.
#include "database/editor_nodes.h"

#include <QTreeWidgetItem>

namespace velk::gui {

using velk::NodeKind;
inline constexpr NodeKind kAllServices = NodeKind::AllServices;
inline constexpr NodeKind kLnbInformation = NodeKind::LnbInformation;
inline constexpr NodeKind kSatelliteInformation = NodeKind::SatelliteInformation;
inline constexpr NodeKind kLnbNode = NodeKind::Lnb;
inline constexpr NodeKind kSatelliteNode = NodeKind::Satellite;
inline constexpr NodeKind kCarrierNode = NodeKind::Carrier;
inline constexpr NodeKind kUserSettings = NodeKind::UserSettings;
inline constexpr NodeKind kAllLnbs = NodeKind::AllLnbs;
inline constexpr NodeKind kAllSatellites = NodeKind::AllSatellites;
inline constexpr NodeKind kAllCarriers = NodeKind::AllCarriers;

// Item data roles: the kind, the number in the label (LNB, satellite, or the
// carrier's position under its satellite), and the 0-based record index.
inline constexpr int kKindRole = Qt::UserRole;
inline constexpr int kNumberRole = Qt::UserRole + 1;
inline constexpr int kRecordRole = Qt::UserRole + 2;
inline constexpr int kServiceCountRole = Qt::UserRole + 3;

inline NodeKind KindOf(const QTreeWidgetItem* item)
{
    return item ? static_cast<NodeKind>(item->data(0, kKindRole).toInt()) : NodeKind::None;
}
inline int NumberOf(const QTreeWidgetItem* item) { return item ? item->data(0, kNumberRole).toInt() : 0; }
inline int RecordOf(const QTreeWidgetItem* item) { return item ? item->data(0, kRecordRole).toInt() : 0; }

// The node an item stands for, by kind and numbers.
inline NodeAddress AddressOf(const QTreeWidgetItem* item)
{
    const auto number = static_cast<std::uint32_t>(NumberOf(item));
    switch (KindOf(item)) {
    case NodeKind::Lnb: return LnbNode(number);
    case NodeKind::Satellite: return SatelliteNode(number);
    case NodeKind::Carrier: return CarrierNode(static_cast<std::uint32_t>(NumberOf(item->parent())), number);
    default: return RootNode(KindOf(item));
    }
}

}  // namespace velk::gui
