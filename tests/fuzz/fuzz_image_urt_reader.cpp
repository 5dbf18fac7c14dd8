// URT files from anywhere: the reader must refuse any malformed file cleanly.
#include "image/urt_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velk::Bytes prepared;
    const velk::InspectionReport report = velk::InspectUrtFile(velk::ByteView(data, size), &prepared);
    if (report.Sound() && prepared.size() > size)
        __builtin_trap();  // the image comes out of the file's own blocks
    return 0;
}
