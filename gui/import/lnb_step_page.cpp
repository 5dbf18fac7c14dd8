#include "import/lnb_step_page.h"

#include "import/lnb_details_dialog.h"
#include "import/staging_list_model.h"
#include "import/wizard_widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace velk::gui {

LnbStepPage::LnbStepPage(ImportWizard& wizard, QWidget* parent) : QWizardPage(parent), wizard_(wizard)
{
    const auto row = [this](std::uint32_t i) -> const ImportLnb& { return rows_.at(i); };
    model_ = new StagingListModel({{"LNB Index", [](std::uint32_t i) { return QString::number(i + 1); }},
                                   {"Low Frequency", [row](std::uint32_t i) { return QString::number(row(i).lowMhz); }},
                                   {"High Frequency", [row](std::uint32_t i) { return QString::number(row(i).highMhz); }}},
                                  this);
    list_ = MakeListView(model_, "lnbList", this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* group = new QGroupBox("LNB records", this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(list_);

    auto* add = MakeButton("&Add", "add", this);
    edit_ = MakeButton("&Edit", "edit", this);
    delete_ = MakeButton("&Delete", "delete", this);
    auto* count = MakeButton("&Change no. of LNB record", "changeCount", this);
    connect(add, &QPushButton::clicked, this, &LnbStepPage::AddLnb);
    connect(edit_, &QPushButton::clicked, this, &LnbStepPage::EditLnb);
    connect(delete_, &QPushButton::clicked, this, &LnbStepPage::DeleteLnb);
    connect(count, &QPushButton::clicked, this, &LnbStepPage::ChangeLnbCount);
    connect(list_, &QTableView::doubleClicked, this, &LnbStepPage::EditLnb);

    auto* buttons = new QHBoxLayout;
    for (auto* button : {add, edit_, delete_, count})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void LnbStepPage::initializePage() { Refresh(); }

void LnbStepPage::Refresh()
{
    rows_ = wizard_.LnbRows();
    model_->SetRowCount(static_cast<std::uint32_t>(rows_.size()));
    const bool any = wizard_.LnbCount() != 0;
    edit_->setEnabled(any);
    delete_->setEnabled(any);
}

std::optional<std::size_t> LnbStepPage::SelectedRow() const
{
    const auto index = list_->currentIndex();
    if (!index.isValid() || !list_->selectionModel()->isSelected(index))
        return std::nullopt;
    return static_cast<std::size_t>(index.row());
}

void LnbStepPage::AddLnb()
{
    LnbDetailsDialog dialog(5150, 5150, [this](std::uint32_t low, std::uint32_t high) { return wizard_.AddLnb(low, high); }, this);
    if (dialog.exec() == QDialog::Accepted)
        Refresh();
}

void LnbStepPage::EditLnb()
{
    const auto row = SelectedRow();
    if (!row)
        return;
    const auto& lnb = rows_.at(*row);
    LnbDetailsDialog dialog(lnb.lowMhz, lnb.highMhz,
                            [this, row](std::uint32_t low, std::uint32_t high) { return wizard_.EditLnb(*row, low, high); }, this);
    if (dialog.exec() == QDialog::Accepted)
        Refresh();
}

void LnbStepPage::DeleteLnb()
{
    if (wizard_.DeleteLnb(SelectedRow()))
        Refresh();
}

void LnbStepPage::ChangeLnbCount()
{
    LnbCountDialog dialog(wizard_.LnbCount(), [this](std::uint32_t count) { return wizard_.SetLnbCount(count); }, this);
    dialog.exec();
    Refresh();
}

}  // namespace velk::gui
