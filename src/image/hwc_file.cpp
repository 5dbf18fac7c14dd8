#include "image/hwc_file.h"

#include "common/byte_reader.h"

namespace velk {

Bytes HwcFile(std::initializer_list<std::uint32_t> fields, ByteView data)
{
    ByteWriter out;
    out.Append(Bytes{'H', 'W', 'C', '$'});
    for (const std::uint32_t field : fields)
        out.Le32(field);
    out.Append(data);
    if (const std::size_t rest = data.size() % 4; rest != 0)
        out.Fill('z', 4 - rest);
    return out.Take();
}

Bytes ZlibHwcFile(ByteView stream, std::uint32_t uncompressedSize)
{
    return HwcFile({static_cast<std::uint32_t>(stream.size()), uncompressedSize}, stream);
}

Bytes Bin2CodHwcFile(ByteView compressed, std::uint32_t uncompressedSize, std::uint16_t inputCrc)
{
    return HwcFile({uncompressedSize, inputCrc, static_cast<std::uint32_t>(compressed.size()), Crc16(compressed)}, compressed);
}

}  // namespace velk
