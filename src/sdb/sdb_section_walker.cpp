#include "sdb/sdb_section_walker.h"

#include "sdb/sdb_diagnostic.h"

#include <string>

namespace velk::sdb {
namespace {

std::string TagText(const SectionHeader& h)
{
    std::string text;
    for (const auto c : h.tag) {
        if (c == 0)
            break;
        text.push_back(static_cast<char>(c));
    }
    return EscapedText(text);
}

}  // namespace

std::optional<SectionView> SectionWalker::Next(int line)
{
    const auto header = LoadSectionHeader(input_, pos_);
    if (!header) {
        Diagnose(line, "%s %d> Section header past the end of the data at offset [%zu]", pos_);
        return std::nullopt;
    }
    const auto start = pos_ + kSectionHeaderSize;
    const auto bytes = std::size_t{header->recordSize} * header->count;
    if (bytes > input_.size() - start) {
        Diagnose(line, "%s %d> Section [%s] needs %zu bytes, %zu left", TagText(*header).c_str(), bytes, input_.size() - start);
        return std::nullopt;
    }
    pos_ = start + bytes;
    return SectionView{*header, start, input_.subspan(start, bytes)};
}

bool CheckRecordSize(const SectionView& s, std::size_t expected, int line)
{
    if (s.header.recordSize == expected)
        return true;
    Diagnose(line, "%s %d> Section [%s] record size %d, expected %zu", TagText(s.header).c_str(),
             static_cast<int>(s.header.recordSize), expected);
    return false;
}

}  // namespace velk::sdb
