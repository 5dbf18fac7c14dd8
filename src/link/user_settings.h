#pragma once
// The receiver's 196-byte user settings record and its fields. Product type 2
// has one layout, types 1 and 3 share the other. Every field is read and
// written as the text the settings dialog shows; bits no field names are kept.
#include "common/bit_field.h"
#include "common/bytes.h"
#include "sdb/sdb_session.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velk::link {

inline constexpr std::size_t kUserSettingsSize = 196;

// The record itself is the block the SDB session keeps per product type.
using UserSettings = sdb::UserSettingsBlock;

// The little-endian 32-bit word w<index> (w8 is at byte 32).
inline std::uint32_t UserWord(const UserSettings& r, std::size_t index) { return LoadLe32(r, index * 4); }
inline void SetUserWord(UserSettings& r, std::size_t index, std::uint32_t value) { StoreLe32(r, index * 4, value); }

// How a field's text is kept in the record.
enum class FieldKind {
    List,          // index into `values`, stored in `bits` (see `codes`, `inverted`, `offset`)
    AspectRatio,   // bit 12 set selects entry 2, else bit 11 is the index
    Transparency,  // 7-bit value v in `bits`; the index is (126 - 2v) / 10
    Number,        // decimal value of `bits`, shown plus `offset`
    LockCode,      // the whole word, four digits with leading zeros
    LanguageCode,  // three-letter code at byte `byteOffset`
    Name,          // zero-terminated text of at most `length - 1` characters at `byteOffset`
};

struct SettingField {
    std::string_view key;    // the stable name callers use
    std::string_view label;  // the dialog's text
    FieldKind kind;
    std::size_t word = 0;
    BitField bits{0, 0};
    std::vector<std::string_view> values{};
    std::vector<std::uint32_t> codes{};  // List: the stored value of each entry (else the index)
    bool inverted = false;               // List: a set bit selects entry 0
    std::uint32_t offset = 0;            // List: stored value = index + offset; Number: shown = value + offset
    std::size_t byteOffset = 0;
    std::size_t length = 0;
};

// The fields of the product type's layout, in dialog order.
std::span<const SettingField> UserSettingFields(std::uint8_t productType);
const SettingField* FindUserSetting(std::uint8_t productType, std::string_view key);

// The shown text of a field; for a list, the selected entry.
std::string ReadUserSetting(const UserSettings& record, const SettingField& field);
// The selected entry of a list field.
std::size_t UserSettingIndex(const UserSettings& record, const SettingField& field);
// Packs `text` (an entry of a list, a number, four lock-code digits, a name)
// into the field. False, with the record unchanged, when the text does not fit.
bool WriteUserSetting(UserSettings& record, const SettingField& field, std::string_view text);

// The language list of types 1 and 3 with both codes of each entry.
struct Language {
    std::string_view name;
    std::string_view code;
    std::string_view alternative;
};
std::span<const Language> Languages(std::uint8_t productType);
// The entry a stored code selects: the one whose code or alternative matches, else "English".
std::size_t LanguageForCode(std::string_view code, std::uint8_t productType);

}  // namespace velk::link
