#pragma once
// --layout old|new of the commands that write SDB BIN files, and the one
// place that writes their result in the chosen layout.
#include "common/bytes.h"
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/opened_database.h"
#include "sdb/sdb_layout_check.h"
#include "sdb/sdb_session.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <string>

namespace velk::cli {

// Adds "--layout old|new" with `fallback` as its default, named in the help.
void AddLayoutOption(CLI::App* command, sdb::SdbLayout& layout, sdb::SdbLayout fallback, const std::string& name = "--layout");

using sdb::FileRun;
using sdb::RunOfImage;

// Writes a new-layout image to `target` in `layout`. Before the old layout
// loses values it prints the warning on stderr. False after a message.
bool WriteImageInLayout(Ui& ui, ByteView newLayout, const std::filesystem::path& target, sdb::SdbLayout layout,
                        const FileRun& run);

// Writes the store to `target` in `layout` (no padding), with the same warning.
bool WriteStoreInLayout(Ui& ui, WorkingStore& store, sdb::SdbSession& session, const std::filesystem::path& target,
                        sdb::SdbLayout layout);

}  // namespace velk::cli
