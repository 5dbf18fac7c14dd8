#pragma once
// Reading a whole binary image named by the user.
#include "common/bytes.h"

#include <filesystem>
#include <optional>

namespace velk {

// The file's bytes; nullopt when it is not a regular file (a directory reports an
// absurd size), cannot be read, or does not fit in memory.
std::optional<Bytes> ReadImageFile(const std::filesystem::path& path);

// The size of a regular file that can be opened for reading, else nullopt.
std::optional<std::uint64_t> ReadableImageSize(const std::filesystem::path& path);

}  // namespace velk
