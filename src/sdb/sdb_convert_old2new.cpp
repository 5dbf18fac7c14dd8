// Old ("SB") layout -> new ('e','E') layout.
#include "database/working_store.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_diagnostic.h"
#include "sdb/sdb_ff_buffer.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_section_walker.h"
#include "sdb/sdb_session.h"

#include <algorithm>

namespace velk::sdb {
namespace {

struct New {
    FfBuffer out;
    std::size_t pos = kNewHeaderSize;
    std::uint8_t productType = 1;
    std::uint16_t serviceCount = 0;
    bool sawOsl = false;
    bool sawUserBox = false;
};

void PutHeader(New& n, const SectionHeader& h)
{
    StoreSectionHeader(n.out.At(n.pos, kSectionHeaderSize), 0, h);
    n.pos += kSectionHeaderSize;
}

void CopyRaw(New& n, const SectionView& s)
{
    PutHeader(n, s.header);
    auto dst = n.out.At(n.pos, s.records.size());
    std::copy(s.records.begin(), s.records.end(), dst.begin());
    n.pos += s.records.size();
}

void ConvertLnbs(New& n, const SectionView& s)
{
    auto h = s.header;
    h.recordSize = kNewLnbSize;
    PutHeader(n, h);
    for (std::size_t i = 0; i < h.count; ++i, n.pos += kNewLnbSize) {
        const auto rec = s.Record(i);
        const auto w0 = LoadLe32(rec, 0);
        std::uint32_t word = 0;
        word = lnb_word::kLowMhz.Set(word, LoadLe32(rec, 4));
        word = lnb_word::kHighMhz.Set(word, LoadLe32(rec, 8));
        word = lnb_word::kType.Set(word, old_lnb::kType.Get(w0));
        word = lnb_word::kPower.Set(word, old_lnb::kPower.Get(w0));
        word = lnb_word::kSdbMark.Set(word, 1);
        // Bits 15-31 ones: the 22 kHz setting is not carried and reads back as 3.
        std::uint32_t sw = 0xFFFFFFFFu;
        sw = switch_word::kVolt12.Set(sw, old_lnb::kVolt12.Get(w0));
        sw = switch_word::kDiseqc10.Set(sw, old_lnb::kDiseqc10.Get(w0));
        sw = switch_word::kDiseqc11.Set(sw, old_lnb::kDiseqc11.Get(w0));
        sw = switch_word::kToneBurst.Set(sw, old_lnb::kToneBurst.Get(w0));
        sw = switch_word::kRepeat.Set(sw, old_lnb::kRepeat.Get(w0));
        auto dst = n.out.At(n.pos, kNewLnbSize);
        StoreLe32(dst, 0, word);
        StoreLe32(dst, 4, sw);
    }
}

void ConvertSatellites(New& n, const SectionView& s)
{
    PutHeader(n, s.header);
    constexpr BitField kKept1Low{0, 9};
    for (std::size_t i = 0; i < s.header.count; ++i, n.pos += kSatelliteSize) {
        const auto rec = s.Record(i);
        const auto w0 = LoadLe32(rec, 0);
        const auto w1 = LoadLe32(rec, 4);
        const auto lnb = old_sat::kLnbIndex.Get(w1);
        std::uint32_t n0 = new_sat::kWord0Ones;
        n0 = new_sat::kCarrierCount.Set(n0, old_sat::kCarrierCount.Get(w0));
        n0 = new_sat::kLnbIndex.Set(n0, lnb < LnbLimit(n.productType) ? lnb : 0);
        std::uint32_t n1 = 0xFFFFFFFFu;
        n1 = kKept1Low.Set(n1, kKept1Low.Get(w1));
        n1 = new_sat::kWest.Set(n1, new_sat::kWest.Get(w1));
        n1 = new_sat::kAngle.Set(n1, new_sat::kAngle.Get(w1));
        auto dst = n.out.At(n.pos, kSatelliteSize);
        StoreLe32(dst, 0, n0);
        StoreLe32(dst, 4, n1);
        std::copy_n(rec.begin() + 8, FixedName::kSize, dst.begin() + 8);
    }
}

void ConvertCarriers(New& n, const SectionView& s)
{
    PutHeader(n, s.header);
    for (std::size_t i = 0; i < s.header.count; ++i, n.pos += kCarrierSize) {
        const auto rec = s.Record(i);
        const auto w2 = LoadLe32(rec, 8);
        // Bits 16-31 ones: the skew is not carried and reads back as 255.
        std::uint32_t n2 = 0xFFFFFFFFu;
        n2 = old_carrier::kSatPol.Set(n2, old_carrier::kSatPol.Get(w2));
        n2 = carrier_word::kFec.Set(n2, old_carrier::kFec.Get(w2));
        n2 = carrier_word::kFactoryDefault.Set(n2, old_carrier::kFactoryDefault.Get(w2));
        auto dst = n.out.At(n.pos, kCarrierSize);
        std::copy(rec.begin(), rec.end(), dst.begin());
        StoreLe32(dst, 8, n2);
    }
}

void ConvertServices(New& n, const SectionView& s)
{
    PutHeader(n, s.header);
    n.serviceCount = s.header.count;
    for (std::size_t i = 0; i < s.header.count; ++i, n.pos += kServiceSize) {
        const auto rec = s.Record(i);
        const auto o0 = LoadLe32(rec, 0);
        const auto o1 = LoadLe32(rec, 4);
        const auto o7 = LoadLe32(rec, 28);
        using namespace old_service;
        std::uint32_t w1 = 0xFFFFFFFFu;
        w1 = new_service::kVideoPid.Set(w1, kVideoPid.Get(o0));
        w1 = new_service::kAudioPid.Set(w1, kAudioPid.Get(o7));
        w1 = new_service::kNotPreferred.Set(w1, kNotPreferred.Get(o7));
        std::uint32_t w2 = 0xFFFFFFFFu;
        w2 = new_service::kPcrPid.Set(w2, kPcrPid.Get(o7));
        w2 = new_service::kType.Set(w2, kTypeMinusOne.Get(o7) + 1);
        w2 = new_service::kNotScrambled.Set(w2, kNotScrambled.Get(o7));
        w2 = new_service::kFavourites.Set(w2, kFavourites.Get(o1));
        w2 = new_service::kFactoryDefault.Set(w2, kFactoryDefault.Get(o0));
        w2 = new_service::kFlagA.Set(w2, kFlagA.Get(o0));
        auto dst = n.out.At(n.pos, kServiceSize);
        // Old files carry no program number: count down from the service count.
        StoreLe16(dst, 0, static_cast<std::uint16_t>(s.header.count - i));
        StoreLe16(dst, 2, static_cast<std::uint16_t>(kCarrier.Get(o0)));
        StoreLe32(dst, 4, w1);
        StoreLe32(dst, 8, w2);
        std::copy_n(rec.begin() + 8, FixedName::kSize, dst.begin() + 12);
    }
}

bool ConvertSection(New& n, const SectionView& s)
{
    switch (s.header.Kind()) {
    case Section::Lnb:
        if (!CheckRecordSize(s, kOldLnbSize))
            return false;
        ConvertLnbs(n, s);
        return true;
    case Section::Satellite:
        if (!CheckRecordSize(s, kSatelliteSize))
            return false;
        ConvertSatellites(n, s);
        return true;
    case Section::Carrier:
        if (!CheckRecordSize(s, kCarrierSize))
            return false;
        ConvertCarriers(n, s);
        return true;
    case Section::Service:
        if (!CheckRecordSize(s, kServiceSize))
            return false;
        ConvertServices(n, s);
        return true;
    case Section::Osl:
        n.sawOsl = true;
        CopyRaw(n, s);
        return true;
    case Section::UserBox:
        n.sawUserBox = true;
        CopyRaw(n, s);
        return true;
    default:
        CopyRaw(n, s);
        return true;
    }
}

// Missing "OSL" (channel order = record order) and "UserBox" (defaults) sections.
std::size_t AppendMissingSections(New& n)
{
    const auto before = n.pos;
    if (!n.sawOsl) {
        PutHeader(n, MakeSectionHeader(Section::Osl, kOslEntrySize, n.serviceCount));
        for (std::uint16_t i = 0; i < n.serviceCount; ++i, n.pos += 2)
            StoreLe16(n.out.At(n.pos, 2), 0, i);
    }
    if (!n.sawUserBox) {
        PutHeader(n, MakeSectionHeader(Section::UserBox, kUserBoxSize, 1));
        const auto block = DefaultUserSettings(n.productType);
        auto dst = n.out.At(n.pos, kUserBoxSize);
        std::copy(block.begin(), block.end(), dst.begin());
        n.pos += kUserBoxSize;
    }
    return n.pos - before;
}

}  // namespace

Old2NewResult ConvertOld2New(Ui& ui, ByteView in, std::uint8_t productType)
{
    if (in.size() >= 2 && in[0] == 'e' && in[1] == 'E')
        return {kConvertOk, Bytes(in.begin(), in.end())};
    if (in.size() < 2 || in[0] != 'S' || in[1] != 'B') {
        ui.Message(kOld2NewMagicError, kOld2NewCaption, Icon::Error, Buttons::Ok);
        return {kConvertFailed, {}};
    }
    if (in.size() < kOldHeaderSize) {
        Diagnose(__LINE__, "%s %d> File too short for a header [%zu]", in.size());
        return {kConvertFailed, {}};
    }
    New n{FfBuffer(in.size())};
    n.productType = productType;
    auto header = n.out.At(0, kNewHeaderSize);
    const std::uint8_t head[] = {'e', 'E', 1, 0, 0, 0};
    std::copy(std::begin(head), std::end(head), header.begin());
    const auto sections = LoadLe16(in, 12);
    StoreLe16(header, 6, sections);
    header[15] = 0;
    std::copy_n(in.begin() + 8, 3, header.begin() + 16);
    header[20] = 1;
    header[21] = 0;

    SectionWalker walker(in, kOldHeaderSize);
    for (unsigned i = 0; i < (sections & 0xFFu); ++i) {
        const auto section = walker.Next();
        if (!section || !ConvertSection(n, *section))
            return {kConvertFailed, {}};
    }
    const auto appended = AppendMissingSections(n);
    // The input's length (its filler included) plus what was appended.
    n.out.Resize(std::max(in.size() + appended, n.pos));
    return {kConvertOk, n.out.Take()};
}

}  // namespace velk::sdb
