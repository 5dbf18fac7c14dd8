#pragma once
// Per-user preferences under "Software\Kym\VelkEditor\<project>\Version<a>.<b>.<c>\":
// recent files, list colours, serial port settings, parser and configuration paths.
#include "link/port_settings.h"
#include "sdb/sdb_save_layout.h"
#include "shell/key_value_store.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

// The key path of a sub-key for this build, with '\' separators.
std::string PreferenceKey(const std::string& subKey);

inline constexpr int kFirstRecentCommand = 40051;
inline constexpr std::size_t kRecentSlots = 4;

class RecentFiles {
public:
    // Reads "FileName1".."FileName4", stopping at the first missing value.
    void Load(const KeyValueStore& store);
    // Moves `path` to the top, dropping a duplicate and, when full, the oldest.
    void Add(const std::string& path);
    // Writes one value per filled slot.
    void Store(KeyValueStore& store) const;

    std::size_t Count() const { return count_; }
    const std::string& At(std::size_t slot) const { return slots_[slot]; }
    // "&%d  %s" and command ID 40051 + slot, most recent first.
    struct MenuItem {
        std::string text;
        int command;
    };
    std::vector<MenuItem> MenuItems() const;

private:
    std::array<std::string, kRecentSlots> slots_;
    std::size_t count_ = 0;
};

// List colours as 0x00BBGGRR.
struct ColourTable {
    std::uint32_t activeSatellite = 0x010101;
    std::uint32_t inactiveSatellite = 0x009100;
    std::uint32_t activeCarrier = 0x010101;
    std::uint32_t inactiveCarrier = 0xFF0000;
    std::uint32_t tvService = 0x010101;
    std::uint32_t radioService = 0x010101;

    // Values that read as 0 count as absent and keep the default.
    void Load(const KeyValueStore& store);
    void Store(KeyValueStore& store) const;
};

// Mode 1 loads "PortSettings" into `settings`, mode 2 stores them. A new key
// gets the defaults written into it first. Returns 1.
int ReadWriteCOMPortValuesToReg(KeyValueStore& store, PortSettings& settings, int mode);

// "SaveLayout": "Layout" ("old" or "new") and "Ask" ("1" or "0"); an absent or
// unknown value keeps the default (the old layout, asking).
void LoadSaveLayout(const KeyValueStore& store, sdb::SaveLayoutChoice& choice);
void StoreSaveLayout(KeyValueStore& store, const sdb::SaveLayoutChoice& choice);

// "Parser" and "Configuration" paths (written when not empty) and the recent list.
void StoreRegistryValues(KeyValueStore& store, const std::string& parserPath, const std::string& configurationPath, const RecentFiles& recent);

}  // namespace velk

namespace velk {

// Everything the program keeps per user, loaded at start and stored at exit.
struct Preferences {
    RecentFiles recent;
    ColourTable colours;
    PortSettings port;
    std::string parserPath;
    std::string configurationPath;
    sdb::SaveLayoutChoice saveLayout;

    // Recent files, colours, the save layout, then the port settings (creating their key on a first run).
    void Load(KeyValueStore& store);
    // "Parser", "Configuration" and "Recently".
    void StoreAtExit(KeyValueStore& store) const;
};

}  // namespace velk
