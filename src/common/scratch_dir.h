#pragma once
// A private folder for one run's scratch files, made with mkdtemp in $TMPDIR
// and removed with everything in it when the owner goes.
#include "common/error.h"

#include <filesystem>
#include <string_view>

namespace velk {

class ScratchDir {
public:
    // "$TMPDIR/<prefix>-XXXXXX".
    static Expected<ScratchDir> Create(std::string_view prefix);

    ~ScratchDir();
    ScratchDir(ScratchDir&& other) noexcept;
    ScratchDir& operator=(ScratchDir&& other) noexcept;
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    explicit ScratchDir(std::filesystem::path path) : path_(std::move(path)) {}
    void Remove();

    std::filesystem::path path_;
};

}  // namespace velk
