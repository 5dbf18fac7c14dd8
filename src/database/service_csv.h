#pragma once
// The services as a CSV list, one row per service in channel order, for editing
// names and order in a spreadsheet; and taking such a list back.
#include "common/charset.h"
#include "common/error.h"
#include "database/service_identity.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

// UTF-8 with a header row.
std::string ExportServiceCsv(const ServiceCatalog& catalog);

// The list written to `path` through the atomic file layer, and a list file's
// text read back; the error names the file and the reason.
Outcome WriteServiceCsvFile(const ServiceCatalog& catalog, const std::filesystem::path& path);
Expected<std::string> ReadCsvFile(const std::filesystem::path& path);

// The identifying fields of a list's rows, with the line each row starts on.
struct CsvKeys {
    std::vector<ServiceKey> keys;
    std::vector<std::size_t> lines;
};

// Rows that cannot be read, or a list without the key columns, add to `problems`.
CsvKeys ReadCsvKeys(std::string_view text, NameConversion& names, std::vector<std::string>& problems);

struct CsvImportResult {
    std::size_t renamed = 0;
    std::size_t deleted = 0;
    bool reordered = false;
    // Rows that name no service of the database, or that cannot be read; when any
    // exist nothing is changed, so no service is ever guessed or lost by mistake.
    std::vector<std::string> problems;

    bool Changed() const { return renamed > 0 || deleted > 0 || reordered; }
};

// Applies the list's names and order; services no row names are deleted. Rows are
// identified as reference lists are (transponder and program number, else name).
// nullopt when the store could not be read or written.
std::optional<CsvImportResult> ImportServiceCsv(WorkingStore& store, std::string_view text, NameConversion& names);

// "3 services renamed, 2 deleted, order changed." or the problems, one a line.
std::string CsvImportText(const CsvImportResult& result);

}  // namespace velk
