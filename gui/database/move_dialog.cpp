#include "database/move_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {

MoveDialog::MoveDialog(const QString& title, const QString& label, const QString& okTip, Check check, QWidget* parent)
    : QDialog(parent), check_(std::move(check)), edit_(new QLineEdit(this))
{
    setWindowTitle(title);
    edit_->setObjectName("target");
    edit_->setMaxLength(5);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(label, this));
    row->addWidget(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Ok)->setToolTip(okTip);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

void MoveDialog::accept()
{
    const auto typed = edit_->text().toStdString();
    const auto target = check_(typed);
    if (!target) {
        edit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    target_ = *target;
    QDialog::accept();
}

}  // namespace velk::gui
