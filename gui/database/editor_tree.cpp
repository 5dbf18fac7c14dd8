// The editor's tree: its nodes built from the snapshot, found by address.
#include "database/editor_window.h"

#include "database/name_text.h"
#include "database/record_dialog.h"

#include <QPainter>

namespace velk::gui {
namespace {

// Image 0 marks a factory-default satellite or carrier, image 1 any other.
QIcon NodeIcon(bool factoryDefault)
{
    QPixmap pixmap(16, 13);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::darkGray);
    painter.setBrush(factoryDefault ? QColor(230, 170, 20) : QColor(90, 140, 210));
    if (factoryDefault)
        painter.drawPolygon(QPolygon({QPoint(8, 0), QPoint(15, 6), QPoint(8, 12), QPoint(1, 6)}));
    else
        painter.drawEllipse(QRect(3, 2, 9, 9));
    return QIcon(pixmap);
}

QTreeWidgetItem* MakeNode(const QString& text, NodeKind kind, int number = 0, int record = 0)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    auto flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (kind == kSatelliteNode || kind == kCarrierNode)
        flags |= Qt::ItemIsDragEnabled;
    item->setFlags(flags);
    item->setData(0, kKindRole, static_cast<int>(kind));
    item->setData(0, kNumberRole, number);
    item->setData(0, kRecordRole, record);
    return item;
}

}  // namespace

QTreeWidgetItem* EditorWindow::RootNode(NodeKind kind) const
{
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        if (KindOf(tree_->topLevelItem(i)) == kind)
            return tree_->topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* EditorWindow::SatelliteNode(int number) const
{
    auto* root = RootNode(kSatelliteInformation);
    return root && number >= 1 && number <= root->childCount() ? root->child(number - 1) : nullptr;
}

QTreeWidgetItem* EditorWindow::CarrierNode(int satellite, int position) const
{
    auto* node = SatelliteNode(satellite);
    return node && position >= 1 && position <= node->childCount() ? node->child(position - 1) : nullptr;
}

QTreeWidgetItem* EditorWindow::NodeAt(const NodeAddress& address) const
{
    switch (address.kind) {
    case NodeKind::None: return nullptr;
    case NodeKind::Lnb: {
        auto* root = RootNode(kLnbInformation);
        const int n = static_cast<int>(address.number);
        return root && n >= 1 && n <= root->childCount() ? root->child(n - 1) : nullptr;
    }
    case NodeKind::Satellite: return SatelliteNode(static_cast<int>(address.satellite));
    case NodeKind::Carrier: return CarrierNode(static_cast<int>(address.satellite), static_cast<int>(address.number));
    default: return RootNode(address.kind);
    }
}

void EditorWindow::BuildTree()
{
    const auto& s = *snapshot_;
    tree_->clear();
    auto* allLnbs = MakeNode("All LNB(s)", kAllLnbs);
    auto* allSatellites = MakeNode("All Satellite(s)", kAllSatellites);
    auto* allCarriers = MakeNode("All Carrier(s)", kAllCarriers);
    auto* allServices = MakeNode("All Service(s)", kAllServices);
    auto* lnbInfo = MakeNode("LNB Information", kLnbInformation);
    auto* satInfo = MakeNode("Satellite Information", kSatelliteInformation);
    auto* userSettings = MakeNode("User Settings", kUserSettings);
    tree_->addTopLevelItems({allLnbs, allSatellites, allCarriers, allServices, lnbInfo, satInfo, userSettings});

    for (std::size_t n = 1; n <= s.lnbs.size(); ++n)
        lnbInfo->addChild(MakeNode(Q(NodeLabel(static_cast<std::uint32_t>(n), "LNB")), kLnbNode, static_cast<int>(n), static_cast<int>(n - 1)));
    for (std::size_t sat = 0; sat < s.satellites.size(); ++sat) {
        const auto& satellite = s.satellites[sat];
        auto* node = MakeNode(NameToQString(NodeLabel(static_cast<std::uint32_t>(sat + 1), satellite.name.Text())), kSatelliteNode,
                              static_cast<int>(sat + 1), static_cast<int>(sat));
        node->setIcon(0, NodeIcon(satellite.factoryDefault == 1));
        node->setData(0, kServiceCountRole, s.servicesOfSatellite[sat]);
        const auto carriers = s.CarriersOfSatellite(static_cast<std::uint32_t>(sat));
        for (std::size_t p = 0; p < carriers.size(); ++p) {
            const auto& carrier = s.carriers[carriers[p]];
            auto* child = MakeNode(NameToQString(NodeLabel(static_cast<std::uint32_t>(p + 1), carrier.name.Text())), kCarrierNode,
                                   static_cast<int>(p + 1), carriers[p]);
            child->setIcon(0, NodeIcon(carrier.factoryDefault == 1));
            child->setData(0, kServiceCountRole, carrier.serviceCount);
            node->addChild(child);
        }
        satInfo->addChild(node);
    }
    satInfo->setExpanded(true);
    lnbInfo->setExpanded(true);
    if (expanded_)
        for (int i = 0; i < satInfo->childCount(); ++i)
            satInfo->child(i)->setExpanded(true);
    ColourTree();
    RefreshCounters();
}

void EditorWindow::ColourTree()
{
    auto* satInfo = RootNode(kSatelliteInformation);
    if (!satInfo)
        return;
    for (int i = 0; i < satInfo->childCount(); ++i) {
        auto* node = satInfo->child(i);
        const bool active = node->data(0, kServiceCountRole).toUInt() > 0;
        node->setForeground(0, ColourFromBgr(active ? colours_.activeSatellite : colours_.inactiveSatellite));
        for (int k = 0; k < node->childCount(); ++k) {
            auto* child = node->child(k);
            const bool carrierActive = child->data(0, kServiceCountRole).toUInt() > 0;
            child->setForeground(0, ColourFromBgr(carrierActive ? colours_.activeCarrier : colours_.inactiveCarrier));
        }
    }
}

void EditorWindow::ExpandCollapse()
{
    expanded_ = !expanded_;
    auto* satInfo = RootNode(kSatelliteInformation);
    for (int i = 0; satInfo && i < satInfo->childCount(); ++i)
        satInfo->child(i)->setExpanded(expanded_);
}

}  // namespace velk::gui
