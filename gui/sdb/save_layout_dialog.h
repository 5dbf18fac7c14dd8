#pragma once
// "Save Layout": which layout Save writes and whether to ask before the
// receiver's old layout loses values. The choice is a preference.
#include "sdb/sdb_save_layout.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace velk::gui {

class SaveLayoutDialog : public QDialog {
    Q_OBJECT
public:
    SaveLayoutDialog(const sdb::SaveLayoutChoice& choice, QWidget* parent = nullptr);
    sdb::SaveLayoutChoice Choice() const;

    // Runs the dialog; on Ok `choice` takes the new values and true is returned.
    static bool Run(sdb::SaveLayoutChoice& choice, QWidget* parent);

private:
    QRadioButton* old_;
    QRadioButton* new_;
    QCheckBox* ask_;
};

}  // namespace velk::gui
