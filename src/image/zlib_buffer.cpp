#include "image/zlib_buffer.h"

#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <limits>

namespace velk {
namespace {

int Failed(int status, int line)
{
    std::printf("Returning from =>%s ,Line =>%d\n", std::filesystem::path(__FILE__).filename().c_str(), line);
    return status;
}

}  // namespace

int CompressBuffer(MutableByteView destination, std::size_t& compressedLength, ByteView source, int level)
{
    constexpr auto kMax = std::numeric_limits<uInt>::max();
    if (source.size() > kMax || destination.size() > kMax)
        return Failed(Z_BUF_ERROR, __LINE__);
    z_stream stream{};
    // zlib reads the input through a non-const pointer but never writes it.
    stream.next_in = const_cast<Bytef*>(source.data());
    stream.avail_in = static_cast<uInt>(source.size());
    stream.next_out = destination.data();
    stream.avail_out = static_cast<uInt>(destination.size());
    // deflateInit_ is deflateInit2_ with Z_DEFLATED, 15 window bits, memory level 8
    // and the default strategy: the stream the receiver's loader expects.
    if (const int status = deflateInit_(&stream, level, ZLIB_VERSION, static_cast<int>(sizeof(z_stream))); status != Z_OK)
        return Failed(status, __LINE__);
    const int status = deflate(&stream, Z_FINISH);
    if (status != Z_STREAM_END) {
        deflateEnd(&stream);
        return Failed(status == Z_OK ? Z_BUF_ERROR : status, __LINE__);
    }
    compressedLength = stream.total_out;
    deflateEnd(&stream);
    return Z_OK;
}

}  // namespace velk
