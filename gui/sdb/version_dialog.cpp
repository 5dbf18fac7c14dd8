#include "sdb/version_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

QLineEdit* Field(QWidget* parent, const char* name, const std::string& text)
{
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setObjectName(name);
    edit->setMaxLength(3);
    return edit;
}

}  // namespace

VersionDialog::VersionDialog(sdb::SdbSession& session, Ui& ui, QWidget* parent) : QDialog(parent), session_(session), ui_(ui)
{
    setWindowTitle("StaticDatabase Version");
    const auto fields = sdb::VersionDialogFields(session);
    major_ = Field(this, "major", fields.major);
    minor_ = Field(this, "minor", fields.minor);
    initial_ = Field(this, "userInitial", fields.userInitial);
    auto* form = new QFormLayout;
    form->addRow("SDB Major version", major_);
    form->addRow("SDB Minor version", minor_);
    form->addRow("User initial", initial_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Ok)->setToolTip("Update version details");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void VersionDialog::accept()
{
    const sdb::VersionFields fields{major_->text().toStdString(), minor_->text().toStdString(), initial_->text().toStdString()};
    if (const auto field = sdb::AcceptVersionDialog(fields, ui_, session_)) {
        QLineEdit* edits[] = {major_, minor_, initial_};
        edits[static_cast<int>(*field)]->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

bool VersionDialog::Run(sdb::SdbSession& session, Ui& ui, QWidget* parent)
{
    VersionDialog dialog(session, ui, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace velk::gui
