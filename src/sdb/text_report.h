#pragma once
// The text report of the open database: fixed-width lines ending in CR LF,
// values at fixed columns between TABs, read straight from the working store.
#include "common/bytes.h"
#include "common/ui.h"
#include "database/working_store.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace velk::sdb {

// The report's bytes, or nullopt when a record file cannot be read.
std::optional<Bytes> BuildTextReport(const WorkingStore& store);

// Writes the report to `target` (replaced only when complete): 1 written, 0 not.
int WriteTextReport(const WorkingStore& store, const std::filesystem::path& target);

// The Export command: "There is no information to export" without satellites,
// asks for a file ("Text Files ( *.TXT )"), writes it ("Export process failed")
// and opens it with `openInEditor` ("Error in loading notepad" when that fails).
// Returns 1 when the report was written.
int ExportTextReport(const WorkingStore& store, Ui& ui, const std::function<bool(const std::filesystem::path&)>& openInEditor);

}  // namespace velk::sdb
