#pragma once
// The cipher of settings.ini: RC4 keyed with the MD5 digest of "QZR7", which is
// the key the receiver tools' crypto provider derives, so old files stay readable.
#include "common/bytes.h"

#include <filesystem>
#include <optional>

namespace velk {

// RC4 over the whole buffer (the same call encrypts and decrypts).
std::optional<Bytes> SettingsCipher(ByteView data);

// Decrypts `encrypted` into `plain`; true on success.
bool DecryptSettingsFile(const std::filesystem::path& encrypted, const std::filesystem::path& plain);
// Encrypts `plain` into `encrypted`, replacing it only once the new file is complete.
bool EncryptSettingsFile(const std::filesystem::path& plain, const std::filesystem::path& encrypted);

}  // namespace velk
