#pragma once
// The one place where names change character set.
//
// The database holds names as ISO 8859-1 bytes, one byte per character: the
// receiver draws names with a single-byte Latin font, and a one-byte set keeps
// a name cut to its field's width whole. Everything else (the editor, the
// command line, the text report, channel lists of today) speaks UTF-8 or
// Windows-1252; names cross into the database here, and characters Latin-1
// cannot hold are transliterated (Ł becomes L, € becomes EUR).
#include "common/ui.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace velk {

enum class TextEncoding { Utf8, Windows1252 };

inline constexpr std::size_t kNoWidthLimit = static_cast<std::size_t>(-1);

inline constexpr const char* kNamesTransliterated =
    "Some names held characters the receiver cannot show; they were replaced by the nearest letters.";

// Converts names into database bytes for one operation (an import, a dialog,
// a command) and remembers whether any of them lost a character, so the user
// is told once.
class NameConversion {
public:
    NameConversion();
    ~NameConversion();
    NameConversion(const NameConversion&) = delete;
    NameConversion& operator=(const NameConversion&) = delete;

    // `text` as database bytes, at most `width` of them. Text that is not
    // valid UTF-8 is read as Windows-1252.
    std::string ToDatabase(std::string_view text, TextEncoding from = TextEncoding::Utf8,
                           std::size_t width = kNoWidthLimit);

    bool Transliterated() const { return transliterated_; }

    // Warns once when a name lost characters since the last call.
    void TellUser(Ui& ui);

private:
    struct Converters;
    std::unique_ptr<Converters> converters_;
    bool transliterated_ = false;
};

// Database bytes as UTF-8; every Latin-1 byte has its character.
std::string DatabaseToUtf8(std::string_view name);

// The first `width` characters of UTF-8 text, never splitting one.
std::string_view CutUtf8(std::string_view text, std::size_t width);

}  // namespace velk
