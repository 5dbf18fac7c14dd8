#include "image/image_file.h"

#include <fstream>

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

}  // namespace velk
