// ADBParsing's unpacking of a downloaded E2P and ADB image pair, and the SDB
// file it encodes read back by the SDB reader. The first byte picks the product
// type; then come the E2P image and the ADB image, both padded with 0xFF.
#include "quiet_ui.h"
#include "link/adb_layout.h"
#include "link/adb_parsing.h"
#include "sdb/sdb_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velk::link::adb;
    if (size == 0)
        return 0;
    const std::uint8_t type = static_cast<std::uint8_t>(1 + data[0] % 3);
    velk::ByteView rest(data + 1, size - 1);
    velk::Bytes e2p(kE2pSize, 0xFF), image(kImageSize, 0xFF);
    const auto e2pPart = std::min(rest.size(), kE2pSize);
    std::copy_n(rest.begin(), e2pPart, e2p.begin());
    rest = rest.subspan(e2pPart);
    std::copy_n(rest.begin(), std::min(rest.size(), kImageSize), image.begin());
    velk::fuzz::QuietUi ui(velk::Answer::Ok);
    const auto content = velk::link::UnpackAdbImages(image, e2p, type, ui);
    if (!content)
        return 0;
    const auto file = velk::sdb::EncodeNewLayout(*content, velk::sdb::SdbHeaderInfo{});
    (void)velk::sdb::ParseSdbImage(file, velk::Placement::Lnb, type);
    return 0;
}
