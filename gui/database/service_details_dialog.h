#pragma once
// "Detailed Service Information": one service with its carrier, satellite and LNB.
#include "database/details.h"

#include <QDialog>

namespace velk::gui {

class ServiceDetailsDialog : public QDialog {
    Q_OBJECT
public:
    ServiceDetailsDialog(const ServiceDetails& details, QWidget* parent = nullptr);
};

}  // namespace velk::gui
