#pragma once
// Names as DVB broadcasts carry them, and as lists copied from a receiver
// keep them: a leading character-table selector (bytes 0x01-0x1F, 0x10 with
// two more bytes) and the emphasis on/off codes 0x86/0x87, raw or as the
// UTF-8 forms of U+0086/U+0087. None of them is part of the text.
#include <string>
#include <string_view>

namespace velk {

// `text` without control bytes (below 0x20) and emphasis codes.
std::string DropDvbControlCodes(std::string_view text);

}  // namespace velk
