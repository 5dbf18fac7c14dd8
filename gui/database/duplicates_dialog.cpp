#include "database/duplicates_dialog.h"

#include "database/channel_texts.h"
#include "database/name_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velk::gui {

DuplicatesDialog::DuplicatesDialog(const ServiceCatalog& catalog, const DuplicateGroups& groups,
                                   const std::vector<MarkMenuEntry>& marks, QWidget* parent)
    : QDialog(parent), groups_(new QTreeWidget(this))
{
    setObjectName("duplicatesDialog");
    setWindowTitle("Find Duplicates");
    resize(720, 420);
    groups_->setObjectName("groups");
    groups_->setColumnCount(kChannelColumns);
    groups_->setHeaderLabels(ChannelHeaders());
    groups_->header()->setStretchLastSection(true);
    groups_->setColumnWidth(0, 170);
    groups_->setColumnWidth(1, 130);
    AddServiceGroups(catalog, groups);
    AddCarrierGroups(catalog, groups);
    groups_->expandAll();
    const auto rest = DuplicatesToDelete(groups).size();
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(QString("%1 groups of the same channel (%2 services beyond the first), %3 groups of the same transponder.")
                                   .arg(groups.services.size()).arg(rest).arg(groups.carriers.size()), this);
    summary->setObjectName("summary");
    layout->addWidget(summary);
    layout->addWidget(groups_, 1);
    layout->addLayout(BuildButtons(rest > 0, marks));
}

void DuplicatesDialog::AddServiceGroups(const ServiceCatalog& catalog, const DuplicateGroups& groups)
{
    for (const auto& group : groups.services) {
        auto* top = new QTreeWidgetItem(groups_, {QString("Same channel (%1)").arg(group.size())});
        top->setFirstColumnSpanned(true);
        for (std::size_t i = 0; i < group.size(); ++i) {
            QStringList texts;
            for (int c = 0; c < kChannelColumns; ++c)
                texts << ChannelText(catalog, catalog.channels[group[i]], c);
            auto* item = new QTreeWidgetItem(top, texts);
            item->setToolTip(0, i == 0 ? "Kept" : "Deleted or marked");
            if (i == 0) {
                QFont bold = item->font(0);
                bold.setBold(true);
                for (int c = 0; c < kChannelColumns; ++c)
                    item->setFont(c, bold);
            }
        }
    }
}

void DuplicatesDialog::AddCarrierGroups(const ServiceCatalog& catalog, const DuplicateGroups& groups)
{
    for (const auto& group : groups.carriers) {
        auto* top = new QTreeWidgetItem(groups_, {QString("Same transponder (%1)").arg(group.size())});
        top->setFirstColumnSpanned(true);
        for (const auto k : group) {
            const auto& carrier = catalog.image.carriers[k];
            const auto& satellite = catalog.image.satellites[carrier.satelliteIndex];
            new QTreeWidgetItem(top, {NameToQString(satellite.name.Text()), CarrierText(carrier),
                                      QString("%1 kSps").arg(carrier.symbolRateKs), NameToQString(carrier.name.Text())});
        }
    }
}

QLayout* DuplicatesDialog::BuildButtons(bool services, const std::vector<MarkMenuEntry>& marks)
{
    auto* keep = new QPushButton("&Keep first, delete the rest", this);
    keep->setObjectName("keepFirst");
    keep->setEnabled(services);
    connect(keep, &QPushButton::clicked, this, [this] {
        chosen_ = Choice::KeepFirst;
        accept();
    });
    auto* mark = new QPushButton("&Mark the rest As", this);
    mark->setObjectName("markRest");
    mark->setEnabled(services);
    auto* menu = new QMenu(mark);
    for (const auto& entry : marks) {
        if (entry.factoryDefault)
            continue;  // as in the list's menu, where only carriers offer it
        auto* target = entry.title.empty() ? menu : menu->addMenu(QString::fromStdString(entry.title));
        for (const auto& item : entry.items)
            target->addAction(QString::fromStdString(item.text), this, [this, choice = item.choice] {
                chosen_ = Choice::Mark;
                mark_ = choice;
                accept();
            });
    }
    mark->setMenu(menu);
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(keep);
    row->addWidget(mark);
    row->addStretch(1);
    row->addWidget(close);
    return row;
}

}  // namespace velk::gui
