#include "database/find_bar.h"

#include "common/charset.h"
#include "database/channel_texts.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace velk::gui {

// The results as rows of the catalogue; texts are made only for the rows shown.
class FindResultsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Show(const ServiceCatalog* catalog, std::vector<FindMatch> matches)
    {
        beginResetModel();
        catalog_ = catalog;
        matches_ = std::move(matches);
        endResetModel();
    }
    const CatalogEntry& Entry(int row) const { return catalog_->channels[matches_[static_cast<std::size_t>(row)].channel]; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : static_cast<int>(matches_.size()); }
    int columnCount(const QModelIndex& = {}) const override { return kChannelColumns; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        return ChannelHeaders().value(section);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return ChannelText(*catalog_, Entry(index.row()), index.column());
    }

private:
    const ServiceCatalog* catalog_ = nullptr;
    std::vector<FindMatch> matches_;
};

FindBar::FindBar(std::function<bool()> hex, QWidget* parent)
    : QWidget(parent), hex_(std::move(hex)), text_(new QLineEdit(this)), results_(new QTableView(this)),
      model_(new FindResultsModel(this))
{
    setObjectName("findBar");
    text_->setObjectName("findText");
    text_->setPlaceholderText("Name, program number, PID or frequency");
    text_->setClearButtonEnabled(true);
    text_->installEventFilter(this);
    results_->setObjectName("findResults");
    results_->setModel(model_);
    results_->setSelectionBehavior(QAbstractItemView::SelectRows);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->verticalHeader()->hide();
    results_->verticalHeader()->setDefaultSectionSize(results_->fontMetrics().height() + 4);
    results_->horizontalHeader()->setStretchLastSection(true);
    results_->setFixedHeight(140);
    auto* close = new QToolButton(this);
    close->setText("Close");
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Find:", this));
    row->addWidget(text_, 1);
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(row);
    layout->addWidget(results_);
    connect(text_, &QLineEdit::textChanged, this, &FindBar::Search);
    connect(results_, &QTableView::activated, this, [this](const QModelIndex& index) { Choose(index.row()); });
    hide();
}

FindBar::~FindBar() = default;

void FindBar::Open()
{
    show();
    text_->setFocus();
    text_->selectAll();
    if (!index_)
        StartBuild();
    Search();
}

void FindBar::DatabaseChanged(std::shared_ptr<const StoreSnapshot> snapshot, std::uint32_t carriers, std::uint32_t services)
{
    snapshot_ = std::move(snapshot);
    carriers_ = carriers;
    services_ = services;
    ++generation_;
    index_.reset();
    finder_ = nullptr;
    model_->Show(nullptr, {});
    if (isVisible())
        StartBuild();
}

// One build at a time: a change during a build starts the next when that one ends.
void FindBar::StartBuild()
{
    if (building_ || !snapshot_)
        return;
    building_ = true;
    if (builder_.joinable())
        builder_.join();  // ended already: it has sent its result
    builder_ = std::jthread([this, generation = generation_, snapshot = snapshot_, carriers = carriers_, services = services_] {
        auto catalog = MakeServiceCatalog(StoreImage(*snapshot), carriers, services);
        auto index = catalog ? std::make_shared<Index>(std::move(*catalog)) : nullptr;
        QMetaObject::invokeMethod(this, [this, generation, index] { Built(generation, index); }, Qt::QueuedConnection);
    });
}

void FindBar::Built(std::uint64_t generation, std::shared_ptr<Index> index)
{
    building_ = false;
    if (generation != generation_) {  // the database changed meanwhile
        if (isVisible())
            StartBuild();
        return;
    }
    if (!index)
        return;  // the store does not hang together: nothing to find in
    index_ = std::move(index);
    finder_ = &index_->finder;
    Search();
    emit ready();
}

void FindBar::Search()
{
    if (!finder_)
        return;  // shown once the catalogue is ready
    // The finder compares database bytes: the typed text crosses into Latin-1 first.
    NameConversion names;
    const auto text = names.ToDatabase(text_->text().toStdString());
    model_->Show(&index_->catalog, text.empty() ? std::vector<FindMatch>{} : finder_->Find(text, hex_()));
}

void FindBar::Step(bool back)
{
    const int count = model_->rowCount();
    if (count == 0)
        return;
    const int current = results_->currentIndex().row();
    const int next = current < 0 ? (back ? count - 1 : 0) : (current + (back ? count - 1 : 1)) % count;
    Choose(next);
}

void FindBar::Choose(int row)
{
    results_->setCurrentIndex(model_->index(row, 0));
    const auto& e = model_->Entry(row);
    emit serviceChosen(e.carrier, e.service);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if (watched == text_ && (press || event->type() == QEvent::ShortcutOverride)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ours = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape;
        if (ours && !press) {
            event->accept();  // the keys walk the results here, not Edit's Return
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Step(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace velk::gui
