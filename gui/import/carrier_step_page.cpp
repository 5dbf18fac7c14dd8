#include "import/carrier_step_page.h"

#include "database/value_texts.h"
#include "import/staging_list_model.h"
#include "import/staging_selection.h"

namespace velk::gui {
namespace {

const FilterStepTexts kTexts{
    "All Satellite",
    "Satellite Name",
    "Selected satellite total carriers",
    "Total selected carriers",
    {{{"&C Band", &FilterRecord::second, filter_bit::kCBand},
      {"&KU Band", &FilterRecord::second, filter_bit::kKuBand},
      {"&Vertical polar", &FilterRecord::first, filter_bit::kVertical},
      {"&Horizontal polar", &FilterRecord::first, filter_bit::kHorizontal}}},
};

std::vector<StagingColumn> CarrierColumns(const ImportWizard& wizard)
{
    const auto carrier = [&wizard](std::uint32_t i) -> const ImportCarrier& { return wizard.Staging().carriers.at(i); };
    return {{"Frequency", [carrier](std::uint32_t i) { return QString::number(carrier(i).frequencyMhz); }},
            {"Symbol rate", [carrier](std::uint32_t i) { return QString::number(carrier(i).symbolRateKs); }},
            {"Polarization", [carrier](std::uint32_t i) {
                 return QString::fromStdString(TextAt(PolarizationNames(), carrier(i).polarization));
             }}};
}

}  // namespace

CarrierStepPage::CarrierStepPage(ImportWizard& wizard, QWidget* parent)
    : FilterStepPage(wizard, kTexts, CarrierColumns(wizard), parent)
{
}

bool CarrierStepPage::validatePage()
{
    wizard_.LeaveCarrierStep();
    return true;
}

std::vector<std::uint32_t> CarrierStepPage::Parents() const { return SelectedIndexes(wizard_.Staging().satellites); }

QString CarrierStepPage::ParentName(std::uint32_t satellite) const
{
    return QString::fromStdString(wizard_.Staging().satellites.at(satellite).name);
}

std::vector<std::uint32_t> CarrierStepPage::Children(std::optional<std::uint32_t> satellite) const
{
    if (satellite)
        return wizard_.CarriersOf(*satellite);
    return ChildrenOfAll(Parents(), [this](std::uint32_t s) -> const auto& { return wizard_.CarriersOf(s); });
}

bool CarrierStepPage::ChildSelected(std::uint32_t carrier) const { return wizard_.Staging().carriers.at(carrier).selected == 1; }

void CarrierStepPage::SetChildSelected(std::uint32_t carrier, bool selected) { wizard_.SetCarrierSelected(carrier, selected); }

FilterRecord CarrierStepPage::Filter(std::optional<std::uint32_t> satellite) const
{
    const auto& filters = wizard_.SatelliteFilters();
    return satellite ? filters.at(*satellite) : filters.back();
}

void CarrierStepPage::SetFilter(std::optional<std::uint32_t> satellite, const FilterRecord& filter)
{
    wizard_.SetCarrierFilter(satellite, filter);
}

FilterStepCounts CarrierStepPage::Counts(std::optional<std::uint32_t> satellite, std::size_t shownSelected) const
{
    const auto name = satellite ? ParentName(*satellite) : kTexts.allEntry;
    return {QString("Selected Satellite - %1   Selected Carrier Count - %2").arg(name).arg(shownSelected), {},
            SelectedCount(wizard_.Staging().carriers)};
}

}  // namespace velk::gui
