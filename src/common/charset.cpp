#include "common/charset.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <locale.h>
#include <optional>

namespace velk {
namespace {

constexpr const char* kDatabaseSet = "ISO-8859-1//TRANSLIT";

// glibc transliterates by the thread's LC_CTYPE, and the "C" locale knows
// almost no replacements; C.UTF-8 gives the same results on every machine.
class TransliterationLocale {
public:
    TransliterationLocale() : locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {}
    ~TransliterationLocale()
    {
        if (locale_ != locale_t{})
            freelocale(locale_);
    }
    TransliterationLocale(const TransliterationLocale&) = delete;
    TransliterationLocale& operator=(const TransliterationLocale&) = delete;
    locale_t Get() const { return locale_; }

private:
    locale_t locale_;
};

// Switches the calling thread's locale for one conversion.
class ScopedLocale {
public:
    ScopedLocale()
    {
        static const TransliterationLocale locale;
        if (locale.Get() != locale_t{})
            previous_ = uselocale(locale.Get());
    }
    ~ScopedLocale()
    {
        if (previous_ != locale_t{})
            uselocale(previous_);
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    locale_t previous_{};
};

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv()
    {
        if (Valid())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    struct Result {
        std::string text;
        bool lossy = false;
        bool malformed = false;
    };

    // Converts all of `in`. A byte sequence the source set does not know
    // becomes "?" and the conversion goes on.
    Result Convert(std::string_view in)
    {
        Result result;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        auto* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        std::array<char, 256> buffer{};
        while (srcLeft > 0) {
            char* dst = buffer.data();
            std::size_t dstLeft = buffer.size();
            const auto done = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            result.text.append(buffer.data(), buffer.size() - dstLeft);
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
                result.text += '?';
                result.lossy = result.malformed = true;
                ++src;
                --srcLeft;
            } else if (done != static_cast<std::size_t>(-1) && done > 0) {
                result.lossy = true;
            }
        }
        return result;
    }

private:
    iconv_t cd_;
};

}  // namespace

struct NameConversion::Converters {
    Iconv fromUtf8{kDatabaseSet, "UTF-8"};
    Iconv fromWindows1252{kDatabaseSet, "CP1252"};
};

NameConversion::NameConversion() : converters_(std::make_unique<Converters>()) {}
NameConversion::~NameConversion() = default;

std::string NameConversion::ToDatabase(std::string_view text, TextEncoding from, std::size_t width)
{
    const ScopedLocale locale;
    std::optional<Iconv::Result> result;
    if (from == TextEncoding::Utf8)
        result = converters_->fromUtf8.Convert(text);
    if (!result || result->malformed)
        result = converters_->fromWindows1252.Convert(text);
    transliterated_ = transliterated_ || result->lossy;
    if (result->text.size() > width)
        result->text.resize(width);
    return std::move(result->text);
}

void NameConversion::TellUser(Ui& ui)
{
    if (transliterated_)
        ShowWarning(ui, kNamesTransliterated);
    transliterated_ = false;
}

std::string DatabaseToUtf8(std::string_view name)
{
    std::string text;
    text.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            // Latin-1 is the first 256 code points: two UTF-8 bytes each.
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string_view CutUtf8(std::string_view text, std::size_t width)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == width)
            return text.substr(0, i);
    }
    return text;
}

}  // namespace velk
