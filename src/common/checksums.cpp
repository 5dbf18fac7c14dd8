#include "common/checksums.h"

#include <boost/crc.hpp>

#include <numeric>

namespace velk {

std::uint32_t Crc32Mpeg2(ByteView data)
{
    boost::crc_optimal<32, 0x04C11DB7, 0xFFFFFFFF, 0, false, false> crc;
    crc.process_bytes(data.data(), data.size());
    return crc.checksum();
}

std::uint16_t Crc16Arc(ByteView data)
{
    boost::crc_16_type crc;
    crc.process_bytes(data.data(), data.size());
    return crc.checksum();
}

std::uint32_t ByteSum32(ByteView data)
{
    return std::accumulate(data.begin(), data.end(), std::uint32_t{0});
}

}  // namespace velk
