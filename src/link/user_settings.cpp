#include "link/user_settings.h"

#include "common/format.h"

#include <algorithm>
#include <charconv>
#include <deque>

namespace velk::link {
namespace {

constexpr std::array<Language, 17> kLanguages{{
    {"English", "ENG", "ENG"}, {"French", "FRA", "FRE"},   {"German", "DEU", "GER"},   {"Russian", "RUS", "RUS"},
    {"Arabic", "ARA", "ARA"},  {"Portugese", "POR", "POR"}, {"Turkish", "TUR", "TUR"}, {"Spanish", "ESL", "SPA"},
    {"Polish", "POL", "POL"},  {"Italian", "ITA", "ITA"},   {"Dutch", "DUT", "NLA"},   {"Czech", "CES", "CZE"},
    {"Finnish", "FIN", "FIN"}, {"Slovak", "SLK", "SLO"},    {"Slovenien", "SLV", "SLV"}, {"Swedish", "SVE", "SWE"},
    {"Crotian", "CRO", "CRO"},
}};

std::vector<std::string_view> Hours(unsigned count, unsigned stepMinutes)
{
    static std::deque<std::string> texts;  // the views below point into this; a deque keeps them valid
    std::vector<std::string_view> out;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned minutes = i * stepMinutes;
        const auto text = Format("%02u:%02u", minutes / 60, minutes % 60);
        const auto it = std::find(texts.begin(), texts.end(), text);
        out.push_back(it != texts.end() ? *it : texts.emplace_back(text));
    }
    return out;
}

std::vector<SettingField> Type2Fields()
{
    using K = FieldKind;
    std::vector<SettingField> f{
        {"GMT usage", "GMT usage ", K::List, 0, {9, 1}, {"OFF", "ON"}, {}, true},
        {"Time zone sign", "Time zone ", K::List, 0, {17, 1}, {"-", "+"}},
        {"Time zone", "Time zone ", K::List, 0, {19, 4}, {}},
        {"Screen mode", "Screen mode ", K::AspectRatio, 0, {11, 2}, {"4:3 Full Screen", "4:3 Letter Box", "16:9"}},
        {"TV mode", "TV mode", K::List, 0, {13, 3}, {"Multi", "PAL", "NTSC"}, {0b010, 0b100, 0b001}},
        {"SPDIF output", "SPDIF output", K::List, 0, {31, 1}, {"OFF", "ON"}},
        {"VCR scart", "VCR scart", K::List, 0, {23, 1}, {"Auto", "STB"}},
        {"Video output", "Video output", K::List, 0, {16, 1}, {"CVBS", "RGB"}, {}, true},
        {"UHF mode", "UHF mode", K::List, 1, {15, 3}, {"PAL B/G", "PAL I", "PAL D/K"}, {}, false, 1},
        {"UHF channel", "UHF channel", K::Number, 1, {7, 8}},
        {"Brightness", "Brightness", K::Number, 1, {0, 4}},
        {"Transparency", "Transparency", K::Number, 10, {15, 7}},
        {"OSD Timeout value", "OSD Timeout value ", K::List, 1, {18, 4}, {"1", "2", "3", "4", "5", "6", "10", "20", "30"}},
        {"Color Themes", "Color Themes ", K::List, 1, {4, 3}, {"Basic", "Color1", "Color2"}},
        {"Menu language", "Menu language", K::List, 1, {22, 6},
         {"English", "Spanish", "Italian", "French", "German", "Trukish", "Russian", "Swedish", "Slavic", "Dutch",
          "Slovak", "Romanian", "Hungarian", "Polish", "Czech", "Bulgarian"}},
        {"Pref audio lang- I", "Pref audio lang- I", K::List, 33, {6, 4}},
        {"Pref audio lang- II", "Pref audio lang- II", K::List, 33, {10, 4}},
        {"Sub-Title language", "Sub-Title language", K::List, 33, {14, 4},
         {"English", "French", "Swedish", "Finnish", "Hungarian", "Czech", "German", "Portugues", "Spanish",
          "Italian", "Danish", "Russian"}},
        {"Parent lock", "Parent lock ", K::List, 10, {22, 1}, {"Unlock", "Lock"}},
        {"User lock code", "User lock code ", K::LockCode, 8},
    };
    f[2].values = Hours(13, 60);
    const std::vector<std::string_view> audio{"English", "Italian", "Spanish", "French", "German",
                                              "Turkish", "Arabic", "Dutch", "Portuguese", "Russian",
                                              "Estonian", "Catalan", "Romanian", "Persian", "Latin"};
    f[15].values = audio;
    f[16].values = audio;
    static constexpr std::array<std::string_view, 4> kGroups{"Favorite group1", "Favorite group2", "Favorite group3", "Favorite group4"};
    for (std::size_t i = 0; i < kGroups.size(); ++i)
        f.push_back({kGroups[i], kGroups[i], K::Name, 0, {0, 0}, {}, {}, false, 0, 92 + 9 * i, 9});
    return f;
}

std::vector<SettingField> Type13Fields(std::uint8_t productType)
{
    using K = FieldKind;
    std::vector<std::string_view> osdLanguages;
    for (std::size_t i = 0; i < 11; ++i)
        osdLanguages.push_back(kLanguages[i].name);
    std::vector<std::string_view> audioLanguages;
    for (const auto& language : Languages(productType))
        audioLanguages.push_back(language.name);
    std::vector<SettingField> f{
        {"Timer Mode", "Timer Mode", K::List, 0, {9, 1}, {"Auto", "Manual"}},
        {"Summer Time", "Summer Time", K::List, 0, {30, 1}, {"OFF", "ON"}},
        {"Region Name", "Region Name", K::List, 0, {3, 6},
         {"User", "Eniwetok", "Samoa", "Hawai", "Alaska", "Tijuana", "Arizona", "Mexico City", "Lima",
          "Brasilia", "London", "Rome", "Berlin", "Paris", "Jerusalam", "Baghdad", "Moscow", "Nairobi",
          "Abu Dhabi", "Kabul", "Islamabad", "Bombay", "Almaty", "Colombo", "Bangkok", "Beijing", "Hongkong",
          "Perth", "Singapore", "Taipei", "Tokyo", "Seoul", "Darwin", "Sydney", "Hobart", "Auckland"}},
        {"GMT Offset sign", "GMT Offset Value", K::List, 0, {17, 1}, {"-", "+"}},
        {"GMT Offset Value", "GMT Offset Value", K::List, 0, {18, 5}, Hours(25, 30)},
        {"Aspect Ratio", "Aspect Ratio", K::AspectRatio, 0, {11, 2}, {"4:3 Pan Scan", "4:3 Letter Box", "16:9"}},
        {"Video Fmt [50MHz]", "Video Fmt [50MHz]", K::List, 0, {13, 3}, {"PAL BGDHI", "PAL N", "SECAM"}, {0b100, 0b101, 0b110}},
        {"Video Fmt [60MHz]", "Video Fmt [60MHz]", K::List, 0, {27, 3}, {"NTSC", "PAL M"}, {0b000, 0b011}},
        {"Video Type", "Video Type", K::List, 0, {16, 1}, {"RGB", "Composite"}},
        {"AC3 Output Status", "AC3 Output Status", K::List, 0, {31, 1}, {"Yes", "No"}, {}, true},
        {"RF Mode Settings", "RF Mode Settings", K::List, 1, {15, 3}, {"NTSCM", "PAL G", "PAL I", "PAL K"}},
        {"RF Channel No", "RF Channel No ", K::Number, 1, {7, 8}},
        {"OSD Timeout Value", "OSD Timeout Value ", K::Number, 1, {18, 4}, {}, {}, false, 1},
        {"OSD Language", "OSD Language", K::List, 1, {22, 6}, osdLanguages},
        {"Menu Slide Level", "Menu Slide Level ", K::List, 1, {28, 4}, {"No Slide", "Level 1", "Level 2", "Level 3", "Level 4"}},
        {"Transparency (%)", "Transparency (%)", K::Transparency, 10, {15, 7}, {"0", "10", "20", "30", "40", "50", "60"}},
        {"Pref Audio Lang I", "Pref Audio Lang I", K::LanguageCode, 0, {0, 0}, audioLanguages, {}, false, 0, 12, 4},
        {"Pref Audio Lang II", "Pref Audio Lang II", K::LanguageCode, 0, {0, 0}, audioLanguages, {}, false, 0, 16, 4},
        {"Pref Audio Lang III", "Pref Audio Lang III", K::LanguageCode, 0, {0, 0}, audioLanguages, {}, false, 0,
         productType == 3 ? 148u : 20u, 4},
        {"User Lock Code", "User Lock Code", K::LockCode, 8},
        {"Parent Lock", "Parent Lock ", K::List, 10, {22, 1}, {"No", "Yes"}, {}, true},
        {"Receiver Lock Status", "Receiver Lock Status", K::List, 12, {30, 1}, {"No", "Yes"}, {}, true},
    };
    return f;
}

std::optional<std::uint32_t> ParseDecimalText(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<std::size_t> EntryOf(const SettingField& field, std::string_view text)
{
    const auto it = std::find(field.values.begin(), field.values.end(), text);
    if (it == field.values.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - field.values.begin());
}

std::string TextAt(const UserSettings& record, std::size_t offset, std::size_t length)
{
    const auto begin = record.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::string(begin, std::find(begin, begin + static_cast<std::ptrdiff_t>(length), 0));
}

void StoreText(UserSettings& record, std::size_t offset, std::size_t length, std::string_view text)
{
    auto begin = record.begin() + static_cast<std::ptrdiff_t>(offset);
    std::fill_n(begin, length, 0);
    std::copy(text.begin(), text.end(), begin);
}

std::size_t ListIndex(const SettingField& field, std::uint32_t raw)
{
    if (field.inverted)
        return raw != 0 ? 0 : 1;
    if (!field.codes.empty()) {
        const auto it = std::find(field.codes.begin(), field.codes.end(), raw);
        return it == field.codes.end() ? 0 : static_cast<std::size_t>(it - field.codes.begin());
    }
    return raw - field.offset;
}

// Type 3 lists all 17 languages, type 1 the first 11.
std::uint8_t LanguageType(const SettingField& field) { return field.values.size() == kLanguages.size() ? 3 : 1; }

}  // namespace

std::span<const SettingField> UserSettingFields(std::uint8_t productType)
{
    static const std::vector<SettingField> type2 = Type2Fields();
    static const std::vector<SettingField> type1 = Type13Fields(1);
    static const std::vector<SettingField> type3 = Type13Fields(3);
    return productType == 2 ? type2 : productType == 3 ? type3 : type1;
}

const SettingField* FindUserSetting(std::uint8_t productType, std::string_view key)
{
    for (const auto& field : UserSettingFields(productType))
        if (field.key == key)
            return &field;
    return nullptr;
}

std::span<const Language> Languages(std::uint8_t productType)
{
    return std::span<const Language>(kLanguages).first(productType == 3 ? 17 : 11);
}

std::size_t LanguageForCode(std::string_view code, std::uint8_t productType)
{
    const auto list = Languages(productType);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (code == list[i].code || code == list[i].alternative)
            return i;
    return 0;
}

std::size_t UserSettingIndex(const UserSettings& record, const SettingField& field)
{
    const std::uint32_t word = UserWord(record, field.word);
    switch (field.kind) {
    case FieldKind::List:
        return ListIndex(field, field.bits.Get(word));
    case FieldKind::AspectRatio:
        return (word >> 12) & 1 ? 2 : (word >> 11) & 1;
    case FieldKind::Transparency: {
        const int v = static_cast<int>(field.bits.Get(word));
        return 126 - 2 * v < 0 ? field.values.size() : static_cast<std::size_t>((126 - 2 * v) / 10);
    }
    default:
        return 0;
    }
}

std::string ReadUserSetting(const UserSettings& record, const SettingField& field)
{
    const std::uint32_t word = UserWord(record, field.word);
    switch (field.kind) {
    case FieldKind::Number:
        return std::to_string(field.bits.Get(word) + field.offset);
    case FieldKind::LockCode:
        return Format("%04u", word);
    case FieldKind::Name:
        return TextAt(record, field.byteOffset, field.length);
    case FieldKind::LanguageCode:
        return std::string(field.values[LanguageForCode(TextAt(record, field.byteOffset, field.length), LanguageType(field))]);
    default: {
        const auto index = UserSettingIndex(record, field);
        return index < field.values.size() ? std::string(field.values[index]) : std::string();
    }
    }
}

bool WriteUserSetting(UserSettings& record, const SettingField& field, std::string_view text)
{
    std::uint32_t word = UserWord(record, field.word);
    switch (field.kind) {
    case FieldKind::List: {
        const auto index = EntryOf(field, text);
        if (!index)
            return false;
        std::uint32_t raw = static_cast<std::uint32_t>(*index) + field.offset;
        if (field.inverted)
            raw = *index == 0 ? 1 : 0;
        else if (!field.codes.empty())
            raw = ListIndex(field, field.bits.Get(word)) == *index ? field.bits.Get(word) : field.codes[*index];
        word = field.bits.Set(word, raw);
        break;
    }
    case FieldKind::AspectRatio: {
        const auto index = EntryOf(field, text);
        if (!index)
            return false;
        word = *index == 2 ? (word | (1u << 12)) : BitField{11, 1}.Set(word & ~(1u << 12), static_cast<std::uint32_t>(*index));
        break;
    }
    case FieldKind::Transparency: {
        const auto index = EntryOf(field, text);
        if (!index)
            return false;
        word = field.bits.Set(word, 63 - 5 * static_cast<std::uint32_t>(*index));
        break;
    }
    case FieldKind::Number: {
        const auto value = ParseDecimalText(text);
        if (!value || *value < field.offset || *value - field.offset > field.bits.Mask())
            return false;
        word = field.bits.Set(word, *value - field.offset);
        break;
    }
    case FieldKind::LockCode: {
        const auto value = text.size() == 4 ? ParseDecimalText(text) : std::nullopt;
        if (!value)
            return false;
        word = *value;
        break;
    }
    case FieldKind::Name:
        if (text.size() >= field.length || text.find('\0') != std::string_view::npos)
            return false;
        StoreText(record, field.byteOffset, field.length, text);
        return true;
    case FieldKind::LanguageCode: {
        const auto list = Languages(LanguageType(field));
        const auto it = std::find_if(list.begin(), list.end(), [&](const Language& l) { return l.name == text; });
        if (it == list.end())
            return false;
        StoreText(record, field.byteOffset, field.length, it->code);
        return true;
    }
    }
    SetUserWord(record, field.word, word);
    return true;
}

}  // namespace velk::link
