// The satcodx list parser on arbitrary bytes, through to the import database.
#include "import_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velk::fuzz::ParseAndBuild(velk::ParseSatcoDxBytes, data, size);
    return 0;
}
