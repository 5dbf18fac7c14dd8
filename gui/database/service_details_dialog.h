#pragma once
// "Detailed Service Information": one service with its carrier, satellite and LNB.
#include "database/store_snapshot.h"

#include <QDialog>

namespace velk::gui {

class ServiceDetailsDialog : public QDialog {
    Q_OBJECT
public:
    ServiceDetailsDialog(const StoreSnapshot& s, std::uint32_t service, bool hex, QWidget* parent = nullptr);
};

}  // namespace velk::gui
