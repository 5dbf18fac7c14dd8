// New-to-old conversion on arbitrary bytes.
#include "sdb/sdb_convert.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    (void)velk::sdb::ConvertNew2Old(velk::ByteView(data, size), size > 0 ? data[0] % 4 : 1);
    return 0;
}
