// The SDB reader on arbitrary bytes, for each placement and LNB limit.
#include "sdb/sdb_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const velk::ByteView bytes(data, size);
    for (const auto placement : {velk::Placement::Lnb, velk::Placement::Satellite, velk::Placement::Carrier})
        for (const std::uint8_t productType : {1, 2})
            (void)velk::sdb::ParseSdbImage(bytes, placement, productType);
    return 0;
}
