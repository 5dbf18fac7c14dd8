#pragma once
// "Inspect": the report of a URT file or a compressed image as a table, with the
// verdict on top and the problems in red.
#include "image/verifier_report.h"

#include <QDialog>

class QTableWidget;

namespace velk::gui {

class InspectWindow : public QDialog {
    Q_OBJECT
public:
    InspectWindow(const QString& file, const InspectionReport& report, QWidget* parent = nullptr);

    QTableWidget* Table() const { return table_; }

private:
    QTableWidget* table_;
};

}  // namespace velk::gui
