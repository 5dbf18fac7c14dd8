#pragma once
// Helpers shared by the benchmarks.
#include "common/ui.h"

#include <filesystem>

namespace velk::bench {

// A UI port that answers every question with Yes / OK and shows nothing.
class SilentUi final : public Ui {
public:
    Answer Message(const std::string&, const std::string&, Icon, Buttons b) override
    {
        return b == Buttons::YesNo || b == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }
    void ProgressBegin(const std::string&, std::uint32_t) override {}
    void ProgressSet(std::uint32_t) override {}
    void ProgressEnd() override {}
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }
};

// A fresh directory, removed at destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace velk::bench
