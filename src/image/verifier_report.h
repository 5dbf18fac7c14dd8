#pragma once
// What the readers of URT and "HWC$" files find: one row per field or block with
// its offset in the file, and the first inconsistency.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

struct InspectionRow {
    std::uint64_t offset = 0;
    std::string field;
    std::string value;
    bool ok = true;
};

struct InspectionReport {
    std::string kind;  // "URT file", "HWC$ Zlib", "HWC$ Bin2Cod"
    std::vector<InspectionRow> rows;
    std::vector<InspectionRow> problems;  // the rows that are not ok, in file order

    bool Sound() const { return problems.empty(); }
    void Add(std::uint64_t offset, std::string field, std::string value) { rows.push_back({offset, std::move(field), std::move(value), true}); }
    // Records an inconsistency; the first one is the report's verdict.
    void Problem(std::uint64_t offset, std::string field, std::string text);
    // Adds `value` as a row, or as a problem described by `text` when `ok` is false.
    void Check(bool ok, std::uint64_t offset, std::string field, std::string value, const std::string& text);
};

// "offset 0x0000000C: <text>" of the first problem; empty for a sound file.
std::string FirstProblemText(const InspectionReport& report);

// One line per row: offset, field, value; problems marked.
std::string ReportText(const InspectionReport& report);

// {"kind": ..., "sound": ..., "rows": [{"offset": .., "field": .., "value": .., "ok": ..}], "problems": [...]}
std::string ReportJson(const InspectionReport& report);

}  // namespace velk
