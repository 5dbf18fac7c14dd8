#pragma once
// The "Settings" dialog without its window: what it lists from a configuration
// file, and its "&Ok", which stores the choices into the upload configuration
// and switches the open database to another product type.
#include "common/ui.h"
#include "database/working_store.h"
#include "link/upload_config.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velk::link {

struct SettingsChoice {
    PortSettings port;
    bool pidsDecimal = true;
    std::uint8_t productType = 1;
    bool compressImage = false;
    std::uint8_t compressionType = 0;   // 0 "Zlib", 1 "Bin2Cod"
    std::uint8_t compressionLevel = 5;  // list index: level 1 is 0
    std::filesystem::path configurationFile;
    // Index into the "Configuration List" (every entry of every group), when one is chosen.
    std::optional<std::size_t> configurationEntry;
    std::filesystem::path parserFile;
};

// The choices as the configuration holds them now.
SettingsChoice CurrentSettings(const UploadConfig& config);

// The "Configuration List" of a chosen file. Nullopt after the blank-in-path
// refusal (warning), or when the file is not a configuration file ('e','C').
std::optional<std::vector<std::string>> ConfigurationList(Ui& ui, const std::filesystem::path& file);

// "&Ok". A product-type change deletes "KymADBDump.dbi" and "KymE2PDump.dbi",
// switches the store and, while its defaults are the untouched factory values,
// reloads those of the new type (defaults from the DV record or edited since
// are kept, so no edit is lost). The chosen entry's image record is read; an entry the file does not
// hold shows "Configuration setting problem". Returns true when the product type changed.
bool ApplySettings(Ui& ui, const SettingsChoice& choice, UploadConfig& config, WorkingStore& store, bool dvRead);

}  // namespace velk::link
