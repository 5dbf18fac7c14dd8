#pragma once
// One-shot deflate of a whole image into a zlib stream.
#include "common/bytes.h"
#include "common/cancel_check.h"

#include <cstddef>

namespace velk {

// What CompressBuffer returns when `cancelled` stopped it (no zlib code).
inline constexpr int kDeflateCancelled = 100;

// Compresses `source` into `destination` with zlib at `level` (1..9): the same
// stream as one deflate(Z_FINISH) call, fed in pieces so that `cancelled` is
// asked between them. Returns Z_OK with `compressedLength` set to the stream's
// length, Z_BUF_ERROR when the stream does not fit into `destination`,
// kDeflateCancelled, or the error zlib reported; every zlib failure prints
// "Returning from =>file ,Line =>n" on the diagnostic output.
int CompressBuffer(MutableByteView destination, std::size_t& compressedLength, ByteView source, int level,
                   const CancelCheck& cancelled = {});

}  // namespace velk
