#pragma once
// "StaticDatabase Version": the SDB version and user initial written into
// every saved file. The checks are the core's; a refusal keeps the dialog open
// with the focus on the field.
#include "common/ui.h"
#include "sdb/sdb_commands.h"

#include <QDialog>

class QLineEdit;

namespace velk::gui {

class VersionDialog : public QDialog {
    Q_OBJECT
public:
    VersionDialog(sdb::SdbSession& session, Ui& ui, QWidget* parent = nullptr);
    void accept() override;

    // Runs the dialog over `parent`: the Save commands' version step.
    static bool Run(sdb::SdbSession& session, Ui& ui, QWidget* parent);

private:
    sdb::SdbSession& session_;
    Ui& ui_;
    QLineEdit* major_;
    QLineEdit* minor_;
    QLineEdit* initial_;
};

}  // namespace velk::gui
