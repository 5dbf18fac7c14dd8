#pragma once
// The LZARI coder of the "Bin2Cod" compressed images: LZSS over a 4096-byte ring
// buffer with adaptive arithmetic coding of literals, match lengths and positions.
#include "common/bytes.h"
#include "common/cancel_check.h"

#include <optional>

namespace velk {

// Codes `input` as the four bytes "vqx." followed by the LZARI code bits, most
// significant bit first, flushed as the classic encoder flushes them. Returns
// nullopt as soon as the result would exceed `limit` bytes (the receiver's tool
// codes into a buffer of the input's size), for empty input, and when `cancelled`
// says so (asked every 64 KiB of input).
std::optional<Bytes> LzariEncode(ByteView input, std::size_t limit, const CancelCheck& cancelled = {});

}  // namespace velk
