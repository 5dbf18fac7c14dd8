#include "import/service_step_page.h"

#include "database/value_texts.h"
#include "import/staging_list_model.h"
#include "import/staging_selection.h"

namespace velk::gui {
namespace {

const FilterStepTexts kTexts{
    "All Carrier",
    "Carrier",
    " Total services of selected carrier   ",
    "Total selected  services",
    {{{"FTA", &FilterRecord::first, filter_bit::kFta},
      {"Scrambled", &FilterRecord::first, filter_bit::kScrambled},
      {"TV", &FilterRecord::second, filter_bit::kTv},
      {"Radio", &FilterRecord::second, filter_bit::kRadio}}},
};

QString PidText(std::uint16_t pid) { return pid == kImportNoPid ? QString() : QString::number(pid); }

std::vector<StagingColumn> ServiceColumns(const ImportWizard& wizard)
{
    const auto service = [&wizard](std::uint32_t i) -> const ImportService& { return wizard.Staging().services.at(i); };
    return {{"Service Name", [service](std::uint32_t i) { return QString::fromStdString(service(i).name); }},
            {"FTA/Scramble", [service](std::uint32_t i) { return service(i).scrambled ? QString("Scrambled") : QString("FTA"); }},
            {"Video PID", [service](std::uint32_t i) { return PidText(service(i).videoPid); }},
            {"Audio PID", [service](std::uint32_t i) { return PidText(service(i).audioPid); }},
            {"Service type", [service](std::uint32_t i) { return QString::fromStdString(ServiceTypeText(service(i).type)); }}};
}

}  // namespace

ServiceStepPage::ServiceStepPage(ImportWizard& wizard, QWidget* parent)
    : FilterStepPage(wizard, kTexts, ServiceColumns(wizard), parent)
{
    setFinalPage(true);
}

std::vector<std::uint32_t> ServiceStepPage::Parents() const { return SelectedIndexes(wizard_.Staging().carriers); }

QString ServiceStepPage::ParentName(std::uint32_t carrier) const
{
    const auto& c = wizard_.Staging().carriers.at(carrier);
    const auto pol = QString::fromStdString(TextAt(PolarizationNames(), c.polarization)).left(1);
    return QString("%1 %2 %3 %4").arg(c.frequencyMhz).arg(pol).arg(c.symbolRateKs).arg(QString::fromStdString(c.name)).trimmed();
}

std::vector<std::uint32_t> ServiceStepPage::Children(std::optional<std::uint32_t> carrier) const
{
    if (carrier)
        return wizard_.ServicesOf(*carrier);
    return ChildrenOfAll(Parents(), [this](std::uint32_t c) -> const auto& { return wizard_.ServicesOf(c); });
}

bool ServiceStepPage::ChildSelected(std::uint32_t service) const { return wizard_.Staging().services.at(service).selected == 1; }

void ServiceStepPage::SetChildSelected(std::uint32_t service, bool selected) { wizard_.SetServiceSelected(service, selected); }

FilterRecord ServiceStepPage::Filter(std::optional<std::uint32_t> carrier) const
{
    const auto& filters = wizard_.CarrierFilters();
    return carrier ? filters.at(*carrier) : filters.back();
}

void ServiceStepPage::SetFilter(std::optional<std::uint32_t> carrier, const FilterRecord& filter)
{
    wizard_.SetServiceFilter(carrier, filter);
}

FilterStepCounts ServiceStepPage::Counts(std::optional<std::uint32_t> carrier, std::size_t shownSelected) const
{
    const auto& staging = wizard_.Staging();
    QString satellite = "All Satellite";
    if (carrier) {
        const auto ordinal = staging.carriers.at(*carrier).satellite;
        if (ordinal >= 1 && ordinal <= staging.satellites.size())
            satellite = QString::fromStdString(staging.satellites[ordinal - 1].name);
    }
    const auto name = carrier ? ParentName(*carrier) : kTexts.allEntry;
    return {QString("Selected Carrier - %1   Selected Service Count - %2").arg(name).arg(shownSelected),
            "Satellite Name - " + satellite, SelectedCount(staging.services)};
}

}  // namespace velk::gui
