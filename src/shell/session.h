#pragma once
// One run of the program: the start directory, the working directory with its
// lock, the DV record from settings.ini and the working store. Start() and
// Shutdown() follow the receiver tool's start-up and exit order.
#include "common/ui.h"
#include "database/default_values.h"
#include "database/working_store.h"
#include "shell/settings_cipher.h"
#include "shell/work_dir.h"

#include <filesystem>
#include <optional>

namespace velk {

inline constexpr const char* kSettingsFileName = "settings.ini";
inline constexpr const char* kPlainSettingsFileName = "~001.dat";
inline constexpr const char* kWorkDirName = "Temp";

class Session {
public:
    // Reads the DV record, then creates WorkDir; shows "Couldn't create new
    // directory." and yields nullopt when WorkDir is held by another run.
    static std::optional<Session> Start(const std::filesystem::path& startDir, Ui& ui);

    WorkingStore& Store() { return store_; }
    const WorkingStore& Store() const { return store_; }
    const std::filesystem::path& StartDir() const { return startDir_; }
    const std::filesystem::path& WorkDir() const { return store_.dir; }
    bool DvRecordRead() const { return dvRead_; }

    // "Velk Editor %d.%d.%d [ Type N ]", or the bare title for another product type.
    std::string FrameTitle() const;

    // Deletes the working files, writes the DV record back into settings.ini
    // and removes WorkDir. False when something was left behind.
    bool Shutdown();

private:
    Session(std::filesystem::path startDir, WorkDirLock lock) : startDir_(std::move(startDir)), lock_(std::move(lock)) {}

    std::filesystem::path startDir_;
    WorkDirLock lock_;
    WorkingStore store_;
    DvRecord dv_;
    bool dvRead_ = false;
    bool shutDown_ = false;
};

// The start directory without a trailing separator.
std::filesystem::path NormalizeStartDir(const std::filesystem::path& dir);

// Reads settings.ini of `startDir` through the plain copy: the DV record if
// one was read, and the product type (1 without a readable file, the record's
// type otherwise, 0 when the plain copy does not begin with "DV").
struct SettingsFileContent {
    std::optional<DvRecord> dv;
    std::uint8_t productType = 1;
};
SettingsFileContent ReadSettingsFile(const std::filesystem::path& startDir);
bool WriteSettingsFile(const std::filesystem::path& startDir, const std::filesystem::path& workDir, const DvRecord& dv);

}  // namespace velk
