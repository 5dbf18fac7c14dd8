#pragma once
// CRC-32/MPEG-2 of consecutive sections of a buffer and of the whole buffer, in one pass.
#include "common/bytes.h"

#include <vector>

namespace velk {

struct SectionCrcs {
    std::vector<std::uint32_t> sections;  // one per section, the last one possibly shorter
    std::uint32_t whole = 0;
};

// Runs one CRC over bytes given piece by piece and yields, besides the CRC of all of
// them, the CRC of each `sectionSize` bytes as if computed alone: a URT file needs
// both, and a 4 MiB image would otherwise be read twice.
class SectionedCrc {
public:
    explicit SectionedCrc(std::size_t sectionSize);

    void Process(ByteView data);
    // CRC-32/MPEG-2 of everything processed so far.
    std::uint32_t Running() const { return state_; }
    SectionCrcs Result() const;

private:
    std::uint32_t CloseSection(std::size_t length) const;

    std::size_t sectionSize_;
    std::uint32_t fullFactor_;
    std::uint32_t state_;
    std::uint32_t sectionStart_;
    std::size_t filled_ = 0;
    std::vector<std::uint32_t> done_;
};

// Equal to Crc32Mpeg2 of each section and of `data`.
SectionCrcs Crc32Mpeg2Sections(ByteView data, std::size_t sectionSize);

}  // namespace velk
