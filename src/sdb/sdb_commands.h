#pragma once
// The command logic of Open, Save, Save As and SDB Information over the UI
// port, and the checks of the "StaticDatabase Version" dialog. The windows
// (editor, dialog) belong to the GUI; these functions decide and write.
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_save_layout.h"
#include "sdb/sdb_session.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace velk::sdb {

inline constexpr const char* kSaveFailed = "Error No: -11 \n Save as BIN File";
inline constexpr const char* kSdbInfoCaption = "SDB file information ";
extern const FileChoice kSdbSaveChoice;  // "Save", StaticDatabase BIN Files, "bin"
extern const FileChoice kSdbOpenChoice;  // "Open", StaticDatabase BIN Files, "bin"

// ---- "StaticDatabase Version" dialog ----

struct VersionFields {
    std::string major;
    std::string minor;
    std::string userInitial;
};
enum class VersionField { Major, Minor, UserInitial };

// What the dialog shows on opening: the kept values, or "1", "0", "Kym".
VersionFields VersionDialogFields(const SdbSession& session);

// The OK button: shows the first problem ("Major Version should be entered",
// "... should be less than 256", the same for Minor, "User Initial should be
// entered") and returns the field to focus; on success stores major, minor and
// the first three characters of the initial in the session and returns nullopt.
std::optional<VersionField> AcceptVersionDialog(const VersionFields& fields, Ui& ui, SdbSession& session);

// Runs the version dialog; true when confirmed (the session then holds the values).
using VersionDialog = std::function<bool(SdbSession&)>;

// ---- Save / Save As ----

// The count checks of both save commands; false after the message.
bool CheckCountsForSave(const WorkingStore& store, Ui& ui);

// Save: checks, version dialog, the current file (or one asked for, which then
// becomes current), the layout (ChooseSaveLayout: the user may cancel there)
// and WritePaddedSdbFile. The existing file is replaced only by a complete new
// one. 1 when saved.
int SaveCommand(WorkingStore& store, SdbSession& session, Ui& ui, const VersionDialog& versionDialog,
                const SaveLayoutChoice& layoutChoice = {});

// Save As: as Save, always asking for the file; the current file stays.
int SaveAsCommand(WorkingStore& store, SdbSession& session, Ui& ui, const VersionDialog& versionDialog,
                  const SaveLayoutChoice& layoutChoice = {});

// The editor caption after a save: "[ %s ]" with the path.
std::string SavedCaption(const std::filesystem::path& path);

// ---- SDB information ----

// Size of the database in the old layout (without the filler).
std::uint64_t OldLayoutSize(const WorkingStore& store);
// The static-database upload refuses a database larger than this in the old layout.
inline constexpr std::uint64_t kSdbUploadLimit = 65440;
// True when the database fits the static-database upload.
inline bool FitsSdbUpload(const WorkingStore& store) { return OldLayoutSize(store) <= kSdbUploadLimit; }
// The information text for the counts and size.
std::string SdbInformationText(const WorkingStore& store);
// The command: refuses without LNB or satellite, sets the size-information
// flag and shows the text in the "SDB file information " box. 1 when shown.
int SdbInformation(const WorkingStore& store, SdbSession& session, Ui& ui);

// ---- Open ----

// The Open command: asks for a file when `path` is empty ("Open" dialog;
// cancel gives 0), clears the store and reads the file in either layout.
// On success the path becomes the current file. 1 when the store is filled.
int OpenCommand(WorkingStore& store, SdbSession& session, Ui& ui, std::filesystem::path path = {});

}  // namespace velk::sdb
