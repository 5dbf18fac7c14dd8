#include "import/filter_step_page.h"

#include "import/staging_list_model.h"
#include "import/wizard_widgets.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace velk::gui {

FilterStepPage::FilterStepPage(ImportWizard& wizard, const FilterStepTexts& texts, std::vector<StagingColumn> childColumns,
                               QWidget* parent)
    : QWizardPage(parent), wizard_(wizard), texts_(texts)
{
    parentModel_ = new StagingListModel({{texts.parentHeader, [this](std::uint32_t i) {
                                              return i == kAllEntry ? texts_.allEntry : ParentName(i);
                                          }}},
                                        this);
    childModel_ = new StagingListModel(std::move(childColumns), this);
    childModel_->SetCheckable([this](std::uint32_t i) { return ChildSelected(i); },
                              [this](std::uint32_t i, bool on) { SetChildSelected(i, on); });
    connect(childModel_, &StagingListModel::checkToggled, this, &FilterStepPage::UpdateCounts);
    parents_ = MakeListView(parentModel_, "parentList", this);
    parents_->setSelectionMode(QAbstractItemView::SingleSelection);
    children_ = MakeListView(childModel_, "childList", this);
    connect(parents_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FilterStepPage::ParentChosen);

    auto* filterGroup = new QGroupBox(this);
    auto* filterLayout = new QGridLayout(filterGroup);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = new QCheckBox(texts.boxes[i].text, filterGroup);
        boxes_[i]->setObjectName(QString("filterBox%1").arg(i));
        filterLayout->addWidget(boxes_[i], static_cast<int>(i % 2), static_cast<int>(i / 2));
        connect(boxes_[i], &QCheckBox::clicked, this, &FilterStepPage::BoxChanged);
    }
    selectAll_ = new QCheckBox("Select All", filterGroup);
    selectAll_->setObjectName("selectAll");
    filterLayout->addWidget(selectAll_, 0, 2);
    connect(selectAll_, &QCheckBox::clicked, this, &FilterStepPage::BoxChanged);

    headline_ = new QLabel(this);
    headline_->setObjectName("headline");
    parentLine_ = new QLabel(this);
    parentLine_->setObjectName("parentLine");
    auto* counters = new QFormLayout;
    shownTotal_ = AddCounter(counters, texts.shownTotalTitle, "shownTotal");
    selectedTotal_ = AddCounter(counters, texts.selectedTotalTitle, "selectedTotal");

    auto* right = new QVBoxLayout;
    right->addWidget(headline_);
    right->addWidget(parentLine_);
    right->addWidget(children_);
    right->addWidget(filterGroup);
    right->addLayout(counters);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(parents_, 1);
    layout->addLayout(right, 3);
}

void FilterStepPage::initializePage()
{
    auto rows = Parents();
    rows.insert(rows.begin(), kAllEntry);
    parentModel_->SetRows(std::move(rows));
    {
        const QSignalBlocker quiet(parents_->selectionModel());
        parents_->setCurrentIndex(parentModel_->index(0, 0));
    }
    ShowParent(std::nullopt);
}

void FilterStepPage::ParentChosen()
{
    const auto index = parents_->currentIndex();
    if (!index.isValid())
        return;
    const auto parent = parentModel_->IndexAt(index.row());
    ShowParent(parent == kAllEntry ? std::nullopt : std::optional(parent));
}

void FilterStepPage::ShowParent(std::optional<std::uint32_t> parent)
{
    shown_ = parent;
    childModel_->SetRows(Children(parent));
    ShowBoxes(Filter(parent));
    UpdateCounts();
}

void FilterStepPage::ShowBoxes(const FilterRecord& filter)
{
    const bool all = filter.selectAll == 1;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const auto& box = texts_.boxes[i];
        boxes_[i]->setChecked(!all && (filter.*box.byte & box.bit) != 0);
        boxes_[i]->setEnabled(!all);
    }
    selectAll_->setChecked(all);
}

void FilterStepPage::BoxChanged()
{
    FilterRecord filter;
    filter.selectAll = selectAll_->isChecked() ? 1 : 0;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        if (boxes_[i]->isChecked())
            filter.*texts_.boxes[i].byte |= texts_.boxes[i].bit;
    SetFilter(shown_, filter);
    ShowBoxes(Filter(shown_));
    childModel_->Refresh();
    UpdateCounts();
}

void FilterStepPage::UpdateCounts()
{
    const auto& rows = childModel_->Rows();
    const auto shownSelected = static_cast<std::size_t>(std::count_if(rows.begin(), rows.end(), [this](auto i) { return ChildSelected(i); }));
    const auto counts = Counts(shown_, shownSelected);
    headline_->setText(counts.headline);
    parentLine_->setText(counts.parentLine);
    parentLine_->setVisible(!counts.parentLine.isEmpty());
    shownTotal_->setText(QString::number(rows.size()));
    selectedTotal_->setText(QString::number(counts.selectedTotal));
}

}  // namespace velk::gui
