#include "shell/settings_cipher.h"

#include "common/files.h"

#include <gcrypt.h>

#include <array>
#include <memory>

namespace velk {
namespace {

constexpr std::string_view kPassword = "QZR7";

struct CipherCloser {
    void operator()(gcry_cipher_hd_t h) const { gcry_cipher_close(h); }
};
using CipherHandle = std::unique_ptr<std::remove_pointer_t<gcry_cipher_hd_t>, CipherCloser>;

bool EnsureGcrypt()
{
    static const bool ready = [] {
        if (!gcry_check_version(GCRYPT_VERSION))
            return false;
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
        return true;
    }();
    return ready;
}

}  // namespace

std::optional<Bytes> SettingsCipher(ByteView data)
{
    if (!EnsureGcrypt())
        return std::nullopt;
    std::array<std::uint8_t, 16> key{};
    gcry_md_hash_buffer(GCRY_MD_MD5, key.data(), kPassword.data(), kPassword.size());
    gcry_cipher_hd_t raw = nullptr;
    if (gcry_cipher_open(&raw, GCRY_CIPHER_ARCFOUR, GCRY_CIPHER_MODE_STREAM, 0) != 0)
        return std::nullopt;
    CipherHandle handle(raw);
    if (gcry_cipher_setkey(handle.get(), key.data(), key.size()) != 0)
        return std::nullopt;
    Bytes out(data.begin(), data.end());
    if (!out.empty() && gcry_cipher_encrypt(handle.get(), out.data(), out.size(), nullptr, 0) != 0)
        return std::nullopt;
    return out;
}

namespace {

bool Transform(const std::filesystem::path& from, const std::filesystem::path& to)
{
    const auto input = ReadFileBytes(from);
    if (!input)
        return false;
    const auto output = SettingsCipher(*input);
    return output && WriteFileAtomic(to, *output);
}

}  // namespace

bool DecryptSettingsFile(const std::filesystem::path& encrypted, const std::filesystem::path& plain)
{
    return Transform(encrypted, plain);
}

bool EncryptSettingsFile(const std::filesystem::path& plain, const std::filesystem::path& encrypted)
{
    return Transform(plain, encrypted);
}

}  // namespace velk
