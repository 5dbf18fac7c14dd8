#pragma once
// What both converters write into: the 0xFF-filled output and its write
// position, and the steps every section takes.
#include "sdb/sdb_ff_buffer.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_section_walker.h"

#include <algorithm>

namespace velk::sdb {

struct ConvertOutput {
    FfBuffer out;
    std::size_t pos = 0;
    std::uint8_t productType = 1;

    void PutHeader(const SectionHeader& h)
    {
        StoreSectionHeader(out.At(pos, kSectionHeaderSize), 0, h);
        pos += kSectionHeaderSize;
    }
    // A section the conversion leaves as it stands.
    void CopySection(const SectionView& s)
    {
        PutHeader(s.header);
        auto dst = out.At(pos, s.records.size());
        std::copy(s.records.begin(), s.records.end(), dst.begin());
        pos += s.records.size();
    }
};

// Runs `convert` on the section only when its records have the size it expects.
template <typename Conversion>
bool ConvertChecked(Conversion& c, const SectionView& s, std::size_t recordSize, void (*convert)(Conversion&, const SectionView&),
                    int line = __builtin_LINE())
{
    if (!CheckRecordSize(s, recordSize, line))
        return false;
    convert(c, s);
    return true;
}

}  // namespace velk::sdb
