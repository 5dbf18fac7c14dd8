#include "shell/work_dir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <system_error>

namespace velk {
namespace {

constexpr const char* kLockName = ".velk.lock";

// A reclaimed directory may hold files of the crashed run; they are stale.
void ClearLeftovers(const std::filesystem::path& dir)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        if (entry.path().filename() != kLockName)
            std::filesystem::remove_all(entry.path(), ec);
}

}  // namespace

std::optional<WorkDirLock> WorkDirLock::Acquire(const std::filesystem::path& dir)
{
    std::error_code ec;
    const bool created = std::filesystem::create_directory(dir, ec);
    if (ec || (!created && !std::filesystem::is_directory(dir)))
        return std::nullopt;
    const int fd = ::open((dir / kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::nullopt;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    if (!created)
        ClearLeftovers(dir);
    return WorkDirLock(dir, fd);
}

WorkDirLock::WorkDirLock(WorkDirLock&& other) noexcept : dir_(std::move(other.dir_)), fd_(other.fd_)
{
    other.fd_ = -1;
}

WorkDirLock::~WorkDirLock() { Unlock(); }

void WorkDirLock::Unlock()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool WorkDirLock::ReleaseAndRemove()
{
    std::error_code ec;
    std::filesystem::remove(dir_ / kLockName, ec);
    Unlock();
    return std::filesystem::remove(dir_, ec) && !ec;
}

}  // namespace velk
