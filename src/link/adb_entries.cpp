#include "link/adb_entries.h"

#include "link/adb_layout.h"

#include <algorithm>
#include <string>

namespace velk::link::adb {
namespace {

constexpr BitField kLow14{0, 14};
constexpr BitField kHigh14{14, 14};

std::uint32_t Bit(bool on, unsigned shift) { return (on ? 1u : 0u) << shift; }

}  // namespace

void StoreEntryName(MutableByteView out, std::size_t offset, ByteView name)
{
    CheckRange(out.size(), offset, kNameSize);
    const auto text = name.first(std::min(name.size(), kNameSize));
    const auto end = std::find(text.begin(), text.end(), 0);
    const auto length = static_cast<std::size_t>(end - text.begin());
    std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset), kNameSize, 0xFF);
    std::copy(text.begin(), end, out.begin() + static_cast<std::ptrdiff_t>(offset));
    if (length < kNameSize)
        out[offset + length] = 0;
}

std::string LoadEntryName(ByteView in, std::size_t offset)
{
    CheckRange(in.size(), offset, kNameSize);
    const auto field = in.subspan(offset, kNameSize);
    const auto end = std::find_if(field.begin(), field.end(), [](std::uint8_t b) { return b == 0 || b == 0xFF; });
    return std::string(field.begin(), end);
}

void WriteServiceEntry(MutableByteView out, const ServiceRecord& s, std::uint16_t carrierIndex)
{
    const std::uint32_t w0 = (s.videoPid & 0x1FFF) | (std::uint32_t{s.type} & 3) << 13 | Bit(s.flagA & 1, 15)
        | (s.audioPid & 0x1FFF) << 16 | Bit(s.nameUnchanged & 1, 29);
    const std::uint32_t w1 = (s.pcrPid & 0x1FFF) | Bit(s.flagB & 1, 13) | Bit(s.scrambled == 0, 17)
        | Bit(s.preference == 0, 18) | (std::uint32_t{s.favourites} & 15) << 19 | Bit(s.pidsUnchanged & 1, 23) | 0xFFu << 24;
    StoreLe32(out, 0, w0);
    StoreLe32(out, 4, w1);
    StoreLe16(out, 8, s.programNumber);
    StoreLe16(out, 10, carrierIndex);
    StoreEntryName(out, 12, s.name.Raw());
}

void WriteCarrierEntry(MutableByteView out, const CarrierRecord& c, std::uint32_t firstService, std::uint8_t lnbIndex)
{
    const std::uint32_t first = c.serviceCount == 0 ? 0x3FFF : (firstService & 0x3FFF);
    StoreLe32(out, 0, 0xFFFFFFFF);
    StoreLe32(out, 4, (c.frequencyMhz & 0x3FFF) | (c.symbolRateKs & 0xFFFF) << 14 | (std::uint32_t{c.polarization} & 3) << 30);
    StoreLe32(out, 8, first | (std::uint32_t{c.serviceCount} & 0x1FF) << 14 | std::uint32_t{c.satelliteIndex} << 23 | 1u << 31);
    StoreLe32(out, 12, (lnbIndex & 0x7Fu) | 0x7Fu << 7 | (std::uint32_t{c.fec} & 7) << 15 | 0x1FFFu << 19);
    StoreEntryName(out, 16, c.name.Raw());
}

void WriteExtraCarrierEntry(MutableByteView out, std::uint8_t satelliteIndex)
{
    static constexpr std::uint8_t kDashes[] = {'-', '-', '-', '-', 0};
    StoreLe32(out, 0, 0xFFFFFFFF);
    StoreLe32(out, 4, 0x40000000);
    StoreLe32(out, 8, 0x3FFFu | std::uint32_t{satelliteIndex} << 23 | 1u << 31);
    StoreLe32(out, 12, 0xFFFC7F80);
    StoreEntryName(out, 16, kDashes);
}

void WriteLnbEntry(MutableByteView out, const LnbRecord& l, std::uint8_t productType)
{
    const std::uint32_t low = kLow14.Get(l.word);
    const SwitchBlock& sb = l.switchBlock;
    const std::uint32_t kind = IsType2(productType) ? (low == 5150 ? 0u : 2u) : (l.word >> 28) & 3;
    const std::uint32_t w2 = kind | ((l.word >> 30) & 1) << 2 | (std::uint32_t{sb.volt12} & 1) << 3
        | (std::uint32_t{sb.diseqc10} & 7) << 5 | (std::uint32_t{sb.diseqc11} & 31) << 8 | 1u << 13
        | (std::uint32_t{sb.toneBurst} & 3) << 17 | (std::uint32_t{sb.repeat} & 3) << 19
        | (std::uint32_t{sb.khz22} & 3) << 21 | 1u << 23 | Bit(!IsType2(productType), 26) | 0x1Fu << 27;
    StoreLe32(out, 0, low);
    StoreLe32(out, 4, kHigh14.Get(l.word));
    StoreLe32(out, 8, w2);
}

void WriteDefaultLnbEntry(MutableByteView out, std::uint8_t productType)
{
    StoreLe32(out, 0, 9750);
    StoreLe32(out, 4, 10600);
    StoreLe32(out, 8, IsType2(productType) ? 0xF8C4708E : 0xFCC4708E);
}

void WriteSatelliteEntry(MutableByteView out, const SatelliteRecord& t, std::uint8_t index, std::uint8_t productType)
{
    const std::uint32_t carriers = (std::uint32_t{t.carrierCount} + (IsType2(productType) ? 1 : 0)) & 0x1FFF;
    StoreLe32(out, 0, std::uint32_t{t.lnbIndex} | carriers << 8 | (std::uint32_t{t.position} & 63) << 21
                          | Bit(IsType2(productType), 27) | (std::uint32_t{t.west} & 1) << 28 | 7u << 29);
    StoreLe32(out, 4, 0x7FFFFFu | std::uint32_t{index} << 23);
    StoreLe32(out, 8, (static_cast<std::uint16_t>(t.angle) & 0xFFFu) | 0xFFFFFu << 12);
    StoreEntryName(out, 12, t.name.Raw());
}

void WriteUnusedSatelliteEntry(MutableByteView out)
{
    static constexpr std::uint8_t kDashes[] = {'-', '-', '-', '-', 0};
    StoreLe32(out, 0, 0xE8000000);
    StoreLe32(out, 4, 0xFFFFFFFF);
    StoreLe32(out, 8, 0xFFFFF000);
    StoreEntryName(out, 12, kDashes);
}

}  // namespace velk::link::adb
