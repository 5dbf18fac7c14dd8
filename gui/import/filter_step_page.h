#pragma once
// What steps 3 and 4 of the import wizard share: a list of the selected
// parents (satellites or carriers) with an entry for all of them, the check
// list of the shown parent's children, four filter boxes with "Select All",
// and the labels that count the selection. The steps say which level they show.
#include "import/import_wizard.h"

#include <QWizardPage>

#include <array>
#include <optional>

class QCheckBox;
class QLabel;
class QTableView;

namespace velk::gui {

class StagingListModel;
struct StagingColumn;

// A filter box: its text and the bit it sets in the filter record.
struct FilterBox {
    const char* text;
    std::uint8_t FilterRecord::*byte;
    std::uint8_t bit;
};

// The texts of one step's labels for the shown parent.
struct FilterStepCounts {
    QString headline;       // "Selected Satellite - %s   Selected Carrier Count - %d"
    QString parentLine;     // step 4 names the carrier's satellite; empty otherwise
    std::size_t selectedTotal = 0;
};

struct FilterStepTexts {
    QString allEntry;
    QString parentHeader;
    QString shownTotalTitle;
    QString selectedTotalTitle;
    std::array<FilterBox, 4> boxes;
};

class FilterStepPage : public QWizardPage {
    Q_OBJECT
public:
    static constexpr std::uint32_t kAllEntry = 0xFFFFFFFFu;

    void initializePage() override;
    // Shows one parent (nullopt: all of them).
    void ShowParent(std::optional<std::uint32_t> parent);
    QTableView* ParentList() const { return parents_; }
    QTableView* ChildList() const { return children_; }
    QCheckBox* Box(int i) const { return boxes_.at(static_cast<std::size_t>(i)); }
    QCheckBox* SelectAllBox() const { return selectAll_; }

protected:
    FilterStepPage(ImportWizard& wizard, const FilterStepTexts& texts, std::vector<StagingColumn> childColumns, QWidget* parent);

    // The level's reading and writing of the wizard model.
    virtual std::vector<std::uint32_t> Parents() const = 0;
    virtual QString ParentName(std::uint32_t parent) const = 0;
    virtual std::vector<std::uint32_t> Children(std::optional<std::uint32_t> parent) const = 0;
    virtual bool ChildSelected(std::uint32_t child) const = 0;
    virtual void SetChildSelected(std::uint32_t child, bool selected) = 0;
    virtual FilterRecord Filter(std::optional<std::uint32_t> parent) const = 0;
    virtual void SetFilter(std::optional<std::uint32_t> parent, const FilterRecord& filter) = 0;
    virtual FilterStepCounts Counts(std::optional<std::uint32_t> parent, std::size_t shownSelected) const = 0;

    ImportWizard& wizard_;

private:
    void ParentChosen();
    void BoxChanged();
    void ShowBoxes(const FilterRecord& filter);
    void UpdateCounts();

    FilterStepTexts texts_;
    std::optional<std::uint32_t> shown_;
    StagingListModel* parentModel_;
    StagingListModel* childModel_;
    QTableView* parents_;
    QTableView* children_;
    std::array<QCheckBox*, 4> boxes_{};
    QCheckBox* selectAll_;
    QLabel* headline_;
    QLabel* parentLine_;
    QLabel* shownTotal_;
    QLabel* selectedTotal_;
};

}  // namespace velk::gui
