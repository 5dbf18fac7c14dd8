#pragma once
// The front of the import command, shared by the three list formats: checks
// the list's type, stages it and remembers the mode for the wizard.
#include "common/ui.h"
#include "import/import_staging.h"

#include <filesystem>
#include <optional>

namespace velk {

enum class ListFormat { SatcoDx, Dvb2000, Lyngsat };

// The format named by the extension (its first three characters after the
// last dot, case-sensitive) when the list's first bytes carry its signature.
std::optional<ListFormat> DetectListFormat(const std::filesystem::path& list, ByteView head);

struct ImportSession {
    std::filesystem::path list;
    ListFormat format = ListFormat::SatcoDx;
    bool filterMode = false;  // records start unselected
    ImportStaging staging;
};

// Deletes the old staging files, checks the list, asks for the mode, parses
// the list and writes the staging files into `workDir`. Nothing when the
// command ended after a message, or when it was cancelled (without a message,
// and with no staging file left).
std::optional<ImportSession> RunImportCommand(Ui& ui, const std::filesystem::path& workDir,
                                              const std::filesystem::path& list);

// Parses with the parser of `format`.
bool ParseList(Ui& ui, ListFormat format, const std::filesystem::path& list, std::uint8_t selected,
               ImportStaging& staging);

// Deletes every staging file of an import.
void DeleteStagingFiles(const std::filesystem::path& workDir);

inline constexpr const char* kInvalidListFile = "Error - Invalid File";
inline constexpr const char* kParsingError = "Error in File Parsing.";
inline constexpr const char* kFilterModeQuestion = "Do you want to generate Bin file with filter mode";

}  // namespace velk
