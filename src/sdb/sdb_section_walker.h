#pragma once
// Walks the sections of an SDB BIN image: each step yields a section header
// whose records are known to lie inside the input, or fails with a diagnostic.
#include "common/bytes.h"
#include "sdb/sdb_format.h"

#include <optional>

namespace velk::sdb {

struct SectionView {
    SectionHeader header;
    std::size_t recordsOffset = 0;  // first record byte in the input
    ByteView records;               // recordSize * count bytes

    ByteView Record(std::size_t i) const { return records.subspan(i * header.recordSize, header.recordSize); }
};

class SectionWalker {
public:
    SectionWalker(ByteView input, std::size_t firstSection) : input_(input), pos_(firstSection) {}

    // The next section, or nullopt (after a diagnostic) when its header or records
    // run past the end of the input.
    std::optional<SectionView> Next(int line = __builtin_LINE());

    std::size_t Position() const { return pos_; }

private:
    ByteView input_;
    std::size_t pos_;
};

// True when the section's record size is `expected`; otherwise a diagnostic.
bool CheckRecordSize(const SectionView& s, std::size_t expected, int line = __builtin_LINE());

}  // namespace velk::sdb
