#include "image/image_file.h"

#include "common/files.h"

#include <fstream>
#include <new>
#include <stdexcept>

namespace velk {

std::optional<std::uint64_t> ReadableImageSize(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const auto size = in.tellg();
    return size < 0 ? std::nullopt : std::optional<std::uint64_t>(static_cast<std::uint64_t>(size));
}

std::optional<Bytes> ReadImageFile(const std::filesystem::path& path)
{
    if (!ReadableImageSize(path))
        return std::nullopt;
    try {
        return ReadFileBytes(path);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

}  // namespace velk
