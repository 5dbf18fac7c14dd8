#include "sdb/reference_list.h"

#include "common/charset.h"
#include "common/files.h"
#include "database/service_csv.h"
#include "sdb/opened_database.h"

namespace velk::sdb {

std::optional<std::vector<ServiceKey>> ReadReferenceList(Ui& ui, const std::filesystem::path& path, std::vector<std::string>& problems)
{
    if (path.extension() == ".csv" || path.extension() == ".CSV") {
        const auto text = ReadFileBytes(path);
        if (!text) {
            ShowError(ui, kFileAccessError);
            return std::nullopt;
        }
        NameConversion names;
        auto rows = ReadCsvKeys(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), names, problems);
        return problems.empty() ? std::optional(std::move(rows.keys)) : std::nullopt;
    }
    const auto db = OpenDatabase(ui, path, 0);
    auto catalog = db ? LoadServiceCatalog(db->store) : std::nullopt;
    if (db && !catalog)
        ShowError(ui, kFileAccessError);
    return catalog ? std::optional(KeysOf(*catalog)) : std::nullopt;
}

}  // namespace velk::sdb
