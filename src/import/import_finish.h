#pragma once
// The end of the import wizard: the import database file is written from the
// selection and becomes the editor's database, or is merged into the open one.
#include "common/ui.h"
#include "database/working_store.h"
#include "import/import_wizard.h"
#include "sdb/sdb_session.h"

#include <filesystem>
#include <optional>

namespace velk {

inline constexpr const char* kImportFileName = "TempSDXBIN.bin";       // no database open
inline constexpr const char* kImportMergeFileName = "TempSDXBIN.mbf";  // a database open
inline constexpr const char* kImportCreationError = "Error No: -3 \n Import BIN Creation File Access Error!!!";
inline constexpr const char* kSaveAsBinTitle = "Save as BIN File";

// Writes the selection as a new-layout SDB BIN file at `target`. False after a message.
bool WriteImportDatabase(Ui& ui, const ImportWizard& wizard, const WorkingStore& store,
                         const sdb::SdbSession& session, const std::filesystem::path& target);

// Writes the import file into the store's directory and hands it on: with no
// database open it becomes the database, saved under a name the user chooses
// (or the list's name with ".bin"); with one open it is merged into it.
// 1 on success, 0 after a message.
int BuildImportDatabase(Ui& ui, const ImportWizard& wizard, WorkingStore& store, sdb::SdbSession& session,
                        bool databaseOpen);

// "&Finish": builds the database and deletes the staging files.
int FinishImportWizard(Ui& ui, const ImportWizard& wizard, WorkingStore& store, sdb::SdbSession& session,
                       bool databaseOpen);

// The list's path with its last four characters replaced by ".bin".
std::filesystem::path DefaultBinName(const std::filesystem::path& list);

}  // namespace velk
