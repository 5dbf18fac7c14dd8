// The upload configuration file reader and the image values of every entry found.
#include "link/upload_config.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = velk::link::ParseEcf(velk::ByteView(data, size));
    if (!file)
        return 0;
    (void)velk::link::EcfDisplayNames(*file);
    for (const auto& group : file->groups)
        for (const auto& entry : group.entries)
            if (entry.imageRecord)
                (void)velk::link::ImageParamsFromRecord(*entry.imageRecord);
    return 0;
}
