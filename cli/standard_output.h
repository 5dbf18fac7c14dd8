#pragma once
// "-" in place of an output file names standard output.
#include "common/bytes.h"

#include <optional>
#include <string_view>

namespace velk::cli {

inline bool IsStandardOutput(std::string_view path) { return path == "-"; }

// Writes all of `bytes` to standard output; false when there are none or the
// write fails (a closed pipe, a full disk).
bool WriteToStandardOutput(const std::optional<Bytes>& bytes);

}  // namespace velk::cli
