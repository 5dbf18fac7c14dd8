#pragma once
// "Sorting Information": one key and order per level (satellites, carriers,
// services), each level switched on by its box; Sort writes the sorted
// database over the current file, Save As into a new one. The core sorts,
// writes the undo copy and reopens the result into the store.
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_session.h"
#include "sdb/sdb_sort.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QProgressBar;

namespace velk::gui {

class SortDialog : public QDialog {
    Q_OBJECT
public:
    SortDialog(WorkingStore& store, sdb::SdbSession& session, Ui& ui, QWidget* parent = nullptr);

    sdb::SortSettings Settings() const;
    // True once a sort wrote its file and reopened it (the dialog then closes).
    bool Sorted() const { return sorted_; }

private:
    struct Level {
        QGroupBox* box;
        QComboBox* key;
        QComboBox* order;
    };
    Level AddLevel(const char* title, const char* name, std::initializer_list<std::array<const char*, 3>> keys);
    void Run(bool saveAs);

    WorkingStore& store_;
    sdb::SdbSession& session_;
    Ui& ui_;
    std::array<Level, 3> levels_{};
    QProgressBar* progress_;
    bool sorted_ = false;
};

}  // namespace velk::gui
