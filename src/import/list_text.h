#pragma once
// Reading fixed-width text fields of channel-list records.
#include "common/bytes.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velk {

// A field of a fixed-width record: offset and width in bytes.
struct TextField {
    std::size_t offset;
    std::size_t width;
};

// The field's characters up to the first NUL (like copying it out and
// terminating it). The record must hold the field.
std::string_view FieldText(ByteView record, TextField field);
// The field read as a decimal number with the C-library leading-digits rule.
std::uint32_t FieldNumber(ByteView record, TextField field);
// True when every character of the field is an underscore.
bool FieldIsAbsent(ByteView record, TextField field);

// Case-insensitive comparison of ASCII text.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace velk
