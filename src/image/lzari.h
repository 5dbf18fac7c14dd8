#pragma once
// The LZARI coder of the "Bin2Cod" compressed images: LZSS over a 4096-byte ring
// buffer with adaptive arithmetic coding of literals, match lengths and positions.
#include "common/bytes.h"

#include <functional>
#include <optional>

namespace velk {

// Codes `input` as the four bytes "vqx." followed by the LZARI code bits, most
// significant bit first, flushed as the classic encoder flushes them. Returns
// nullopt as soon as the result would exceed `limit` bytes (the receiver's tool
// codes into a buffer of the input's size), and for empty input.
// `progress`, when given, hears the count of input bytes coded every 64 KiB and
// stops the coder (nullopt) by returning false.
using LzariProgress = std::function<bool(std::size_t coded)>;
std::optional<Bytes> LzariEncode(ByteView input, std::size_t limit, const LzariProgress& progress = {});

// Decodes `size` bytes from the code bits that follow "vqx.". Nullopt when the
// bits run out before, or go on well after, the coder's flush would end them.
std::optional<Bytes> LzariDecode(ByteView code, std::size_t size);

}  // namespace velk
