// "&Ok" of the "User Settings" dialogs: the refusals and the packing.
#include "link/user_settings_accept.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

TEST(UserSettingsAccept, LockCodeAndRfChannelAreRefusedInOrder)
{
    auto texts = ReadUserSettings(sdb::DefaultUserSettings(1), 1);
    texts["User Lock Code"] = "123";
    texts["RF Channel No"] = "5";
    auto refusal = CheckUserSettings(1, texts);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, "Invalid lock code, should enter 4 character as lock code");
    EXPECT_EQ(refusal->key, "User Lock Code");
    texts["User Lock Code"] = "0042";
    refusal = CheckUserSettings(1, texts);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->message, "RF Channel No is not with in the allowed range");
    EXPECT_EQ(refusal->key, "RF Channel No");
    // NTSC M allows 14..69, the PAL standards 21..69.
    texts["RF Mode Settings"] = "NTSCM";
    texts["RF Channel No"] = "14";
    EXPECT_FALSE(CheckUserSettings(1, texts));
    texts["RF Mode Settings"] = "PAL I";
    EXPECT_TRUE(CheckUserSettings(1, texts));
    texts["RF Channel No"] = "69";
    EXPECT_FALSE(CheckUserSettings(3, texts));
    texts["RF Channel No"] = "70";
    EXPECT_TRUE(CheckUserSettings(3, texts));

    auto type2 = ReadUserSettings(sdb::DefaultUserSettings(2), 2);
    type2["User lock code"] = "12345";
    ASSERT_TRUE(CheckUserSettings(2, type2));
    UserSettings record = sdb::DefaultUserSettings(2);
    const auto before = record;
    EXPECT_FALSE(AcceptUserSettings(record, 2, type2, 0));
    EXPECT_EQ(record, before);  // refused: unchanged
}

TEST(UserSettingsAccept, EveryFieldRoundTripsAndTheNoServicesBitFollowsTheDatabase)
{
    UserSettings record = sdb::DefaultUserSettings(2);
    SetUserWord(record, 0, UserWord(record, 0) | 1u << 24);
    auto texts = ReadUserSettings(record, 2);
    texts["User lock code"] = "0007";
    texts["Time zone"] = "05:00";
    texts["Menu language"] = "Czech";
    texts["Favorite group2"] = "Kids";
    texts["UHF channel"] = "42";
    ASSERT_TRUE(AcceptUserSettings(record, 2, texts, 0));
    EXPECT_EQ(ReadUserSettings(record, 2), texts);
    EXPECT_NE(UserWord(record, 0) & 1u << 24, 0u);  // no services: the bit stays
    ASSERT_TRUE(AcceptUserSettings(record, 2, texts, 3));
    EXPECT_EQ(UserWord(record, 0) & 1u << 24, 0u);

    UserSettings type3 = sdb::DefaultUserSettings(1);
    auto texts3 = ReadUserSettings(type3, 3);
    texts3["RF Mode Settings"] = "PAL K";
    texts3["RF Channel No"] = "33";
    texts3["Pref Audio Lang III"] = "Swedish";
    texts3["User Lock Code"] = "9999";
    ASSERT_TRUE(AcceptUserSettings(type3, 3, texts3, 1));
    EXPECT_EQ(ReadUserSettings(type3, 3), texts3);
}

}  // namespace
}  // namespace velk::link
