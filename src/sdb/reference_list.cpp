#include "sdb/reference_list.h"

#include "common/charset.h"
#include "database/service_csv.h"
#include "sdb/opened_database.h"

namespace velk::sdb {

std::optional<std::vector<ServiceKey>> ReadReferenceList(Ui& ui, const std::filesystem::path& path, std::vector<std::string>& problems)
{
    if (path.extension() == ".csv" || path.extension() == ".CSV") {
        const auto text = ReadCsvFile(path);
        if (!text) {
            ShowError(ui, MessageWithCause(kFileAccessError, text.error()));
            return std::nullopt;
        }
        NameConversion names;
        auto rows = ReadCsvKeys(*text, names, problems);
        return problems.empty() ? std::optional(std::move(rows.keys)) : std::nullopt;
    }
    const auto db = OpenDatabase(ui, path, 0);
    auto catalog = db ? LoadServiceCatalog(db->store) : std::nullopt;
    if (db && !catalog)
        ShowError(ui, kFileAccessError);
    return catalog ? std::optional(KeysOf(*catalog)) : std::nullopt;
}

}  // namespace velk::sdb
