#include "sdb/sdb_format.h"

#include "common/word_table.h"

#include <algorithm>

namespace velk::sdb {
namespace {

constexpr auto kSwitchWord = PackedWords<SwitchBlock, 1>(
    {switch_word::kOnes}, Bits<&SwitchBlock::volt12>(0, switch_word::kVolt12),
    Bits<&SwitchBlock::diseqc10>(0, switch_word::kDiseqc10), Bits<&SwitchBlock::diseqc11>(0, switch_word::kDiseqc11),
    Bits<&SwitchBlock::toneBurst>(0, switch_word::kToneBurst), Bits<&SwitchBlock::repeat>(0, switch_word::kRepeat),
    Bits<&SwitchBlock::khz22>(0, switch_word::kKhz22));
static_assert(kSwitchWord.Disjoint());

}  // namespace

Section SectionHeader::Kind() const
{
    const auto end = std::find(tag.begin(), tag.end(), 0);
    const std::string_view text(reinterpret_cast<const char*>(tag.data()), static_cast<std::size_t>(end - tag.begin()));
    for (std::size_t i = 0; i < kTags.size(); ++i)
        if (text == kTags[i])
            return static_cast<Section>(i);
    return Section::Unknown;
}

SectionHeader MakeSectionHeader(Section kind, std::uint16_t recordSize, std::uint16_t count)
{
    SectionHeader h;
    const auto text = kTags.at(static_cast<std::size_t>(kind));
    std::copy(text.begin(), text.end(), h.tag.begin());
    h.recordSize = recordSize;
    h.count = count;
    return h;
}

void StoreSectionHeader(MutableByteView out, std::size_t off, const SectionHeader& h)
{
    CheckRange(out.size(), off, kSectionHeaderSize);
    std::copy(h.tag.begin(), h.tag.end(), out.begin() + static_cast<std::ptrdiff_t>(off));
    StoreLe16(out, off + section_header::kRecordSizeAt, h.recordSize);
    StoreLe16(out, off + section_header::kRecordSizeAt + 2, 0xFFFF);
    StoreLe16(out, off + section_header::kCountAt, h.count);
    StoreLe16(out, off + section_header::kCountAt + 2, 0xFFFF);
}

void AppendSectionHeader(Bytes& out, const SectionHeader& h)
{
    out.resize(out.size() + kSectionHeaderSize);
    StoreSectionHeader(out, out.size() - kSectionHeaderSize, h);
}

std::optional<SectionHeader> LoadSectionHeader(ByteView in, std::size_t off)
{
    if (off > in.size() || in.size() - off < kSectionHeaderSize)
        return std::nullopt;
    SectionHeader h;
    std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(off), h.tag.size(), h.tag.begin());
    h.recordSize = LoadLe16(in, off + section_header::kRecordSizeAt);
    h.count = LoadLe16(in, off + section_header::kCountAt);
    return h;
}

std::size_t NewLnbSize(Placement p) { return p == Placement::Lnb ? kNewLnbSize : 4; }
std::size_t NewSatelliteSize(Placement p) { return p == Placement::Satellite ? kSatelliteSize + 4 : kSatelliteSize; }
std::size_t NewCarrierSize(Placement p) { return p == Placement::Carrier ? kCarrierSize + 4 : kCarrierSize; }

std::uint32_t PackSwitchWord(const SwitchBlock& sb) { return kSwitchWord.Pack(sb)[0]; }

SwitchBlock UnpackSwitchWord(std::uint32_t w)
{
    SwitchBlock sb;
    sb.unused6 = 255;
    sb.unused7 = 255;
    kSwitchWord.Unpack({w}, sb);
    return sb;
}

void CopyName(ByteView from, std::size_t fromOff, MutableByteView to, std::size_t toOff)
{
    CheckRange(from.size(), fromOff, FixedName::kSize);
    CheckRange(to.size(), toOff, FixedName::kSize);
    for (std::size_t i = 0; i < FixedName::kSize; ++i) {
        to[toOff + i] = from[fromOff + i];
        if (from[fromOff + i] == 0)
            break;
    }
}

}  // namespace velk::sdb
