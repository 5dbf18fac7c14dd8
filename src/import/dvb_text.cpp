#include "import/dvb_text.h"

namespace velk {
namespace {

bool IsEmphasis(unsigned char c) { return c == 0x86 || c == 0x87; }

}  // namespace

std::string DropDvbControlCodes(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20)
            continue;
        if (c == 0xC2 && i + 1 < text.size() && IsEmphasis(static_cast<unsigned char>(text[i + 1]))) {
            ++i;
            continue;
        }
        // A raw code stands alone; after a byte of 0x80 or above it ends a
        // multi-byte character (U+0186 is C6 86) and belongs to it.
        const bool afterAscii = kept.empty() || static_cast<unsigned char>(kept.back()) < 0x80;
        if (IsEmphasis(c) && afterAscii)
            continue;
        kept += text[i];
    }
    return kept;
}

}  // namespace velk
