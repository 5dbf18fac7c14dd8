#include "common/charset.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

std::string ToDatabase(std::string_view text, TextEncoding from = TextEncoding::Utf8, std::size_t width = kNoWidthLimit)
{
    NameConversion conversion;
    return conversion.ToDatabase(text, from, width);
}

TEST(Charset, EveryLatin1CharacterRoundTrips)
{
    NameConversion conversion;
    for (int c = 0x20; c <= 0xFF; ++c) {
        if (c >= 0x7F && c < 0xA0)
            continue;  // controls, never part of a name
        const std::string byte(1, static_cast<char>(c));
        const auto utf8 = DatabaseToUtf8(byte);
        EXPECT_EQ(utf8.size(), c < 0x80 ? 1u : 2u) << c;
        EXPECT_EQ(conversion.ToDatabase(utf8), byte) << c;
        EXPECT_EQ(conversion.ToDatabase(byte, TextEncoding::Windows1252), byte) << c;
    }
    EXPECT_FALSE(conversion.Transliterated());
}

TEST(Charset, TransliteratesWhatLatin1CannotHoldAndTellsOnce)
{
    NameConversion conversion;
    EXPECT_EQ(conversion.ToDatabase("Grüße"), "Gr\xFC\xDF" "e");  // ß exists in Latin-1 and stays
    EXPECT_FALSE(conversion.Transliterated());
    EXPECT_EQ(conversion.ToDatabase("Łódź"), "L\xF3" "dz");
    EXPECT_EQ(conversion.ToDatabase("5 €"), "5 EUR");
    EXPECT_EQ(conversion.ToDatabase("“Q” – ‘x’"), "\"Q\" - 'x'");
    EXPECT_TRUE(conversion.Transliterated());

    test::ScriptedUi ui;
    conversion.TellUser(ui);
    conversion.TellUser(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kNamesTransliterated);
    EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
}

TEST(Charset, Windows1252AndTextThatIsNotUtf8)
{
    EXPECT_EQ(ToDatabase("\x80 \x93Q\x94 Caf\xE9", TextEncoding::Windows1252), "EUR \"Q\" Caf\xE9");
    // Bytes that cannot be UTF-8 are read as Windows-1252, not lost.
    EXPECT_EQ(ToDatabase("Caf\xE9"), "Caf\xE9");
    // A byte Windows-1252 leaves undefined becomes "?".
    EXPECT_EQ(ToDatabase("a\x81z", TextEncoding::Windows1252), "a?z");
}

TEST(Charset, CuttingNeverSplitsACharacter)
{
    EXPECT_EQ(ToDatabase("Grüß€", TextEncoding::Utf8, 7), "Gr\xFC\xDF" "EUR");
    EXPECT_EQ(ToDatabase("Grüß€", TextEncoding::Utf8, 5), "Gr\xFC\xDF" "E");
    EXPECT_EQ(CutUtf8("Grüße", 3), "Grü");
    EXPECT_EQ(CutUtf8("Grüße", 2), "Gr");
    EXPECT_EQ(CutUtf8("Grüße", 9), "Grüße");
    EXPECT_EQ(CutUtf8("", 2), "");
}

}  // namespace
}  // namespace velk
