#include "shell/settings_cipher.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(SettingsCipher, KnownAnswerForTheDvHeader)
{
    // RC4 keyed with MD5("QZR7") (4f 54 ...), computed independently.
    const auto out = SettingsCipher(Bytes{'D', 'V', 0x01, 0x1C});
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, (Bytes{0xb7, 0x3f, 0xba, 0xe7}));
}

TEST(SettingsCipher, FileRoundTripIncludingAnEmptyFile)
{
    test::TempDir dir;
    for (const Bytes& plain : {Bytes{}, Bytes(2500, 0x5A)}) {
        test::WriteBytes(dir / "plain", plain);
        ASSERT_TRUE(EncryptSettingsFile(dir / "plain", dir / "settings.ini"));
        EXPECT_EQ(test::ReadBytes(dir / "settings.ini").size(), plain.size());
        ASSERT_TRUE(DecryptSettingsFile(dir / "settings.ini", dir / "back"));
        EXPECT_EQ(test::ReadBytes(dir / "back"), plain);
    }
}

TEST(SettingsCipher, MissingInputFailsAndKeepsTheTarget)
{
    test::TempDir dir;
    test::WriteText(dir / "settings.ini", "keep");
    EXPECT_FALSE(EncryptSettingsFile(dir / "absent", dir / "settings.ini"));
    EXPECT_EQ(test::ReadBytes(dir / "settings.ini"), (Bytes{'k', 'e', 'e', 'p'}));
}

}  // namespace
}  // namespace velk
