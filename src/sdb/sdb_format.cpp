#include "sdb/sdb_format.h"

#include <algorithm>

namespace velk::sdb {

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
    StoreLe16(out, off + 8, h.recordSize);
    StoreLe16(out, off + 10, 0xFFFF);
    StoreLe16(out, off + 12, h.count);
    StoreLe16(out, off + 14, 0xFFFF);
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
    h.recordSize = LoadLe16(in, off + 8);
    h.count = LoadLe16(in, off + 12);
    return h;
}

std::size_t NewLnbSize(Placement p) { return p == Placement::Lnb ? kNewLnbSize : 4; }
std::size_t NewSatelliteSize(Placement p) { return p == Placement::Satellite ? kSatelliteSize + 4 : kSatelliteSize; }
std::size_t NewCarrierSize(Placement p) { return p == Placement::Carrier ? kCarrierSize + 4 : kCarrierSize; }

std::uint32_t PackSwitchWord(const SwitchBlock& sb)
{
    using namespace switch_word;
    std::uint32_t w = kOnes;
    w = kVolt12.Set(w, sb.volt12);
    w = kDiseqc10.Set(w, sb.diseqc10);
    w = kDiseqc11.Set(w, sb.diseqc11);
    w = kToneBurst.Set(w, sb.toneBurst);
    w = kRepeat.Set(w, sb.repeat);
    return kKhz22.Set(w, sb.khz22);
}

SwitchBlock UnpackSwitchWord(std::uint32_t w)
{
    using namespace switch_word;
    auto byte = [w](BitField f) { return static_cast<std::uint8_t>(f.Get(w)); };
    return SwitchBlock{byte(kVolt12), byte(kDiseqc10), byte(kDiseqc11), byte(kToneBurst), byte(kRepeat), byte(kKhz22), 255, 255};
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
