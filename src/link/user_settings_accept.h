#pragma once
// "&Ok" of the two "User Settings" dialogs: the texts of every field are
// checked (lock code, then the RF channel of types 1 and 3) and packed into
// the record; the dialogs only gather the texts and show what comes back.
#include "link/user_settings.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace velk::link {

inline constexpr const char* kLockCodeMessage = "Invalid lock code, should enter 4 character as lock code";
inline constexpr const char* kRfChannelMessage = "RF Channel No is not with in the allowed range";
inline constexpr const char* kColourQuestion = "Do you want to edit color settings ?";
inline constexpr const char* kThemeMessage = "Select the theme for which you want to set the color";

// The dialog's texts by field key.
using SettingTexts = std::map<std::string, std::string, std::less<>>;

SettingTexts ReadUserSettings(const UserSettings& record, std::uint8_t productType);

// The RF channels each standard of "RF Mode Settings" allows ("NTSCM", "PAL G",
// "PAL I", "PAL K"): the UHF channels of the standard's band plan.
std::pair<unsigned, unsigned> RfChannelRange(std::size_t rfModeIndex);

struct SettingsRefusal {
    std::string key;  // the field that takes the focus
    std::string message;
};
// The first check that fails, in the dialog's order.
std::optional<SettingsRefusal> CheckUserSettings(std::uint8_t productType, const SettingTexts& texts);

// Packs the changed texts into the record (fields left as shown and bits no
// field names are kept). On type 2, w0 bit 24
// ("no services") is cleared when the database has services. False with the
// record unchanged when a check fails or a text does not fit its field.
bool AcceptUserSettings(UserSettings& record, std::uint8_t productType, const SettingTexts& texts, std::uint32_t serviceCount);

}  // namespace velk::link
