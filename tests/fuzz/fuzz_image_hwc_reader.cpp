// "HWC$" compressed images from anywhere: both decoders must refuse malformed files cleanly.
#include "image/hwc_reader.h"
#include "image/lzari.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const velk::ByteView input(data, size);
    velk::Bytes image;
    const velk::InspectionReport report = velk::InspectHwcFile(input, &image);
    if (!report.Sound() && !image.empty())
        __builtin_trap();  // an unsound file yields no image
    // The bare LZARI decoder too, with the first byte choosing the size asked for.
    if (size > 1)
        velk::LzariDecode(input.subspan(1), static_cast<std::size_t>(data[0]) * 97);
    return 0;
}
