#pragma once
// The working directory of a run, held with a lock for the run's whole life.
// A second run finds the lock taken and is refused; a directory left by a
// crashed run has no live holder and is cleared and reused.
#include <filesystem>
#include <optional>

namespace velk {

class WorkDirLock {
public:
    // Creates or reclaims `dir`. Nullopt when another live run holds it or it
    // cannot be created.
    static std::optional<WorkDirLock> Acquire(const std::filesystem::path& dir);

    WorkDirLock(WorkDirLock&& other) noexcept;
    WorkDirLock& operator=(WorkDirLock&&) = delete;
    WorkDirLock(const WorkDirLock&) = delete;
    ~WorkDirLock();

    const std::filesystem::path& Dir() const { return dir_; }
    // Drops the lock and removes the directory if it is empty by now.
    // False when files were left behind.
    bool ReleaseAndRemove();

private:
    WorkDirLock(std::filesystem::path dir, int fd) : dir_(std::move(dir)), fd_(fd) {}
    void Unlock();

    std::filesystem::path dir_;
    int fd_ = -1;
};

}  // namespace velk
