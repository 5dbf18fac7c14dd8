#pragma once
// The three channel-list parsers. Each reads the list at `path` into
// `staging`, marking every staged record with `selected` (1 in non-filter
// mode, 0 in filter mode). False after a message to the user.
#include "common/ui.h"
#include "import/import_staging.h"

#include <filesystem>
#include <string>

namespace velk {

bool ParseSatcoDxFile(Ui& ui, const std::filesystem::path& path, std::uint8_t selected, ImportStaging& staging);
bool ImportDvb2000List(Ui& ui, const std::filesystem::path& path, std::uint8_t selected, ImportStaging& staging);
bool ImportLyngsatList(Ui& ui, const std::filesystem::path& path, std::uint8_t selected, ImportStaging& staging);

// Parsers working on the list's bytes (the file readers above call them).
// False after "Error - Invalid File" when a record is not a SatcoDX record.
bool ParseSatcoDxBytes(Ui& ui, ByteView file, std::uint8_t selected, ImportStaging& staging);
void ParseDvb2000Bytes(Ui& ui, ByteView file, std::uint8_t selected, ImportStaging& staging);
void ParseLyngsatBytes(Ui& ui, ByteView file, std::uint8_t selected, ImportStaging& staging);

// "Error - Invalid File" with the number of the record that is not one.
std::string InvalidRecordMessage(std::size_t record);

inline constexpr const char* kOpenFileError = "Error in Opening File";
inline constexpr const char* kParsingProgressTitle = "Please Wait...  ( Parsing Import File )";

}  // namespace velk
