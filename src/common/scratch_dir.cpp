#include "common/scratch_dir.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace velk {

Expected<ScratchDir> ScratchDir::Create(std::string_view prefix)
{
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    if (ec)
        return SystemError("$TMPDIR", ec.value());
    std::string pattern = (base / (std::string(prefix) + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        return SystemError(pattern, errno);
    return ScratchDir(pattern);
}

ScratchDir::~ScratchDir() { Remove(); }

ScratchDir::ScratchDir(ScratchDir&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }

ScratchDir& ScratchDir::operator=(ScratchDir&& other) noexcept
{
    if (this != &other) {
        Remove();
        path_ = std::move(other.path_);
        other.path_.clear();
    }
    return *this;
}

void ScratchDir::Remove()
{
    if (path_.empty())
        return;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    path_.clear();
}

}  // namespace velk
