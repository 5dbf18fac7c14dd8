#pragma once
// The size of a binary image named by the user.
#include "common/bytes.h"

#include <filesystem>
#include <optional>

namespace velk {

// The size of a regular file that can be opened for reading, else nullopt.
std::optional<std::uint64_t> ReadableImageSize(const std::filesystem::path& path);

}  // namespace velk
