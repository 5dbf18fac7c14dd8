// Old-to-new conversion on arbitrary bytes; its output must then parse or fail cleanly.
#include "quiet_ui.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_reader.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    velk::fuzz::QuietUi ui(velk::Answer::Ok);
    const auto result = velk::sdb::ConvertOld2New(ui, velk::ByteView(data, size), 2);
    if (result.code == velk::sdb::kConvertOk)
        (void)velk::sdb::ParseSdbImage(result.data, velk::Placement::Lnb, 2);
    return 0;
}
