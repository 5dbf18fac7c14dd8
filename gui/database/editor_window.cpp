#include "database/editor_window.h"

#include "database/name_text.h"
#include "common/format.h"
#include "database/carrier_dialog.h"
#include "database/change_carrier_dialog.h"
#include "database/detail_strip.h"
#include "database/display_texts.h"
#include "database/add_records.h"
#include "database/delete_records.h"
#include "database/factory_default.h"
#include "database/lnb_dialog.h"
#include "database/marking.h"
#include "database/move_dialog.h"
#include "database/move_dialogs.h"
#include "database/move_records.h"
#include "database/move_services.h"
#include "database/satellite_dialog.h"
#include "database/service_details_dialog.h"
#include "database/service_dialog.h"
#include "database/view_layout.h"
#include "shell/command_table.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

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

QTreeWidgetItem* MakeNode(const QString& text, int kind, int number = 0, int record = 0)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    auto flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (kind == kSatelliteNode || kind == kCarrierNode)
        flags |= Qt::ItemIsDragEnabled;
    item->setFlags(flags);
    item->setData(0, kKindRole, kind);
    item->setData(0, kNumberRole, number);
    item->setData(0, kRecordRole, record);
    return item;
}

}  // namespace

EditorWindow::EditorWindow(WorkingStore& store, Ui& ui, const ColourTable& colours, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), colours_(colours), snapshot_(std::make_shared<StoreSnapshot>()),
      tree_(new EditorTree(this)), list_(new EditorList(this)), model_(new RecordListModel(colours, this)),
      header_(new QLabel(this)), stripGroup_(new QGroupBox(" Information ", this)), strip_(new QTableWidget(1, 7, stripGroup_))
{
    setObjectName("VelkChild");
    BuildLayout();
    FitEditorLayout(this);
    Reload();
}

void EditorWindow::BuildLayout()
{
    tree_->setObjectName("tree");
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(16, 13));
    tree_->setToolTip("Right click to get the options menu or \n Under correponding level press F2 to insert a new item");
    tree_->setDragDropMode(QAbstractItemView::InternalMove);
    tree_->setDefaultDropAction(Qt::MoveAction);
    tree_->installEventFilter(this);

    list_->setObjectName("list");
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setDefaultSectionSize(80);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->setToolTip("Right click to get the options menu or \n Drag & Drop a item to change that item's location");
    list_->installEventFilter(this);
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->setDragDropOverwriteMode(false);
    connect(tree_, &EditorTree::nodeDropped, this, &EditorWindow::DropNode);
    connect(list_, &EditorList::rowsDropped, this, &EditorWindow::DropRows);

    header_->setObjectName("header");
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    const char* filterTexts[] = {"&TV", "&Radio", "TV / R&adio"};
    const char* filterNames[] = {"filterTv", "filterRadio", "filterBoth"};
    auto* headerRow = new QHBoxLayout;
    headerRow->addWidget(header_, 1);
    for (int i = 0; i < 3; ++i) {
        filterButtons_[i] = new QPushButton(filterTexts[i], this);
        filterButtons_[i]->setObjectName(filterNames[i]);
        filterButtons_[i]->setCheckable(true);
        filterButtons_[i]->setAutoExclusive(true);
        headerRow->addWidget(filterButtons_[i]);
        connect(filterButtons_[i], &QPushButton::clicked, this, [this, i] { SetFilter(static_cast<ServiceFilter>(i + 1)); });
    }
    filterButtons_[2]->setChecked(true);
    headerRow->addSpacing(12);
    carrierLevel_ = new QPushButton("&Carrier", this);
    carrierLevel_->setObjectName("levelCarrier");
    serviceLevel_ = new QPushButton("Ser&vice", this);
    serviceLevel_->setObjectName("levelService");
    for (auto* b : {carrierLevel_, serviceLevel_}) {
        b->setCheckable(true);
        b->setAutoExclusive(true);
        headerRow->addWidget(b);
    }
    serviceLevel_->setChecked(true);
    connect(carrierLevel_, &QPushButton::clicked, this, [this] { SetServiceLevel(false); });
    connect(serviceLevel_, &QPushButton::clicked, this, [this] { SetServiceLevel(true); });

    strip_->setObjectName("detailStrip");
    strip_->verticalHeader()->hide();
    strip_->horizontalHeader()->setDefaultSectionSize(100);
    strip_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    strip_->setSelectionMode(QAbstractItemView::NoSelection);
    strip_->setStyleSheet("QTableWidget { background: #C0C0C0; }");
    strip_->setFixedHeight(strip_->horizontalHeader()->sizeHint().height() + strip_->verticalHeader()->defaultSectionSize() + 4);
    strip_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* stripLayout = new QVBoxLayout(stripGroup_);
    stripLayout->addWidget(strip_);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(tree_, 1);
    for (auto*& counter : counters_) {
        counter = new QLabel(left);
        leftLayout->addWidget(counter);
    }
    counters_[0]->setObjectName("satelliteCounter");
    counters_[1]->setObjectName("carrierCounter");
    counters_[2]->setObjectName("serviceCounter");

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(headerRow);
    rightLayout->addWidget(list_, 1);
    rightLayout->addWidget(stripGroup_);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 800});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(tree_), static_cast<QAbstractItemView*>(list_)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& pos) {
                    listHasFocus_ = view == list_;
                    emit popupRequested(view->viewport()->mapToGlobal(pos), listHasFocus_);
                });
    }
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { NodeChanged(); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { EditNode(item); });
    connect(list_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { EditRow(index.row()); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { RowChanged(); });
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { emit contextChanged(); });
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        listHasFocus_ = watched == list_;
    return QWidget::eventFilter(watched, event);
}

void EditorWindow::SetModified(bool modified)
{
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

int EditorWindow::CurrentKind() const
{
    return KindOf(tree_->currentItem());
}

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

void EditorWindow::SelectNode(QTreeWidgetItem* item)
{
    tree_->setCurrentItem(item);
}

void EditorWindow::FocusList()
{
    list_->setFocus();
    listHasFocus_ = true;
}

void EditorWindow::FocusTree()
{
    tree_->setFocus();
    listHasFocus_ = false;
}

std::vector<int> EditorWindow::SelectedRows() const
{
    std::vector<int> rows;
    for (const auto& index : list_->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void EditorWindow::SelectRows(const std::vector<int>& rows)
{
    QItemSelection selection;
    for (int row : rows)
        if (row >= 0 && row < model_->rowCount())
            selection.select(model_->index(row, 0), model_->index(row, model_->columnCount() - 1));
    list_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.empty() && rows.front() >= 0 && rows.front() < model_->rowCount())
        list_->selectionModel()->setCurrentIndex(model_->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
}

void EditorWindow::Reload()
{
    auto snapshot = StoreSnapshot::Read(store_);
    if (!snapshot)
        ShowError(ui_, kFileAccessError);
    snapshot_ = std::make_shared<const StoreSnapshot>(snapshot ? std::move(*snapshot) : StoreSnapshot{});

    // Remember where the user was, by kind and numbers, since the items are rebuilt.
    auto* current = tree_->currentItem();
    const int kind = KindOf(current);
    const int number = NumberOf(current);
    const int parentNumber = current && current->parent() ? NumberOf(current->parent()) : 0;
    const auto rows = SelectedRows();
    const int currentRow = list_->currentIndex().row();

    busy_ = true;
    BuildTree();
    QTreeWidgetItem* again = nullptr;
    if (kind == kSatelliteNode)
        again = SatelliteNode(number);
    else if (kind == kCarrierNode)
        again = CarrierNode(parentNumber, number);
    else if (kind == kLnbNode)
        again = RootNode(kLnbInformation)->child(number - 1);
    else if (kind != 0)
        again = RootNode(static_cast<NodeKind>(kind));
    if (!again && current)
        again = kind == kCarrierNode ? SatelliteNode(parentNumber) : nullptr;
    tree_->setCurrentItem(again ? again : RootNode(kAllServices));
    busy_ = false;
    NodeChanged();
    if (!rows.empty())
        SelectRows(rows);
    if (currentRow >= 0 && currentRow < model_->rowCount())
        list_->selectionModel()->setCurrentIndex(model_->index(currentRow, 0), QItemSelectionModel::NoUpdate);
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

void EditorWindow::RefreshCounters()
{
    counters_[0]->setText(Q(Format(" Total Satellites  \t%d", static_cast<int>(store_.satelliteCount))));
    counters_[1]->setText(Q(Format(" Total Carriers  \t%d", static_cast<int>(store_.carrierCount))));
    counters_[2]->setText(Q(Format(" Total Services  \t%d", static_cast<int>(store_.serviceCount))));
}

void EditorWindow::RebuildList()
{
    model_->SetStore(snapshot_, store_.productType, store_.placement);
    auto* item = tree_->currentItem();
    switch (KindOf(item)) {
    case kAllLnbs: model_->ShowLnbs(); break;
    case kAllSatellites: model_->ShowSatellites(); break;
    case kAllCarriers: model_->ShowCarriers(snapshot_->carrierOrder); break;
    case kSatelliteNode:
        if (!serviceLevel_on_) {
            model_->ShowCarriers(snapshot_->CarriersOfSatellite(static_cast<std::uint32_t>(RecordOf(item))));
            break;
        }
        [[fallthrough]];
    case kAllServices:
    case kCarrierNode: {
        // The core's view build also writes the view list that row operations read.
        const auto rows = BuildServiceView(store_, ui_, *CurrentServiceView());
        if (rows)
            model_->ShowServices(*rows);
        else
            model_->ShowNothing();
        break;
    }
    default: model_->ShowNothing(); break;
    }
    for (int c = 0; c < model_->columnCount(); ++c) {
        using C = RecordListModel::Column;
        const auto column = model_->ColumnAt(c);
        const bool wide = column == C::SatName || column == C::CarName || column == C::ServiceName || column == C::LnbPower;
        SizeColumn(list_, c, wide ? 120 : 80);
    }
    header_->setText(item ? item->text(0) : QString());
    UpdateButtons();
}

void EditorWindow::UpdateButtons()
{
    const bool services = model_->Kind() == ListKind::Services;
    for (auto* b : filterButtons_)
        b->setEnabled(services);
    const bool underSatellite = CurrentKind() == kSatelliteNode;
    carrierLevel_->setEnabled(underSatellite);
    serviceLevel_->setEnabled(underSatellite);
}

void EditorWindow::NodeChanged()
{
    if (busy_)
        return;
    RebuildList();
    auto* item = tree_->currentItem();
    const auto record = static_cast<std::uint32_t>(RecordOf(item));
    switch (KindOf(item)) {
    case kLnbNode: ShowStrip(LnbDetails(*snapshot_, record, store_.productType, store_.placement)); break;
    case kSatelliteNode: ShowStrip(SatelliteDetails(*snapshot_, record, store_.productType, store_.placement)); break;
    case kCarrierNode: ShowStrip(CarrierDetails(*snapshot_, record, store_.productType, store_.placement)); break;
    default: ShowStrip({}); break;
    }
    RefreshCounters();
    emit contextChanged();
}

void EditorWindow::RowChanged()
{
    if (busy_)
        return;
    const int row = list_->currentIndex().row();
    if (row < 0 || row >= model_->rowCount())
        return;
    const auto record = model_->RecordOfRow(row);
    switch (model_->Kind()) {
    case ListKind::Lnbs: ShowStrip(LnbDetails(*snapshot_, record, store_.productType, store_.placement)); break;
    case ListKind::Satellites: ShowStrip(SatelliteDetails(*snapshot_, record, store_.productType, store_.placement)); break;
    case ListKind::Carriers: ShowStrip(CarrierDetails(*snapshot_, record, store_.productType, store_.placement)); break;
    case ListKind::Services: ShowStrip(ServiceDetails(*snapshot_, record)); break;
    case ListKind::None: break;
    }
}

void EditorWindow::ShowStrip(const DetailStrip& strip)
{
    stripGroup_->setTitle(strip.caption.empty() ? " Information " : Q(strip.caption));
    strip_->clear();
    strip_->setColumnCount(std::max<int>(7, static_cast<int>(strip.headers.size())));
    QStringList headers;
    for (const auto& h : strip.headers)
        headers << Q(h);
    while (headers.size() < strip_->columnCount())
        headers << QString();
    strip_->setHorizontalHeaderLabels(headers);
    for (std::size_t c = 0; c < strip.values.size(); ++c)
        strip_->setItem(0, static_cast<int>(c), new QTableWidgetItem(Q(strip.values[c])));
}

std::optional<ServiceView> EditorWindow::CurrentServiceView() const
{
    auto* item = tree_->currentItem();
    switch (KindOf(item)) {
    case kAllServices: return ServiceView{ViewKind::AllServices, 0, 0, filter_};
    case kSatelliteNode:
        if (!serviceLevel_on_)
            return std::nullopt;
        return ServiceView{ViewKind::Satellite, static_cast<std::uint32_t>(NumberOf(item)), 0, filter_};
    case kCarrierNode:
        return ServiceView{ViewKind::Carrier, static_cast<std::uint32_t>(NumberOf(item->parent())), static_cast<std::uint32_t>(NumberOf(item)), filter_};
    default: return std::nullopt;
    }
}

void EditorWindow::SetFilter(ServiceFilter filter)
{
    filter_ = filter;
    filterButtons_[static_cast<int>(filter) - 1]->setChecked(true);
    RebuildList();
    if (model_->rowCount() > 0)
        SelectRows({0});
    emit contextChanged();
}

void EditorWindow::SetServiceLevel(bool services)
{
    serviceLevel_on_ = services;
    (services ? serviceLevel_ : carrierLevel_)->setChecked(true);
    RebuildList();
    emit contextChanged();
}

void EditorWindow::SetHex(bool hex)
{
    const auto current = list_->currentIndex();
    model_->SetHex(hex);
    if (current.isValid())
        list_->scrollTo(current);
    emit contextChanged();
}

std::vector<std::uint32_t> EditorWindow::SelectedRowNumbers() const
{
    std::vector<std::uint32_t> rows;
    for (int row : SelectedRows())
        rows.push_back(static_cast<std::uint32_t>(row + 1));
    return rows;
}

bool EditorWindow::ServiceListFocused() const
{
    return listHasFocus_ && model_->Kind() == ListKind::Services;
}

bool EditorWindow::CanRun(int command) const
{
    const int kind = CurrentKind();
    const bool services = model_->Kind() == ListKind::Services;
    const auto selected = SelectedRows().size();
    auto* item = tree_->currentItem();
    switch (command) {
    case cmd::Edit:
    case cmd::Add:
    case cmd::ExpandCollapse:
    case cmd::ViewDecimal:
    case cmd::ViewHex: return true;
    case cmd::Insert: return kind == kSatelliteNode || kind == kCarrierNode;
    case cmd::Delete: return kind == kLnbNode || kind == kSatelliteNode || kind == kCarrierNode || (services && selected > 0);
    case cmd::Move: return kind == kSatelliteNode || kind == kCarrierNode || (services && selected > 0);
    case cmd::MoveUp:
    case cmd::MoveDown: return services && selected == 1;
    case cmd::SwapInformation:
        return (kind == kSatelliteNode && store_.satelliteCount > 1) || (kind == kCarrierNode && item->parent()->childCount() >= 2)
            || (services && selected == 2);
    case cmd::FactoryDefault: return kind == kSatelliteNode || kind == kCarrierNode;
    case cmd::DetailedInformation: return services && selected > 0;
    case cmd::ChangeCarrier: return services && selected > 0;
    default: return false;
    }
}

bool EditorWindow::Command(int command)
{
    if (!CanRun(command))
        return false;
    switch (command) {
    case cmd::Edit: EditSelected(); break;
    case cmd::Add: Add(); break;
    case cmd::Insert: Insert(); break;
    case cmd::Delete: Delete(); break;
    case cmd::Move: Move(false); break;
    case cmd::SwapInformation: Move(true); break;
    case cmd::MoveUp: MoveUpDown(true); break;
    case cmd::MoveDown: MoveUpDown(false); break;
    case cmd::FactoryDefault: ToggleFactoryDefault(); break;
    case cmd::DetailedInformation: ShowDetailedInformation(); break;
    case cmd::ChangeCarrier: ChangeCarrier(); break;
    case cmd::ExpandCollapse: ExpandCollapse(); break;
    case cmd::ViewDecimal: SetHex(false); break;
    case cmd::ViewHex: SetHex(true); break;
    default: return false;
    }
    return true;
}

QTreeWidgetItem* EditorWindow::FindLnb(int n, int) const
{
    auto* root = RootNode(kLnbInformation);
    return root && n >= 1 && n <= root->childCount() ? root->child(n - 1) : nullptr;
}

int EditorWindow::SatelliteNumberOfNode(QTreeWidgetItem* item) const
{
    return KindOf(item) == kCarrierNode ? NumberOf(item->parent()) : NumberOf(item);
}

void EditorWindow::Changed(QTreeWidgetItem* (EditorWindow::*find)(int, int) const, int a, int b)
{
    SetModified(true);
    Reload();
    if (find)
        if (auto* item = (this->*find)(a, b))
            tree_->setCurrentItem(item);
}

void EditorWindow::Add()
{
    auto* item = tree_->currentItem();
    switch (KindOf(item)) {
    case kAllLnbs:
        ShowInfo(ui_, "Can not insert LNB through this category.\nPlease go to \"LNB Information\" to insert a LNB.");
        break;
    case kAllServices:
        ShowInfo(ui_, "Can not insert service through this category.\nPlease go to particular carrier to insert a service.");
        break;
    case kAllSatellites:
        ShowInfo(ui_, "Can not insert satellite through this category.\nPlease go to \"Satellite Information\" to insert a satellite.");
        break;
    case kAllCarriers:
        ShowInfo(ui_, "Can not insert carrier through this category.\nPlease go to particular satellite to insert a carrier.");
        break;
    case kLnbInformation:
        if (const auto n = AddLnbRecord(store_, ui_))
            Changed(&EditorWindow::FindLnb, static_cast<int>(*n));
        break;
    case kSatelliteInformation:
        if (const auto n = AppendSatelliteRecord(store_, ui_))
            Changed(&EditorWindow::FindSatellite, static_cast<int>(*n));
        break;
    case kSatelliteNode: {
        const int s = NumberOf(item);
        if (const auto added = AddCarrierRecord(store_, ui_, static_cast<std::uint32_t>(s)))
            Changed(&EditorWindow::FindCarrier, s, static_cast<int>(added->position));
        break;
    }
    case kCarrierNode: {
        const auto s = static_cast<std::uint32_t>(NumberOf(item->parent()));
        if (const auto added = AddServiceRecord(store_, ui_, s, static_cast<std::uint32_t>(NumberOf(item)), filter_)) {
            Changed();
            FocusList();
            for (int row = 0; row < model_->rowCount(); ++row)
                if (model_->RecordOfRow(row) + 1 == added->record)
                    SelectRows({row});
        }
        break;
    }
    default: break;
    }
}

void EditorWindow::Insert()
{
    auto* item = tree_->currentItem();
    if (listHasFocus_) {
        // In the list only a carrier's unfiltered services take an insert.
        if (KindOf(item) != kCarrierNode || filter_ != ServiceFilter::Both || model_->Kind() != ListKind::Services)
            return;
        const auto rows = SelectedRowNumbers();
        const auto s = static_cast<std::uint32_t>(NumberOf(item->parent()));
        if (const auto added = InsertServiceRecord(store_, ui_, s, static_cast<std::uint32_t>(NumberOf(item)), rows.empty() ? 0 : rows.front())) {
            const int row = rows.empty() ? 0 : static_cast<int>(rows.front()) - 1;
            Changed();
            FocusList();
            SelectRows({row});
        }
        return;
    }
    if (KindOf(item) == kSatelliteNode) {
        if (const auto n = InsertSatelliteRecord(store_, ui_, static_cast<std::uint32_t>(NumberOf(item))))
            Changed(&EditorWindow::FindSatellite, static_cast<int>(*n));
    } else if (KindOf(item) == kCarrierNode) {
        const int s = NumberOf(item->parent());
        if (const auto added = InsertCarrierRecord(store_, ui_, static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(NumberOf(item))))
            Changed(&EditorWindow::FindCarrier, s, static_cast<int>(added->position));
    }
}

void EditorWindow::Delete()
{
    auto* item = tree_->currentItem();
    if (ServiceListFocused()) {
        const auto rows = SelectedRowNumbers();
        const int first = rows.empty() ? 0 : static_cast<int>(rows.front()) - 1;
        if (DeleteServices(store_, ui_, *CurrentServiceView(), rows)) {
            Changed();
            FocusList();
            if (model_->rowCount() > 0)
                SelectRows({std::min(first, model_->rowCount() - 1)});
        }
        return;
    }
    switch (KindOf(item)) {
    case kLnbNode:
        if (DeleteLnbRecord(store_, ui_, static_cast<std::uint32_t>(NumberOf(item)))) {
            tree_->setCurrentItem(RootNode(kLnbInformation));
            Changed();
        }
        break;
    case kSatelliteNode:
        if (DeleteSatellite(store_, ui_, static_cast<std::uint32_t>(NumberOf(item)))) {
            tree_->setCurrentItem(RootNode(kSatelliteInformation));
            Changed();
        }
        break;
    case kCarrierNode: {
        const int s = NumberOf(item->parent());
        if (DeleteCarrier(store_, ui_, static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(NumberOf(item)))) {
            tree_->setCurrentItem(item->parent());
            Changed();
        }
        break;
    }
    default: break;
    }
}

void EditorWindow::Move(bool swap)
{
    auto* item = tree_->currentItem();
    if (ServiceListFocused()) {
        const auto rows = SelectedRowNumbers();
        const auto view = *CurrentServiceView();
        if (swap) {
            if (SwapServices(store_, ui_, view, rows)) {
                Changed();
                FocusList();
                SelectRows({static_cast<int>(rows.front()) - 1, static_cast<int>(rows.back()) - 1});
            }
            return;
        }
        if (!CheckConsecutiveRows(ui_, rows))
            return;
        const auto count = static_cast<std::uint32_t>(model_->rowCount());
        MoveDialog dialog("Move Service Information", "Enter the index to move the selected service(s)", "Click to move service record.",
                          [&](std::string_view typed) { return CheckServiceMoveTarget(ui_, typed, rows.front(), count); }, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const auto t = dialog.Target();
        if (MoveServiceBlock(store_, ui_, view, rows.front() - 1, static_cast<std::uint32_t>(rows.size()), t - 1)) {
            Changed();
            FocusList();
            SelectRows({static_cast<int>(t) - 1});
            list_->scrollTo(model_->index(static_cast<int>(t) - 1, 0));
        }
        return;
    }
    const int kind = KindOf(item);
    if (kind != kSatelliteNode && kind != kCarrierNode)
        return;
    const bool satellite = kind == kSatelliteNode;
    const auto source = static_cast<std::uint32_t>(NumberOf(item));
    const auto bound = satellite ? store_.satelliteCount : static_cast<std::uint32_t>(item->parent()->childCount());
    const auto texts = MoveDialogTexts(satellite ? MoveLevel::Satellite : MoveLevel::Carrier, swap, source);
    MoveDialog dialog(Q(texts.title), Q(texts.label), Q(texts.tooltip),
                      [&](std::string_view typed) { return CheckMoveTarget(ui_, typed, source, bound); }, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto target = dialog.Target();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool done = false;
    const int s = satellite ? 0 : NumberOf(item->parent());
    if (satellite)
        done = swap ? SwapSatellites(store_, ui_, source, target) : MoveSatellite(store_, ui_, source, target);
    else
        done = swap ? SwapCarriers(store_, ui_, static_cast<std::uint32_t>(s), source, target)
                    : MoveCarrier(store_, ui_, static_cast<std::uint32_t>(s), source, target);
    QApplication::restoreOverrideCursor();
    if (!done)
        return;
    if (satellite)
        Changed(&EditorWindow::FindSatellite, static_cast<int>(target));
    else
        Changed(&EditorWindow::FindCarrier, s, static_cast<int>(target));
}

void EditorWindow::DropNode(QTreeWidgetItem* dragged, QTreeWidgetItem* target)
{
    const int kind = KindOf(dragged);
    if (kind == kSatelliteNode) {
        if (KindOf(target) != kSatelliteNode) {
            ShowInfo(ui_, "Satellite move within the \"Satellite Information\".");
            return;
        }
        const int to = NumberOf(target);
        if (MoveSatellite(store_, ui_, static_cast<std::uint32_t>(NumberOf(dragged)), static_cast<std::uint32_t>(to)))
            Changed(&EditorWindow::FindSatellite, to);
    } else if (kind == kCarrierNode) {
        if (KindOf(target) != kCarrierNode || target->parent() != dragged->parent()) {
            ShowInfo(ui_, "Carrier move within the satellite.");
            return;
        }
        const int s = NumberOf(dragged->parent());
        const int to = NumberOf(target);
        if (MoveCarrier(store_, ui_, static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(NumberOf(dragged)), static_cast<std::uint32_t>(to)))
            Changed(&EditorWindow::FindCarrier, s, to);
    }
}

void EditorWindow::DropRows(int target)
{
    const int kind = CurrentKind();
    const bool allowed = model_->Kind() == ListKind::Services && model_->rowCount() >= 2
        && (kind == kSatelliteNode || kind == kCarrierNode || kind == kAllServices);
    const auto rows = SelectedRowNumbers();
    if (!allowed || rows.empty() || target < 0 || target >= model_->rowCount() || !CheckConsecutiveRows(ui_, rows))
        return;
    if (MoveServiceBlock(store_, ui_, *CurrentServiceView(), rows.front() - 1, static_cast<std::uint32_t>(rows.size()),
                         static_cast<std::uint32_t>(target))) {
        Changed();
        FocusList();
        SelectRows({target});
        list_->scrollTo(model_->index(target, 0));
    }
}

void EditorWindow::MoveUpDown(bool up)
{
    if (model_->Kind() != ListKind::Services)
        return;
    const auto rows = SelectedRowNumbers();
    if (const auto row = MoveServiceUpDown(store_, ui_, *CurrentServiceView(), rows, up)) {
        Changed();
        FocusList();
        SelectRows({static_cast<int>(*row) - 1});
    }
}

void EditorWindow::ToggleFactoryDefault()
{
    auto* item = tree_->currentItem();
    std::optional<MarkResult> result;
    if (KindOf(item) == kSatelliteNode)
        result = ToggleSatelliteFactoryDefault(store_, ui_, static_cast<std::uint32_t>(NumberOf(item)));
    else if (KindOf(item) == kCarrierNode)
        result = ToggleCarrierFactoryDefault(store_, ui_, static_cast<std::uint32_t>(NumberOf(item->parent())),
                                             static_cast<std::uint32_t>(NumberOf(item)));
    if (result)
        Changed();
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
    const auto number = static_cast<std::uint32_t>(NumberOf(item));
    bool accepted = false;
    switch (KindOf(item)) {
    case kLnbNode: {
        LnbDialog dialog(store_, ui_, number, this);
        accepted = dialog.Load() && dialog.exec() == QDialog::Accepted;
        break;
    }
    case kSatelliteNode: {
        SatelliteDialog dialog(store_, ui_, number, this);
        accepted = dialog.Load() && dialog.exec() == QDialog::Accepted;
        if (accepted && dialog.Before().factoryDefault == 1 && dialog.After().factoryDefault != 1) {
            const std::uint32_t rows[] = {number};
            MarkSatellites(store_, ui_, rows, SatelliteField::FactoryDefault, 0);  // clears it below too
        }
        break;
    }
    case kCarrierNode: {
        CarrierDialog dialog(store_, ui_, static_cast<std::uint32_t>(RecordOf(item)) + 1, this);
        accepted = dialog.Load() && dialog.exec() == QDialog::Accepted;
        if (accepted && dialog.Before().factoryDefault == 1 && dialog.After().factoryDefault != 1) {
            const std::uint32_t rows[] = {number};
            MarkCarriers(store_, ui_, static_cast<std::uint32_t>(NumberOf(item->parent())), rows, CarrierField::FactoryDefault, 0);
        }
        break;
    }
    case kUserSettings: emit userSettingsRequested(); break;
    default: break;
    }
    FocusTree();
    if (accepted)
        AfterEdit();
}

void EditorWindow::EditRow(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    const auto record = model_->RecordOfRow(row) + 1;
    bool accepted = false;
    switch (model_->Kind()) {
    case ListKind::Lnbs: {
        LnbDialog dialog(store_, ui_, record, this);
        accepted = dialog.Load() && dialog.exec() == QDialog::Accepted;
        break;
    }
    case ListKind::Satellites: {
        SatelliteDialog dialog(store_, ui_, record, this);
        accepted = dialog.Load() && dialog.exec() == QDialog::Accepted;
        break;
    }
    case ListKind::Carriers: {
        CarrierDialog dialog(store_, ui_, record, this);
        accepted = dialog.Load() && dialog.exec() == QDialog::Accepted;
        break;
    }
    case ListKind::Services: {
        ServiceDialog dialog(store_, ui_, record, OtherProgramNumbers(record - 1), model_->Hex(), this);
        accepted = dialog.Load() && dialog.exec() == QDialog::Accepted;
        if (accepted && dialog.After().factoryDefault == 1 && dialog.Before().factoryDefault != 1) {
            // Its carrier and satellite become factory default too.
            const std::uint32_t rows[] = {static_cast<std::uint32_t>(row + 1)};
            MarkServices(store_, ui_, *CurrentServiceView(), rows, ServiceMark::FactoryDefault);
        }
        break;
    }
    case ListKind::None: break;
    }
    FocusList();
    if (accepted)
        AfterEdit();
}

void EditorWindow::AfterEdit()
{
    Changed();
}

std::vector<std::uint16_t> EditorWindow::OtherProgramNumbers(std::uint32_t serviceRecord) const
{
    std::vector<std::uint16_t> numbers;
    const auto& s = *snapshot_;
    if (serviceRecord >= s.services.size())
        return numbers;
    const auto carrier = s.carrierOfService[serviceRecord];
    for (std::size_t r = 0; r < s.services.size(); ++r)
        if (r != serviceRecord && s.carrierOfService[r] == carrier)
            numbers.push_back(s.services[r].programNumber);
    return numbers;
}

void EditorWindow::ExpandCollapse()
{
    expanded_ = !expanded_;
    auto* satInfo = RootNode(kSatelliteInformation);
    for (int i = 0; satInfo && i < satInfo->childCount(); ++i)
        satInfo->child(i)->setExpanded(expanded_);
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
    ChangeCarrierDialog dialog(store_, ui_, *snapshot_, *view, rows, *source, this);
    if (dialog.exec() == QDialog::Accepted)
        Changed();
}

void EditorWindow::ShowDetailedInformation()
{
    const auto rows = SelectedRows();
    if (model_->Kind() != ListKind::Services || rows.size() != 1) {
        ShowWarning(ui_, "Select any one service record");
        return;
    }
    ServiceDetailsDialog dialog(*snapshot_, model_->RecordOfRow(rows.front()), model_->Hex(), this);
    dialog.exec();
}

}  // namespace velk::gui

namespace velk::gui {
namespace {

// Adds one item per text of `items` to a sub-menu of `parent`; `act` gets the item's value.
void AddValueMenu(QMenu* parent, const QString& title, const TextList& items, const std::function<void(std::uint8_t)>& act)
{
    auto* sub = parent->addMenu(title);
    for (std::size_t v = 0; v < items.size(); ++v)
        sub->addAction(Q(items[v]), [act, v] { act(static_cast<std::uint8_t>(v)); });
}

}  // namespace

void EditorWindow::Marked(const std::optional<MarkResult>& result)
{
    if (!result)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Changed();
    QApplication::restoreOverrideCursor();
}

void EditorWindow::ApplySelection(const std::optional<std::vector<bool>>& selection)
{
    if (!selection)
        return;
    std::vector<int> rows;
    for (std::size_t i = 0; i < selection->size(); ++i)
        if ((*selection)[i])
            rows.push_back(static_cast<int>(i));
    busy_ = true;  // one selection change, not one per row
    SelectRows(rows);
    busy_ = false;
    emit contextChanged();
}

std::uint32_t EditorWindow::CarrierListSatellite() const
{
    return CurrentKind() == kSatelliteNode ? static_cast<std::uint32_t>(NumberOf(tree_->currentItem())) : 0;
}

void EditorWindow::AddMarkMenus(QMenu* menu)
{
    const auto kind = model_->Kind();
    if (kind == ListKind::None)
        return;
    auto* mark = menu->addMenu("Mark As");
    auto* select = menu->addMenu(kind == ListKind::Services || kind == ListKind::Carriers ? "Selection" : "Select");
    select->addAction("A&ll", [this] { ApplySelection(SelectAllRows(static_cast<std::size_t>(model_->rowCount()))); });
    select->addAction("&Invert Selection", [this] {
        std::vector<bool> current(static_cast<std::size_t>(model_->rowCount()), false);
        for (int row : SelectedRows())
            current[static_cast<std::size_t>(row)] = true;
        ApplySelection(InvertSelection(current));
    });
    select->addSeparator();
    mark->setEnabled(!SelectedRows().empty());
    switch (kind) {
    case ListKind::Lnbs: AddLnbMarks(mark, select); break;
    case ListKind::Satellites: AddSatelliteMarks(mark, select); break;
    case ListKind::Carriers: AddCarrierMarks(mark, select); break;
    case ListKind::Services: AddServiceMarks(mark, select); break;
    case ListKind::None: break;
    }
}

void EditorWindow::AddLnbMarks(QMenu* mark, QMenu* select)
{
    const std::pair<const char*, LnbField> fields[] = {{"Power Control", LnbField::Power}, {"LNB Type", LnbField::Type},
        {"DiSEqC 1.0", LnbField::Diseqc10}, {"DiSEqC 1.1", LnbField::Diseqc11}, {"Tone Burst", LnbField::ToneBurst},
        {"Repeat Mode", LnbField::Repeat}, {"22 Khz", LnbField::Khz22}};
    for (const auto& [title, field] : fields) {
        const TextList& items = field == LnbField::Power ? PowerNames() : field == LnbField::Type ? LnbTypeNames(store_.productType)
            : field == LnbField::Diseqc10 ? Diseqc10Names(store_.productType) : field == LnbField::Diseqc11 ? Diseqc11Names()
            : field == LnbField::ToneBurst ? ToneBurstNames() : field == LnbField::Repeat ? RepeatNames() : Khz22Names();
        const auto f = field;
        AddValueMenu(mark, title, items, [this, f](std::uint8_t v) { Marked(MarkLnbs(store_, ui_, SelectedRowNumbers(), f, v)); });
        AddValueMenu(select, title, items, [this, f](std::uint8_t v) { ApplySelection(SelectLnbs(store_, ui_, f, v)); });
    }
}

void EditorWindow::AddSatelliteMarks(QMenu* mark, QMenu* select)
{
    const auto lnbs = LnbIndexNames(store_.lnbCount);
    AddValueMenu(mark, "LNB Index", lnbs, [this](std::uint8_t v) {
        Marked(MarkSatellites(store_, ui_, SelectedRowNumbers(), SatelliteField::LnbIndex, v));
    });
    AddValueMenu(select, "LNB Index", lnbs, [this](std::uint8_t v) { ApplySelection(SelectSatellites(store_, ui_, SatelliteField::LnbIndex, v)); });
    const TextList eastWest{"&East", "&West"};
    const TextList factory{"&No Factory Default", "&Factory Default"};
    for (std::uint8_t v = 0; v < 2; ++v) {
        mark->addAction(Q(eastWest[v]), [this, v] { Marked(MarkSatellites(store_, ui_, SelectedRowNumbers(), SatelliteField::EastWest, v)); });
        select->addAction(Q(eastWest[v]), [this, v] { ApplySelection(SelectSatellites(store_, ui_, SatelliteField::EastWest, v)); });
    }
    for (std::uint8_t v : {1, 0}) {
        mark->addAction(Q(factory[v]), [this, v] { Marked(MarkSatellites(store_, ui_, SelectedRowNumbers(), SatelliteField::FactoryDefault, v)); });
        select->addAction(Q(factory[v]), [this, v] { ApplySelection(SelectSatellites(store_, ui_, SatelliteField::FactoryDefault, v)); });
    }
}

void EditorWindow::AddCarrierMarks(QMenu* mark, QMenu* select)
{
    const auto s = CarrierListSatellite();
    AddValueMenu(mark, "Polarization", PolarizationNames(), [this, s](std::uint8_t v) {
        Marked(MarkCarriers(store_, ui_, s, SelectedRowNumbers(), CarrierField::Polarization, v));
    });
    AddValueMenu(mark, "FEC", FecNames(), [this, s](std::uint8_t v) { Marked(MarkCarriers(store_, ui_, s, SelectedRowNumbers(), CarrierField::Fec, v)); });
    const bool factoryAllowed = CanMarkCarrierFactoryDefault(store_, s, SelectedRowNumbers());
    mark->addAction("&Factory Default", [this, s] { Marked(MarkCarriers(store_, ui_, s, SelectedRowNumbers(), CarrierField::FactoryDefault, 1)); })
        ->setEnabled(factoryAllowed);
    mark->addAction("&No Factory Default", [this, s] { Marked(MarkCarriers(store_, ui_, s, SelectedRowNumbers(), CarrierField::FactoryDefault, 0)); })
        ->setEnabled(factoryAllowed);
    AddValueMenu(select, "Polarization", PolarizationNames(), [this, s](std::uint8_t v) {
        ApplySelection(SelectCarriers(store_, ui_, s, CarrierField::Polarization, v));
    });
    AddValueMenu(select, "FEC", FecNames(), [this, s](std::uint8_t v) { ApplySelection(SelectCarriers(store_, ui_, s, CarrierField::Fec, v)); });
    select->addAction("&Factory Default", [this, s] { ApplySelection(SelectCarriers(store_, ui_, s, CarrierField::FactoryDefault, 1)); });
    select->addAction("&No Factory Default", [this, s] { ApplySelection(SelectCarriers(store_, ui_, s, CarrierField::FactoryDefault, 0)); });
}

void EditorWindow::AddServiceMarks(QMenu* mark, QMenu* select)
{
    const std::pair<const char*, ServiceMark> marks[] = {{"&Scrambled", ServiceMark::Scrambled}, {"&FTA", ServiceMark::Fta},
        {"&TV", ServiceMark::Tv}, {"&Radio", ServiceMark::Radio}, {"Factory &Default", ServiceMark::FactoryDefault},
        {"No Factory Default", ServiceMark::NoFactoryDefault}};
    for (const auto& [text, m] : marks) {
        const auto which = m;
        mark->addAction(text, [this, which] { Marked(MarkServices(store_, ui_, *CurrentServiceView(), SelectedRowNumbers(), which)); });
    }
    const std::pair<const char*, ServiceTest> tests[] = {{"&Scrambled", ServiceTest::Scrambled}, {"&FTA", ServiceTest::Fta},
        {"&TV", ServiceTest::Tv}, {"&Radio", ServiceTest::Radio}, {"Factory Default", ServiceTest::FactoryDefault},
        {"No Factory Default", ServiceTest::NoFactoryDefault}};
    for (const auto& [text, t] : tests) {
        const auto which = t;
        select->addAction(text, [this, which] { ApplySelection(SelectServices(store_, ui_, *CurrentServiceView(), which)); });
    }
    auto* groups = select->addMenu("Favorite Group");
    for (std::uint8_t g = 1; g <= 4; ++g)
        groups->addAction(QString("Group %1").arg(g), [this, g] { ApplySelection(SelectServices(store_, ui_, *CurrentServiceView(), ServiceTest::Group, g)); });
    groups->addAction("N&o Group", [this] { ApplySelection(SelectServices(store_, ui_, *CurrentServiceView(), ServiceTest::NoGroup)); });
}

}  // namespace velk::gui
