#pragma once
// Conversion between the two SDB BIN layouts.
//
// Both converters check every section header against the bytes that are left
// and the record size they expect before touching a record: a truncated or
// inconsistent input fails (0x50001, the reason on stderr as an "sdb_parser"
// line) and nothing is written. An input already in the target layout is
// written unchanged.
#include "common/bytes.h"
#include "common/ui.h"
#include "sdb/sdb_format.h"  // kConvertOk, kConvertFailed, kConvertNotOpened

#include <cstdint>
#include <filesystem>
#include <optional>

namespace velk::sdb {

inline constexpr const char* kOld2NewMagicError = "Invalid file. MagicId mismatch - StaticDB_ConvertOld2New";
inline constexpr const char* kOld2NewCaption = "Velk Editor";

// New layout -> old layout in memory. The result is the input size + 64 bytes
// (grown when the old layout needs more), the tail filled with 0xFF. nullopt
// on a structure failure. An input beginning with "SB" comes back unchanged.
std::optional<Bytes> ConvertNew2Old(ByteView input, std::uint8_t productType);

struct Old2NewResult {
    std::uint32_t code = 0;  // kConvertOk or kConvertFailed
    Bytes data;
};
// Old layout -> new layout in memory. An input beginning with 'e','E' comes back
// unchanged; one not beginning with "SB" shows kOld2NewMagicError.
Old2NewResult ConvertOld2New(Ui& ui, ByteView input, std::uint8_t productType);

// File converters: 0x50000 success, 0x50001 memory or structure failure,
// 0x50003 a file could not be opened. The output is written only on success.
std::uint32_t StaticDB_ConvertNew2Old(const std::filesystem::path& input, const std::filesystem::path& output,
                                      std::uint8_t productType);
std::uint32_t StaticDB_ConvertOld2New(Ui& ui, const std::filesystem::path& input, const std::filesystem::path& output,
                                      std::uint8_t productType);

}  // namespace velk::sdb
