#include "image/zlib_buffer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>

namespace velk {
namespace {

int Failed(int status, int line)
{
    std::fprintf(stderr, "Returning from =>%s ,Line =>%d\n", std::filesystem::path(__FILE__).filename().c_str(), line);
    return status;
}

}  // namespace

int CompressBuffer(MutableByteView destination, std::size_t& compressedLength, ByteView source, int level,
                   const CancelCheck& cancelled)
{
    // Deflate's output does not depend on how its input is split (Z_NO_FLUSH
    // emits blocks by its own buffer fill), so the pieces only give room to stop.
    constexpr std::size_t kPiece = 1 << 20;
    constexpr auto kMax = std::numeric_limits<uInt>::max();
    if (source.size() > kMax || destination.size() > kMax)
        return Failed(Z_BUF_ERROR, __LINE__);
    z_stream stream{};
    // zlib reads the input through a non-const pointer but never writes it.
    stream.next_in = const_cast<Bytef*>(source.data());
    stream.next_out = destination.data();
    stream.avail_out = static_cast<uInt>(destination.size());
    // deflateInit_ is deflateInit2_ with Z_DEFLATED, 15 window bits, memory level 8
    // and the default strategy: the stream the receiver's loader expects.
    if (const int status = deflateInit_(&stream, level, ZLIB_VERSION, static_cast<int>(sizeof(z_stream))); status != Z_OK)
        return Failed(status, __LINE__);
    int status = Z_OK;
    for (std::size_t fed = 0; status == Z_OK;) {
        if (cancelled()) {
            deflateEnd(&stream);
            return kDeflateCancelled;
        }
        const std::size_t piece = std::min(kPiece, source.size() - fed);
        stream.avail_in += static_cast<uInt>(piece);
        fed += piece;
        status = deflate(&stream, fed == source.size() ? Z_FINISH : Z_NO_FLUSH);
    }
    if (status != Z_STREAM_END) {
        deflateEnd(&stream);
        return Failed(status == Z_OK ? Z_BUF_ERROR : status, __LINE__);
    }
    compressedLength = stream.total_out;
    deflateEnd(&stream);
    return Z_OK;
}

}  // namespace velk
