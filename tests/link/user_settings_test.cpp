#include "link/user_settings.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

const SettingField& Field(std::uint8_t type, std::string_view key)
{
    const auto* field = FindUserSetting(type, key);
    EXPECT_NE(field, nullptr) << key;
    return *field;
}

TEST(UserSettings, DialogExamplesReadAsShown)
{
    UserSettings r{};
    SetUserWord(r, 8, 7);
    EXPECT_EQ(ReadUserSetting(r, Field(2, "User lock code")), "0007");
    EXPECT_EQ(ReadUserSetting(r, Field(1, "User Lock Code")), "0007");
    SetUserWord(r, 0, 0b010u << 13);
    EXPECT_EQ(ReadUserSetting(r, Field(2, "TV mode")), "Multi");
    SetUserWord(r, 0, 0b100u << 13);
    EXPECT_EQ(ReadUserSetting(r, Field(2, "TV mode")), "PAL");
    EXPECT_EQ(ReadUserSetting(r, Field(1, "Video Fmt [50MHz]")), "PAL BGDHI");
    SetUserWord(r, 0, 24u << 18 | 1u << 17);
    EXPECT_EQ(ReadUserSetting(r, Field(3, "GMT Offset Value")), "12:00");
    EXPECT_EQ(ReadUserSetting(r, Field(3, "GMT Offset sign")), "+");
    SetUserWord(r, 0, 12u << 19);
    EXPECT_EQ(ReadUserSetting(r, Field(2, "Time zone")), "12:00");
}

TEST(UserSettings, InvertedAndSplitFields)
{
    UserSettings r{};
    EXPECT_EQ(ReadUserSetting(r, Field(2, "GMT usage")), "ON");
    EXPECT_EQ(ReadUserSetting(r, Field(1, "AC3 Output Status")), "No");
    EXPECT_EQ(ReadUserSetting(r, Field(1, "Parent Lock")), "Yes");
    ASSERT_TRUE(WriteUserSetting(r, Field(2, "GMT usage"), "OFF"));
    EXPECT_EQ(UserWord(r, 0), 1u << 9);
    SetUserWord(r, 0, 1u << 11 | 1u << 12);
    EXPECT_EQ(ReadUserSetting(r, Field(2, "Screen mode")), "16:9");
    ASSERT_TRUE(WriteUserSetting(r, Field(2, "Screen mode"), "4:3 Letter Box"));
    EXPECT_EQ(UserWord(r, 0), 1u << 11);
    ASSERT_TRUE(WriteUserSetting(r, Field(2, "Screen mode"), "4:3 Full Screen"));
    EXPECT_EQ(UserWord(r, 0), 0u);
    // UHF mode is stored as index + 1.
    ASSERT_TRUE(WriteUserSetting(r, Field(2, "UHF mode"), "PAL D/K"));
    EXPECT_EQ((UserWord(r, 1) >> 15) & 7, 3u);
}

TEST(UserSettings, WritingOneFieldKeepsEveryOtherBit)
{
    UserSettings r{};
    r.fill(0xA5);
    const UserSettings before = r;
    ASSERT_TRUE(WriteUserSetting(r, Field(1, "Region Name"), "Tokyo"));
    EXPECT_EQ(ReadUserSetting(r, Field(1, "Region Name")), "Tokyo");
    EXPECT_EQ(UserWord(r, 0) & ~(63u << 3), UserWord(before, 0) & ~(63u << 3));
    EXPECT_TRUE(std::equal(r.begin() + 4, r.end(), before.begin() + 4));
    // A mapped field already showing the chosen entry keeps its code.
    SetUserWord(r, 0, 0b111u << 27);
    ASSERT_TRUE(WriteUserSetting(r, Field(1, "Video Fmt [60MHz]"), "NTSC"));
    EXPECT_EQ(UserWord(r, 0), 0b111u << 27);
    ASSERT_TRUE(WriteUserSetting(r, Field(1, "Video Fmt [60MHz]"), "PAL M"));
    EXPECT_EQ(UserWord(r, 0), 0b011u << 27);
}

TEST(UserSettings, RefusedTextsLeaveTheRecord)
{
    UserSettings r{};
    const UserSettings before = r;
    EXPECT_FALSE(WriteUserSetting(r, Field(2, "User lock code"), "123"));
    EXPECT_FALSE(WriteUserSetting(r, Field(2, "User lock code"), "12a4"));
    EXPECT_FALSE(WriteUserSetting(r, Field(2, "TV mode"), "SECAM"));
    EXPECT_FALSE(WriteUserSetting(r, Field(2, "Brightness"), "16"));
    EXPECT_FALSE(WriteUserSetting(r, Field(2, "Favorite group1"), "TooLongNm"));
    EXPECT_EQ(r, before);
    ASSERT_TRUE(WriteUserSetting(r, Field(2, "User lock code"), "0042"));
    EXPECT_EQ(UserWord(r, 8), 42u);
}

TEST(UserSettings, TransparencyAndOsdTimeoutOfTypes1And3)
{
    UserSettings r{};
    SetUserWord(r, 10, 53u << 15);  // (126 - 106) / 10 = 2
    EXPECT_EQ(ReadUserSetting(r, Field(1, "Transparency (%)")), "20");
    ASSERT_TRUE(WriteUserSetting(r, Field(1, "Transparency (%)"), "60"));
    EXPECT_EQ((UserWord(r, 10) >> 15) & 0x7F, 33u);
    SetUserWord(r, 1, 4u << 18);
    EXPECT_EQ(ReadUserSetting(r, Field(1, "OSD Timeout Value")), "5");
    ASSERT_TRUE(WriteUserSetting(r, Field(1, "OSD Timeout Value"), "1"));
    EXPECT_EQ(UserWord(r, 1), 0u);
}

TEST(UserSettings, LanguageCodesMapBothWays)
{
    UserSettings r{};
    const std::array<std::uint8_t, 4> ger{'G', 'E', 'R', 0};
    std::copy(ger.begin(), ger.end(), r.begin() + 12);
    EXPECT_EQ(ReadUserSetting(r, Field(1, "Pref Audio Lang I")), "German");
    const std::array<std::uint8_t, 4> fin{'F', 'I', 'N', 0};
    std::copy(fin.begin(), fin.end(), r.begin() + 16);
    EXPECT_EQ(ReadUserSetting(r, Field(1, "Pref Audio Lang II")), "English");  // not in type 1's list
    EXPECT_EQ(ReadUserSetting(r, Field(3, "Pref Audio Lang II")), "Finnish");
    ASSERT_TRUE(WriteUserSetting(r, Field(3, "Pref Audio Lang III"), "Dutch"));
    EXPECT_EQ(Bytes(r.begin() + 148, r.begin() + 152), (Bytes{'D', 'U', 'T', 0}));
    EXPECT_FALSE(WriteUserSetting(r, Field(1, "Pref Audio Lang III"), "Crotian"));
    EXPECT_EQ(LanguageForCode("NLA", 3), 10u);
    EXPECT_EQ(LanguageForCode("xx", 3), 0u);
}

TEST(UserSettings, Type2DefaultsNameTheFavouriteGroups)
{
    const auto r = sdb::DefaultUserSettings(2);
    EXPECT_EQ(ReadUserSetting(r, Field(2, "Favorite group1")), "Movie");
    EXPECT_EQ(ReadUserSetting(r, Field(2, "Favorite group4")), "Music");
    EXPECT_EQ(r[110], 'N');
}

}  // namespace
}  // namespace velk::link
