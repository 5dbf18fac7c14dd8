#include "link/user_settings_accept.h"

#include <algorithm>
#include <charconv>

namespace velk::link {
namespace {

std::string_view TextOf(const SettingTexts& texts, std::string_view key)
{
    const auto it = texts.find(key);
    return it == texts.end() ? std::string_view() : std::string_view(it->second);
}

std::optional<unsigned> Number(std::string_view text)
{
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

constexpr std::uint32_t kNoServicesBit = 1u << 24;

}  // namespace

SettingTexts ReadUserSettings(const UserSettings& record, std::uint8_t productType)
{
    SettingTexts texts;
    for (const auto& field : UserSettingFields(productType))
        texts.emplace(std::string(field.key), ReadUserSetting(record, field));
    return texts;
}

std::pair<unsigned, unsigned> RfChannelRange(std::size_t rfModeIndex)
{
    // NTSC M modulators tune UHF 14..69; the PAL systems G, I and K use 21..69.
    return rfModeIndex == 0 ? std::pair{14u, 69u} : std::pair{21u, 69u};
}

std::optional<SettingsRefusal> CheckUserSettings(std::uint8_t productType, const SettingTexts& texts)
{
    const auto* lock = FindUserSetting(productType, productType == 2 ? "User lock code" : "User Lock Code");
    if (lock && TextOf(texts, lock->key).size() != 4)
        return SettingsRefusal{std::string(lock->key), kLockCodeMessage};
    if (productType == 2)
        return std::nullopt;
    const auto* mode = FindUserSetting(productType, "RF Mode Settings");
    const auto modeText = TextOf(texts, "RF Mode Settings");
    const auto entry = std::find(mode->values.begin(), mode->values.end(), modeText);
    const auto [low, high] = RfChannelRange(static_cast<std::size_t>(entry - mode->values.begin()));
    const auto channel = Number(TextOf(texts, "RF Channel No"));
    if (!channel || *channel < low || *channel > high)
        return SettingsRefusal{"RF Channel No", kRfChannelMessage};
    return std::nullopt;
}

bool AcceptUserSettings(UserSettings& record, std::uint8_t productType, const SettingTexts& texts, std::uint32_t serviceCount)
{
    if (CheckUserSettings(productType, texts))
        return false;
    UserSettings packed = record;
    for (const auto& field : UserSettingFields(productType)) {
        // A field left as shown keeps its bits, also a value outside its list.
        const auto it = texts.find(field.key);
        if (it == texts.end() || it->second == ReadUserSetting(record, field))
            continue;
        if (!WriteUserSetting(packed, field, it->second))
            return false;
    }
    if (productType == 2 && serviceCount > 0)
        SetUserWord(packed, 0, UserWord(packed, 0) & ~kNoServicesBit);
    record = packed;
    return true;
}

}  // namespace velk::link
