#include "database/service_details_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QGroupBox* Group(QWidget* parent, const DetailGroup& group)
{
    auto* box = new QGroupBox(Q(group.caption), parent);
    auto* form = new QFormLayout(box);
    for (const auto& [label, value] : group.fields) {
        auto* field = new QLabel(Q(value), box);
        field->setObjectName(Q(label));
        form->addRow(Q(label), field);
    }
    return box;
}

}  // namespace

ServiceDetailsDialog::ServiceDetailsDialog(const ServiceDetails& details, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Q(details.title));
    auto* layout = new QVBoxLayout(this);
    for (const auto* group : {&details.satellite, &details.carrier, &details.service})
        layout->addWidget(Group(this, *group));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

}  // namespace velk::gui
