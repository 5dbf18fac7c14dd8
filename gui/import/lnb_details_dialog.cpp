#include "import/lnb_details_dialog.h"

#include "import/import_wizard.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

QLineEdit* DigitsField(QWidget* parent, const char* name, int width, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setMaxLength(width);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QString("\\d{0,%1}").arg(width)), edit));
    return edit;
}

// The fields (made first: they come first in the tab order, the first holds
// the focus) and the OK / Cancel row every "LNB Record Details" dialog has.
void DetailsLayout(QDialog* dialog, std::initializer_list<std::pair<const char*, QLineEdit*>> fields)
{
    dialog->setWindowTitle("LNB Record Details");
    auto* form = new QFormLayout;
    for (const auto& [label, field] : fields)
        form->addRow(label, field);
    fields.begin()->second->setFocus(Qt::OtherFocusReason);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::uint32_t Value(const QLineEdit* edit) { return edit->text().toUInt(); }

bool InWizardRange(std::uint32_t mhz) { return mhz >= kWizardLowestMhz && mhz <= kWizardHighestMhz; }

}  // namespace

LnbDetailsDialog::LnbDetailsDialog(std::uint32_t lowMhz, std::uint32_t highMhz, Apply apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply))
{
    low_ = DigitsField(this, "low", 5, QString::number(lowMhz));
    high_ = DigitsField(this, "high", 5, QString::number(highMhz));
    DetailsLayout(this, {{"Low frequency", low_}, {"High frequency", high_}});
}

void LnbDetailsDialog::accept()
{
    if (apply_(Value(low_), Value(high_))) {
        QDialog::accept();
        return;
    }
    // The warning was shown; the focus goes back to the value it refused.
    auto* refused = InWizardRange(Value(low_)) ? high_ : low_;
    refused->setFocus(Qt::OtherFocusReason);
    refused->selectAll();
}

LnbCountDialog::LnbCountDialog(std::uint32_t count, Apply apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply))
{
    count_ = DigitsField(this, "count", 3, count == 0 ? QString() : QString::number(count));
    DetailsLayout(this, {{"No. of LNB records", count_}});
}

void LnbCountDialog::accept()
{
    if (apply_(Value(count_)))
        QDialog::accept();
    else
        count_->setFocus(Qt::OtherFocusReason);
}

}  // namespace velk::gui
