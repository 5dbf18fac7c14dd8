#pragma once
// Writing the open database as an SDB BIN file.
//
// WriteSdbBinFile writes the whole working store; the selection writer only the
// chosen satellites with their carriers and services. Both build the new layout
// and, unless it is to be kept, convert it to the old ("SB") layout. The target
// is replaced only once the complete file (conversion included) exists: on any
// failure the previous file at the target is untouched. Databases whose switch
// block sits on satellites or carriers (placement 1 or 2) always keep the new
// layout, which alone can carry them.
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_content.h"
#include "sdb/sdb_session.h"

#include <filesystem>
#include <optional>
#include <span>

namespace velk::sdb {

// Progress titles.
inline constexpr const char* kSavingTitle = "Please Wait... ( Saving BIN File )";
inline constexpr const char* kSizingTitle = "Please Wait... ( Calculating BIN File Size )";
inline constexpr const char* kConvertNew2OldError = "Error - SDB convertion new to old";
// The conversion's scratch file in WorkDir.
inline constexpr const char* kOldScratchName = "oldsdbfile.osf";

// Returns 1 on success and 0 after a message ("Error No: -3 \n File Access Error!!!"
// or "Error - SDB convertion new to old"). With `padToFullTables` the LNB count
// becomes 16 (product type 2) or 8 and, for product type 2, the satellite count 64;
// the raised counts stay, and records past the end of the store files are
// written as padding records. Clears session.sizeInformation and sets
// session.lastFileSize to the new-layout size.
int WriteSdbBinFile(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                    bool keepNewLayout, bool padToFullTables);

// Writes the satellites whose 0-based record indexes are in `selected`, their
// carriers and those carriers' services; no padding. Carriers' satellite indexes,
// first-service indexes and services' carrier indexes are renumbered to the
// positions in the written file; the channel order lists the written services
// in record order. Result as WriteSdbBinFile.
int WriteSdbSelection(const WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                      std::span<const std::uint32_t> selected);

// Every record of the store in record order (the unsorted file's content), or
// nullopt when a record file with records cannot be read. Records past the end
// of the LNB and satellite files are padding; past the end of the others, zeros.
std::optional<SdbContent> ContentFromStore(const WorkingStore& store, const SdbSession& session);

// Encodes `content`, converts it unless the new layout is kept, and replaces the
// target. Shows the failure and returns 0, or returns 1.
int WriteSdbContent(const WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                    const SdbContent& content, bool keepNewLayout);

}  // namespace velk::sdb
