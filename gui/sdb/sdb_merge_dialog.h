#pragma once
// "Static Bin Merger": two SDB BIN files chosen by path or browsed, merged
// into a third by the core (its questions and result messages included).
#include "common/ui.h"
#include "database/records.h"

#include <QDialog>

class QLineEdit;

namespace velk::gui {

class SdbMergeDialog : public QDialog {
    Q_OBJECT
public:
    SdbMergeDialog(Ui& ui, Placement placement, QWidget* parent = nullptr);

    // The result code of the last merge, or -1 when none ran.
    int LastResult() const { return lastResult_; }

private:
    void Browse(QLineEdit* field);
    void Merge();

    Ui& ui_;
    Placement placement_;
    QLineEdit* file1_;
    QLineEdit* file2_;
    int lastResult_ = -1;
};

}  // namespace velk::gui
