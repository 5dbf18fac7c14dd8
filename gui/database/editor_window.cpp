#include "database/editor_window.h"

#include "database/view_layout.h"

#include "common/format.h"
#include "database/record_dialog.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velk::gui {

EditorWindow::EditorWindow(WorkingStore& store, Ui& ui, const ColourTable& colours, QWidget* parent)
    : QWidget(parent), store_(store), ui_(ui), controller_(store, ui), colours_(colours), snapshot_(std::make_shared<StoreSnapshot>()),
      tree_(new EditorTree(this)), list_(new EditorList(this)), model_(new RecordListModel(colours, this)),
      header_(new QLabel(this)), stripGroup_(new QGroupBox(" Information ", this)), strip_(new QTableWidget(1, 7, stripGroup_)),
      findBar_(new FindBar([this] { return Hex(); }, this))
{
    setObjectName("VelkChild");
    BuildViews();
    ConnectViews();
    FitEditorLayout(this);
    Reload();
}

void EditorWindow::BuildViews()
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

    BuildStrip();
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(tree_, 1);
    const char* counterNames[] = {"satelliteCounter", "carrierCounter", "serviceCounter"};
    for (int i = 0; i < 3; ++i) {
        counters_[i] = new QLabel(left);
        counters_[i]->setObjectName(counterNames[i]);
        leftLayout->addWidget(counters_[i]);
    }

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(BuildHeaderRow());
    rightLayout->addWidget(list_, 1);
    rightLayout->addWidget(stripGroup_);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 800});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(findBar_);
    layout->addWidget(splitter, 1);
}

QLayout* EditorWindow::BuildHeaderRow()
{
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
    return headerRow;
}

void EditorWindow::BuildStrip()
{
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
}

void EditorWindow::ConnectViews()
{
    connect(tree_, &EditorTree::nodeDropped, this, &EditorWindow::DropNode);
    connect(findBar_, &FindBar::serviceChosen, this, &EditorWindow::ShowFound);
    connect(list_, &EditorList::rowsDropped, this, &EditorWindow::DropRows);
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

void EditorWindow::SyncModified()
{
    const bool modified = controller_.History().Modified() || changedBesideStore_;
    if (modified_ == modified)
        return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

void EditorWindow::Undo()
{
    if (controller_.Undo())
        Reload();
    SyncModified();
}

void EditorWindow::Redo()
{
    if (controller_.Redo())
        Reload();
    SyncModified();
}

void EditorWindow::RecordChange(const std::string& name, StepKind kind)
{
    if (controller_.RecordChange(name, kind))
        Reload();
    SyncModified();
}

void EditorWindow::MarkChangedBesideStore()
{
    changedBesideStore_ = true;
    SyncModified();
}

void EditorWindow::MarkSaved()
{
    controller_.MarkSaved();
    changedBesideStore_ = false;
    SyncModified();
}

void EditorWindow::ResetHistory()
{
    controller_.ResetHistory();
    changedBesideStore_ = false;
    SyncModified();
    emit contextChanged();
}

NodeKind EditorWindow::CurrentKind() const
{
    return KindOf(tree_->currentItem());
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
    const auto* current = tree_->currentItem();
    const auto address = AddressOf(current);
    const auto rows = SelectedRows();
    const int currentRow = list_->currentIndex().row();

    busy_ = true;
    BuildTree();
    auto* again = NodeAt(address);
    if (!again && address.kind == NodeKind::Carrier)
        again = SatelliteNode(static_cast<int>(address.satellite));
    tree_->setCurrentItem(again ? again : RootNode(kAllServices));
    busy_ = false;
    NodeChanged();
    if (!rows.empty())
        SelectRows(rows);
    if (currentRow >= 0 && currentRow < model_->rowCount())
        list_->selectionModel()->setCurrentIndex(model_->index(currentRow, 0), QItemSelectionModel::NoUpdate);
    findBar_->DatabaseChanged(snapshot_, store_.carrierCount, store_.serviceCount);
}

void EditorWindow::ShowFindBar()
{
    findBar_->Open();
}

void EditorWindow::ShowFound(std::uint32_t carrier, std::uint32_t service)
{
    const auto place = snapshot_->PlaceOfCarrier(carrier);
    auto* node = place ? CarrierNode(static_cast<int>(place->satellite), static_cast<int>(place->position)) : nullptr;
    if (!node)
        return;
    // The found service shows whatever its type.
    const bool viewChanges = filter_ != ServiceFilter::Both;
    filter_ = ServiceFilter::Both;
    filterButtons_[2]->setChecked(true);
    if (tree_->currentItem() != node)
        SelectNode(node);
    else if (viewChanges)
        RebuildList();
    for (int row = 0; row < model_->rowCount(); ++row)
        if (model_->RecordOfRow(row) == service) {
            SelectRows({row});
            list_->scrollTo(model_->index(row, 0));
            break;
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
    case kLnbNode: ShowStrip(LnbDetailStrip(*snapshot_, store_, record)); break;
    case kSatelliteNode: ShowStrip(SatelliteDetailStrip(*snapshot_, store_, record)); break;
    case kCarrierNode: ShowStrip(CarrierDetailStrip(*snapshot_, store_, record)); break;
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
    case ListKind::Lnbs: ShowStrip(LnbDetailStrip(*snapshot_, store_, record)); break;
    case ListKind::Satellites: ShowStrip(SatelliteDetailStrip(*snapshot_, store_, record)); break;
    case ListKind::Carriers: ShowStrip(CarrierDetailStrip(*snapshot_, store_, record)); break;
    case ListKind::Services: ShowStrip(ServiceDetailStrip(*snapshot_, record)); break;
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

}  // namespace velk::gui
