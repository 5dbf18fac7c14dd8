#include "import/satcodx_records.h"

#include "import/list_text.h"

#include <algorithm>
#include <string_view>

namespace velk {
namespace {

constexpr std::string_view kSignature = "SATCODX";

bool HasSignature(ByteView record)
{
    const std::string_view text(reinterpret_cast<const char*>(record.data()), record.size());
    return EqualsIgnoringCase(text.substr(0, kSignature.size()), kSignature);
}

std::size_t Find(ByteView bytes, std::uint8_t value, std::size_t from)
{
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(from, bytes.size()));
    return static_cast<std::size_t>(std::find(begin, bytes.end(), value) - bytes.begin());
}

// A list is line-based when the first record ends with a line end.
bool IsLineBased(ByteView file)
{
    const auto lineEnd = Find(file, '\n', 0);
    return lineEnd < file.size() && lineEnd <= kSatcoDxLongestRecord + 1;
}

// The second of back-to-back records starts exactly with the signature.
bool IsPacked(ByteView file)
{
    if (file.size() < kSatcoDxRecordSize + kSignature.size())
        return false;
    const auto second = file.subspan(kSatcoDxRecordSize, kSignature.size());
    return std::equal(second.begin(), second.end(), kSignature.begin(), kSignature.end());
}

void Check(SatcoDxRecords& split, ByteView record)
{
    split.records.push_back(record);
    if (split.invalidRecord == 0 && (record.size() < kSatcoDxShortestRecord || !HasSignature(record)))
        split.invalidRecord = split.records.size();
}

// One record per line. A NUL at a line's start, or after the characters of a
// record, ends the list; a last line cut short without a line end is ignored,
// as an incomplete last record is in a list without line ends.
SatcoDxRecords SplitLines(ByteView file)
{
    SatcoDxRecords split;
    for (std::size_t start = 0; start < file.size() && file[start] != 0;) {
        const auto end = Find(file, '\n', start);
        auto line = file.subspan(start, end - start);
        const auto nul = Find(line, 0, kSatcoDxShortestRecord);
        const bool endsList = nul < line.size();
        line = line.first(nul);
        if (!line.empty() && line.back() == '\r')
            line = line.first(line.size() - 1);
        const bool cutShort = end == file.size() && !endsList && line.size() < kSatcoDxShortestRecord;
        if (!line.empty() && !cutShort)
            Check(split, line.first(std::min(line.size(), kSatcoDxLongestRecord)));
        if (endsList)
            break;
        start = end + 1;
    }
    return split;
}

// Records are 128 bytes apart when the second record starts right after the
// first, else 129. A lone record without separator still counts; a record
// starting with NUL is padding after the list.
SatcoDxRecords SplitStrides(ByteView file)
{
    SatcoDxRecords split;
    if (file.size() < kSatcoDxRecordSize)
        return split;
    const auto stride = IsPacked(file) ? kSatcoDxRecordSize : kSatcoDxRecordSize + 1;
    const auto count = (file.size() - kSatcoDxRecordSize) / stride + 1;
    for (std::size_t i = 0; i < count && file[i * stride] != 0; ++i)
        Check(split, file.subspan(i * stride, kSatcoDxRecordSize));
    return split;
}

}  // namespace

SatcoDxRecords SplitSatcoDxRecords(ByteView file)
{
    return IsLineBased(file) ? SplitLines(file) : SplitStrides(file);
}

}  // namespace velk
