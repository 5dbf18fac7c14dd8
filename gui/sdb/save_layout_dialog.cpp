#include "sdb/save_layout_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velk::gui {

SaveLayoutDialog::SaveLayoutDialog(const sdb::SaveLayoutChoice& choice, QWidget* parent)
    : QDialog(parent),
      old_(new QRadioButton("The receiver's &old layout (it does not keep program numbers, 22 kHz settings and skews)", this)),
      new_(new QRadioButton("The &new layout (opens again exactly as saved)", this)),
      ask_(new QCheckBox("&Ask before the old layout loses values", this))
{
    setWindowTitle("Save Layout");
    old_->setObjectName("oldLayout");
    new_->setObjectName("newLayout");
    ask_->setObjectName("ask");
    ask_->setContentsMargins(20, 0, 0, 0);  // belongs to the old layout
    (choice.layout == sdb::SdbLayout::Old ? old_ : new_)->setChecked(true);
    ask_->setChecked(choice.askWhenOldLoses);
    ask_->setEnabled(old_->isChecked());
    connect(old_, &QRadioButton::toggled, ask_, &QWidget::setEnabled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(old_);
    layout->addWidget(ask_);
    layout->addWidget(new_);
    layout->addWidget(buttons);
}

sdb::SaveLayoutChoice SaveLayoutDialog::Choice() const
{
    return {old_->isChecked() ? sdb::SdbLayout::Old : sdb::SdbLayout::New, ask_->isChecked()};
}

bool SaveLayoutDialog::Run(sdb::SaveLayoutChoice& choice, QWidget* parent)
{
    SaveLayoutDialog dialog(choice, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

}  // namespace velk::gui
