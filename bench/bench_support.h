#pragma once
// Helpers shared by the benchmarks.
#include "common/ui.h"
#include "database/working_store.h"

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

inline constexpr std::uint32_t kSatellites = 64;
inline constexpr std::uint32_t kCarriers = 2000;
inline constexpr std::uint32_t kServices = 25000;

// 8 LNBs, 64 satellites, 2 000 carriers and 25 000 services in a shuffled channel order.
class FullStore {
public:
    FullStore();

    ScratchDir dir;
    SilentUi ui;
    WorkingStore store;
};

}  // namespace velk::bench
