#pragma once
// Opening an SDB BIN file into the working store.
//
// OpenSdbBinFile reads a file of either layout (old-layout files are converted
// first, as the Open command does) and replaces the store's record files, order
// lists and counts with its content; the SDB version, user initial and
// user-settings block go into the session. The whole file is checked before
// anything is written: a truncated or inconsistent file (section past the end,
// wrong record size, carrier of an unknown satellite, satellite carrier counts
// or service runs that do not add up, channel order outside the services) fails with a message and the
// reason on stderr, and the store is left as it was.
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_session.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velk::sdb {

inline constexpr const char* kOpeningTitle = "Please Wait... ( Opening BIN File )";
inline constexpr const char* kMagicMismatch = "StaticDB file magic ID mismatch.";
inline constexpr const char* kMajorVersionInvalid = "StaticDB BIN major version is invalid.";
inline constexpr const char* kPlacementMismatch = "Invalid file format ( LNB Details in different structure ).";
inline constexpr const char* kInvalidFileToOpen = "Invalid File to Open";
// Temporaries in WorkDir.
inline constexpr const char* kConvertedName = "newsdbfile.nsf";
inline constexpr const char* kMergeOutputName = "outputSDXBIN.bin";

// "LNB records exceeds the limit 16" / "... 8".
std::string LnbLimitMessage(std::uint8_t productType);

enum class OpenMode { Open = 0, Merge = 1 };

struct OpenSdbOptions {
    // Open: read the file. Merge: merge the file into session.currentFile first
    // (the current file is File 1), replace the current file with the result
    // and read that.
    OpenMode mode = OpenMode::Open;
    // Accept the old layout by converting it first (the Open command). Without
    // it only the new layout is read.
    bool convertFirst = true;
    // Delete the file read after a successful open: for temporaries handed over
    // by an importer or the download. Never applies to the merge mode's current file.
    bool deleteFileRead = false;
};

// A new-layout file taken apart and checked, not yet in the store.
struct SdbImage {
    std::uint8_t sdbMajor = 0;
    std::uint8_t sdbMinor = 0;
    std::string userInitial;
    std::vector<LnbRecord> lnbs;
    std::vector<SatelliteRecord> satellites;
    std::vector<CarrierRecord> carriers;
    std::vector<ServiceRecord> services;
    std::vector<std::uint16_t> osl;
    std::optional<UserSettingsBlock> userBox;  // nullopt: count 0 or no section
};

// Parses a new-layout image for a run with `placement` and `productType`.
// On failure the text is the message to show (the reason is on stderr).
std::variant<SdbImage, std::string> ParseSdbImage(ByteView data, Placement placement, std::uint8_t productType);

// Replaces the store's files and counts with the image (the store was cleared by
// the caller or is overwritten here), and keeps version, initial and user settings.
// Returns false after kFileAccessError.
bool LoadImageIntoStore(WorkingStore& store, SdbSession& session, Ui& ui, const SdbImage& image);

// 1 when the store is filled, 0 after a message.
int OpenSdbBinFile(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& path,
                   const OpenSdbOptions& options = {});

}  // namespace velk::sdb
