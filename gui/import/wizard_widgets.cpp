#include "import/wizard_widgets.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace velk::gui {

QTableView* MakeListView(QAbstractItemModel* model, const char* name, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setShowGrid(false);
    view->setWordWrap(false);
    return view;
}

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent, const QString& tip)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

QLabel* AddCounter(QFormLayout* form, const QString& title, const char* name)
{
    auto* value = new QLabel;  // the form adopts it
    value->setObjectName(name);
    form->addRow(title, value);
    return value;
}

}  // namespace velk::gui
