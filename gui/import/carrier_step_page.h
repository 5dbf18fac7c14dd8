#pragma once
// Step 3 of the import wizard: the carriers of the selected satellites, with
// the band and polarisation filter of one satellite or of all of them.
#include "import/filter_step_page.h"

namespace velk::gui {

class CarrierStepPage : public FilterStepPage {
    Q_OBJECT
public:
    CarrierStepPage(ImportWizard& wizard, QWidget* parent = nullptr);
    bool validatePage() override;

private:
    std::vector<std::uint32_t> Parents() const override;
    QString ParentName(std::uint32_t satellite) const override;
    std::vector<std::uint32_t> Children(std::optional<std::uint32_t> satellite) const override;
    bool ChildSelected(std::uint32_t carrier) const override;
    void SetChildSelected(std::uint32_t carrier, bool selected) override;
    FilterRecord Filter(std::optional<std::uint32_t> satellite) const override;
    void SetFilter(std::optional<std::uint32_t> satellite, const FilterRecord& filter) override;
    FilterStepCounts Counts(std::optional<std::uint32_t> satellite, std::size_t shownSelected) const override;
};

}  // namespace velk::gui
