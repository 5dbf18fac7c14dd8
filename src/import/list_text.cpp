#include "import/list_text.h"

#include "common/c_number.h"

#include <algorithm>
#include <cctype>

namespace velk {

std::string_view FieldText(ByteView record, TextField field)
{
    CheckRange(record.size(), field.offset, field.width);
    const auto* begin = reinterpret_cast<const char*>(record.data()) + field.offset;
    const std::string_view text(begin, field.width);
    return text.substr(0, text.find('\0'));
}

std::uint32_t FieldNumber(ByteView record, TextField field)
{
    return static_cast<std::uint32_t>(ParseDecimal(FieldText(record, field)));
}

bool FieldIsAbsent(ByteView record, TextField field)
{
    CheckRange(record.size(), field.offset, field.width);
    const auto bytes = record.subspan(field.offset, field.width);
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t c) { return c == '_'; });
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace velk
