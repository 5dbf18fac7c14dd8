#pragma once
// What the SDB file commands keep between calls for the open database: the
// version values and user initial written into every saved file, the receiver
// user-settings blocks carried in the "UserBox" section, the current file path
// and the size of the last file written.
#include "common/bytes.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace velk::sdb {

using UserSettingsBlock = std::array<std::uint8_t, 196>;

// Defaults of the user-settings block. Product type 1 has its own set; the
// other types share the product type 2 set (favourite groups "Movie", "Sports",
// "News", "Music").
UserSettingsBlock DefaultUserSettings(std::uint8_t productType);

struct UserSettingsBlocks {
    UserSettingsBlock type2 = DefaultUserSettings(2);
    UserSettingsBlock type13 = DefaultUserSettings(1);  // shared by product types 1 and 3

    // The block of a product type: type 2 its own, every other type the shared one.
    UserSettingsBlock& For(std::uint8_t productType) { return productType == 2 ? type2 : type13; }
    const UserSettingsBlock& For(std::uint8_t productType) const { return productType == 2 ? type2 : type13; }
};

struct SdbSession {
    std::uint8_t sdbMajor = 0;  // 0 until a file or the version dialog sets it
    std::uint8_t sdbMinor = 0;
    std::string userInitial;    // at most 3 characters
    UserSettingsBlocks userSettings;
    bool sizeInformation = false;       // next write only measures (SDB information)
    std::uint64_t lastFileSize = 0;     // size of the last new-layout file written
    std::filesystem::path currentFile;  // empty until the database has a file
};

}  // namespace velk::sdb
