#pragma once
// Step 4 of the import wizard: the services of the selected carriers, with
// the access and type filter of one carrier or of all of them.
#include "import/filter_step_page.h"

namespace velk::gui {

class ServiceStepPage : public FilterStepPage {
    Q_OBJECT
public:
    ServiceStepPage(ImportWizard& wizard, QWidget* parent = nullptr);

private:
    std::vector<std::uint32_t> Parents() const override;
    QString ParentName(std::uint32_t carrier) const override;
    std::vector<std::uint32_t> Children(std::optional<std::uint32_t> carrier) const override;
    bool ChildSelected(std::uint32_t service) const override;
    void SetChildSelected(std::uint32_t service, bool selected) override;
    FilterRecord Filter(std::optional<std::uint32_t> carrier) const override;
    void SetFilter(std::optional<std::uint32_t> carrier, const FilterRecord& filter) override;
    FilterStepCounts Counts(std::optional<std::uint32_t> carrier, std::size_t shownSelected) const override;
};

}  // namespace velk::gui
