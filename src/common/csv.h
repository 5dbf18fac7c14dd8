#pragma once
// Comma-separated values as spreadsheets write them: fields with commas, quotes
// or line breaks are quoted, a quote inside is doubled, lines end in CR LF.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

using CsvRow = std::vector<std::string>;

// One line, CR LF included.
std::string CsvLine(std::span<const std::string> fields);

struct CsvTable {
    std::vector<CsvRow> rows;
    std::vector<std::size_t> lines;  // the 1-based line each row starts on
};

// The rows of `text` (LF or CR LF; a UTF-8 byte-order mark is skipped); nullopt
// with `error` set when a quoted field is never closed or a quote stands inside
// an unquoted field.
std::optional<CsvTable> ParseCsv(std::string_view text, std::string& error);

}  // namespace velk
