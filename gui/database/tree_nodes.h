#pragma once
// Node kinds of the editor's tree and the values each node carries.
#include <QTreeWidgetItem>

namespace velk::gui {

enum NodeKind : int {
    kAllServices = 1, kLnbInformation = 2, kSatelliteInformation = 3, kLnbNode = 4,
    kSatelliteNode = 5, kCarrierNode = 6, kUserSettings = 7, kAllLnbs = 8, kAllSatellites = 9, kAllCarriers = 10,
};

// Item data roles: the kind, the number in the label (LNB, satellite, or the
// carrier's position under its satellite), and the 0-based record index.
inline constexpr int kKindRole = Qt::UserRole;
inline constexpr int kNumberRole = Qt::UserRole + 1;
inline constexpr int kRecordRole = Qt::UserRole + 2;
inline constexpr int kServiceCountRole = Qt::UserRole + 3;

inline int KindOf(const QTreeWidgetItem* item) { return item ? item->data(0, kKindRole).toInt() : 0; }
inline int NumberOf(const QTreeWidgetItem* item) { return item ? item->data(0, kNumberRole).toInt() : 0; }
inline int RecordOf(const QTreeWidgetItem* item) { return item ? item->data(0, kRecordRole).toInt() : 0; }

}  // namespace velk::gui
