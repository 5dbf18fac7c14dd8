#include "image/urt_trailer.h"

#include "common/byte_reader.h"
#include "common/checksums.h"

namespace velk {
namespace {

constexpr std::uint8_t kPlainMarker = 0xAB;
constexpr std::uint8_t kCompressedMarker = 0xAC;

void AppendTime(ByteWriter& out, const UrtTimestamp& time)
{
    out.U8(time.day);
    out.U8(time.month);
    out.Be16(time.year);
    out.U8(time.hour);
    out.U8(time.minute);
    out.U8(time.second);
    out.U8(0);
}

void AppendMarker(ByteWriter& out, bool compressed)
{
    out.Fill(compressed ? kCompressedMarker : kPlainMarker, 4);
}

void Append(Bytes& image, const ByteWriter& out) { image.insert(image.end(), out.Data().begin(), out.Data().end()); }

}  // namespace

std::uint32_t RegionSize(std::uint32_t start, std::uint32_t end) { return end > start ? end - start : 0; }

void PadTo(Bytes& image, std::uint32_t size)
{
    if (image.size() < size)
        image.resize(size, 0xFF);
}

void AppendShortTrailer(Bytes& image, UrtImageParams& params, const UrtTimestamp& time, std::uint32_t imageCrc, bool extended)
{
    ByteWriter out;
    out.U8(static_cast<std::uint8_t>(params.swMajor));
    out.U8(static_cast<std::uint8_t>(params.swMinor * 16));
    out.U8(0);
    out.U8(0);
    AppendTime(out, time);
    AppendMarker(out, params.compressed);
    out.Be32(params.compressed ? params.decompressStart : 0);
    if (extended) {
        params.endAddress = params.startAddress + static_cast<std::uint32_t>(image.size() + out.Size());
        out.Be32(params.startAddress);
        out.Be32(params.endAddress);
    }
    out.Be32(imageCrc);
    if (!extended)
        out.Fill(0xFF, 8);
    Append(image, out);
}

void AppendApplicationTrailer(Bytes& image, const UrtImageParams& params, const UrtTimestamp& time, std::uint32_t imageStart,
                              std::uint32_t imageSize, std::uint32_t imageCrc, bool extended)
{
    ByteWriter out;
    out.U8(static_cast<std::uint8_t>((params.swMinor & 0x0F) | (params.hwMinor * 16)));
    out.U8(static_cast<std::uint8_t>(params.manufacturerId));
    out.U8(static_cast<std::uint8_t>(params.hwMajor));
    out.U8(static_cast<std::uint8_t>(params.swMajor));
    AppendTime(out, time);
    AppendMarker(out, params.compressed);
    out.Be32(imageStart);
    out.Be32(imageSize);
    out.Be32(params.compressed ? params.decompressStart : 0);
    if (extended) {
        for (const std::uint32_t address : {params.resStart, params.resEnd, params.sdbStart, params.sdbEnd, params.adbStart, params.adbEnd})
            out.Be32(address);
    }
    out.Be32(imageCrc);
    out.Fill(0xFF, extended ? 8 : 32);
    Append(image, out);
}

Bytes PrepareUrtImage(ByteView image, const UrtSettings& settings, UrtImageParams& params)
{
    Bytes prepared(image.begin(), image.end());
    const std::uint32_t region = RegionSize(params.startAddress, params.endAddress);
    const bool application = params.imageType == kImageApplication;
    if (!settings.trailer) {
        if (!application)
            PadTo(prepared, region);
        return prepared;
    }
    const std::uint32_t imageCrc = Crc32Mpeg2(image);
    if (application) {
        const auto size = static_cast<std::uint32_t>(image.size());
        params.startAddress = params.endAddress - size - kApplicationTrailerSize;
        AppendApplicationTrailer(prepared, params, settings.time, params.startAddress, size, imageCrc, settings.extendedTrailer);
    } else {
        if (image.size() + kShortTrailerSize <= region)
            PadTo(prepared, region - kShortTrailerSize);
        AppendShortTrailer(prepared, params, settings.time, imageCrc, settings.extendedTrailer);
    }
    return prepared;
}

}  // namespace velk
