#pragma once
// Tools › Find Duplicates: the groups of services that are the same channel and
// of carriers that are the same transponder, as a grouped list. The first
// service of each group stays; the rest can be deleted or marked.
#include "database/duplicates.h"
#include "database/mark_menus.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTreeWidget;

namespace velk::gui {

class DuplicatesDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { None, KeepFirst, Mark };

    // `marks`: the service "Mark As" menu the rest can be marked with.
    DuplicatesDialog(const ServiceCatalog& catalog, const DuplicateGroups& groups, const std::vector<MarkMenuEntry>& marks,
                     QWidget* parent);

    Choice Chosen() const { return chosen_; }
    const MarkChoice& MarkChosen() const { return mark_; }
    QTreeWidget* Groups() const { return groups_; }

private:
    void AddServiceGroups(const ServiceCatalog& catalog, const DuplicateGroups& groups);
    void AddCarrierGroups(const ServiceCatalog& catalog, const DuplicateGroups& groups);
    QLayout* BuildButtons(bool services, const std::vector<MarkMenuEntry>& marks);

    QTreeWidget* groups_;
    Choice chosen_ = Choice::None;
    MarkChoice mark_;
};

}  // namespace velk::gui
