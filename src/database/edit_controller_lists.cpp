// The edit controller's tools that work on all services as one list.
#include "database/edit_controller.h"

#include "common/charset.h"
#include "database/delete_records.h"
#include "database/reference_order.h"
#include "database/service_csv.h"
#include "database/step_names.h"

namespace velk {
namespace {

// Rows of the unfiltered all-services view are the 1-based channel positions.
std::vector<std::uint32_t> AllServiceRows(std::span<const std::uint32_t> channels)
{
    std::vector<std::uint32_t> rows;
    rows.reserve(channels.size());
    for (const auto channel : channels)
        rows.push_back(channel + 1);
    return rows;
}

}  // namespace

std::optional<EditChange> EditController::DeleteChannels(std::span<const std::uint32_t> channels)
{
    const auto rows = AllServiceRows(channels);
    return Apply("Delete " + CountText(rows.size(), "duplicate service"), [&]() -> std::optional<EditChange> {
        if (!DeleteServices(store_, ui_, ServiceView{}, rows))
            return std::nullopt;
        return EditChange{};
    });
}

std::optional<EditChange> EditController::MarkChannels(const MarkChoice& choice, std::span<const std::uint32_t> channels)
{
    return Mark(choice, MarkList{ServiceView{}, 0}, AllServiceRows(channels));
}

std::optional<std::string> EditController::ApplyOrder(std::span<const ServiceKey> reference)
{
    std::optional<std::string> text;
    Apply("Apply order", [&]() -> std::optional<EditChange> {
        const auto summary = ApplyReferenceOrder(store_, reference);
        if (!summary) {
            ShowError(ui_, kFileAccessError);
            return std::nullopt;
        }
        text = OrderSummaryText(*summary, reference);
        return EditChange{};
    });
    return text;
}

std::optional<std::string> EditController::ImportCsv(std::string_view csv)
{
    std::optional<std::string> text;
    Apply("Import CSV list", [&]() -> std::optional<EditChange> {
        NameConversion names;
        const auto result = ImportServiceCsv(store_, csv, names);
        if (!result) {
            ShowError(ui_, kFileAccessError);
            return std::nullopt;
        }
        names.TellUser(ui_);
        text = CsvImportText(*result);
        return EditChange{};
    });
    return text;
}

}  // namespace velk
