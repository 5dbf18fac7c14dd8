#pragma once
// One-shot deflate of a whole image into a zlib stream.
#include "common/bytes.h"

#include <cstddef>

namespace velk {

// Compresses `source` into `destination` with zlib at `level` (1..9) in one
// deflate(Z_FINISH) call. Returns Z_OK with `compressedLength` set to the stream's
// length, Z_BUF_ERROR when the stream does not fit into `destination`, or the
// error zlib reported; every failure prints "Returning from =>file ,Line =>n".
int CompressBuffer(MutableByteView destination, std::size_t& compressedLength, ByteView source, int level);

}  // namespace velk
