#pragma once
// CRC-32/MPEG-2 of consecutive sections of a buffer and of the whole buffer, in one pass.
#include "common/bytes.h"

#include <vector>

namespace velk {

struct SectionCrcs {
    std::vector<std::uint32_t> sections;  // one per `sectionSize` bytes, the last one shorter
    std::uint32_t whole = 0;
};

// Equal to Crc32Mpeg2 of each section and of `data`, but reads the data only once:
// a URT file needs both, and a 4 MiB image is otherwise read twice.
SectionCrcs Crc32Mpeg2Sections(ByteView data, std::size_t sectionSize);

}  // namespace velk
