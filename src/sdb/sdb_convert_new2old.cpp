// New ('e','E') layout -> old ("SB") layout.
#include "sdb/sdb_convert.h"
#include "sdb/sdb_diagnostic.h"
#include "sdb/sdb_ff_buffer.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_section_walker.h"
#include "database/working_store.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace velk::sdb {
namespace {

struct Old {
    FfBuffer out;
    std::size_t pos = kOldHeaderSize;
    std::uint8_t productType = 1;
    std::optional<SectionView> satellites;
    std::vector<std::uint16_t> carrierPosition;  // input carrier index -> old position
};

void CopyHeader(Old& o, const SectionHeader& h)
{
    StoreSectionHeader(o.out.At(o.pos, kSectionHeaderSize), 0, h);
    o.pos += kSectionHeaderSize;
}

void CopyRaw(Old& o, const SectionView& s)
{
    CopyHeader(o, s.header);
    auto dst = o.out.At(o.pos, s.records.size());
    std::copy(s.records.begin(), s.records.end(), dst.begin());
    o.pos += s.records.size();
}

void ConvertLnbs(Old& o, const SectionView& s)
{
    auto h = s.header;
    h.recordSize = kOldLnbSize;
    CopyHeader(o, h);
    for (std::size_t i = 0; i < h.count; ++i, o.pos += kOldLnbSize) {
        const auto rec = s.Record(i);
        const auto word = LoadLe32(rec, 0);
        const auto sw = LoadLe32(rec, 4);
        std::uint32_t w0 = old_lnb::kOnes;
        w0 = old_lnb::kType.Set(w0, lnb_word::kType.Get(word));
        w0 = old_lnb::kPower.Set(w0, lnb_word::kPower.Get(word));
        w0 = old_lnb::kVolt12.Set(w0, switch_word::kVolt12.Get(sw));
        w0 = old_lnb::kDiseqc10.Set(w0, switch_word::kDiseqc10.Get(sw));
        w0 = old_lnb::kDiseqc11.Set(w0, switch_word::kDiseqc11.Get(sw));
        w0 = old_lnb::kToneBurst.Set(w0, switch_word::kToneBurst.Get(sw));
        w0 = old_lnb::kRepeat.Set(w0, switch_word::kRepeat.Get(sw));
        auto dst = o.out.At(o.pos, kOldLnbSize);
        StoreLe32(dst, 0, w0);
        StoreLe32(dst, 4, lnb_word::kLowMhz.Get(word));
        StoreLe32(dst, 8, lnb_word::kHighMhz.Get(word));
    }
}

void ConvertSatellites(Old& o, const SectionView& s)
{
    CopyHeader(o, s.header);
    o.satellites = s;
    std::uint32_t firstCarrier = 0;
    for (std::size_t i = 0; i < s.header.count; ++i, o.pos += kSatelliteSize) {
        const auto rec = s.Record(i);
        const auto w0 = LoadLe32(rec, 0);
        const auto w1 = LoadLe32(rec, 4);
        const auto carriers = new_sat::kCarrierCount.Get(w0);
        const auto lnb = new_sat::kLnbIndex.Get(w0);
        auto dst = o.out.At(o.pos, kSatelliteSize);
        StoreLe32(dst, 0, old_sat::kCarrierCount.Set(old_sat::kFirstCarrier.Set(0, firstCarrier), carriers));
        StoreLe32(dst, 4, old_sat::kLnbIndex.Set(w1, lnb < LnbLimit(o.productType) ? lnb : 0));
        CopyName(rec, 8, dst, 8);
        firstCarrier += carriers;
    }
}

void ConvertCarriers(Old& o, const SectionView& s)
{
    CopyHeader(o, s.header);
    const std::size_t n = s.header.count;
    // Grouped by satellite index, in input order within one satellite.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    auto satOf = [&](std::size_t i) { return carrier_word::kSatelliteIndex.Get(LoadLe32(s.Record(i), 8)); };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return satOf(a) < satOf(b); });
    o.carrierPosition.assign(n, 0);
    for (std::size_t p = 0; p < n; ++p, o.pos += kCarrierSize) {
        const auto rec = s.Record(order[p]);
        o.carrierPosition[order[p]] = static_cast<std::uint16_t>(p);
        const auto w2 = LoadLe32(rec, 8);
        std::uint32_t old2 = old_carrier::kWord2Ones;
        old2 = old_carrier::kSatPol.Set(old2, old_carrier::kSatPol.Get(w2));
        old2 = old_carrier::kFec.Set(old2, carrier_word::kFec.Get(w2));
        old2 = old_carrier::kFactoryDefault.Set(old2, carrier_word::kFactoryDefault.Get(w2));
        auto dst = o.out.At(o.pos, kCarrierSize);
        StoreLe32(dst, 0, LoadLe32(rec, 0));
        StoreLe32(dst, 4, LoadLe32(rec, 4));
        StoreLe32(dst, 8, old2);
        CopyName(rec, 12, dst, 12);
        StoreLe32(dst, 32, LoadLe32(rec, 32));
    }
}

void ConvertServices(Old& o, const SectionView& s)
{
    CopyHeader(o, s.header);
    for (std::size_t i = 0; i < s.header.count; ++i, o.pos += kServiceSize) {
        const auto rec = s.Record(i);
        const auto carrier = LoadLe16(rec, 2);
        const auto w1 = LoadLe32(rec, 4);
        const auto w2 = LoadLe32(rec, 8);
        using namespace old_service;
        std::uint32_t o0 = 0;
        o0 = kCarrier.Set(o0, carrier < o.carrierPosition.size() ? o.carrierPosition[carrier] : carrier);
        o0 = kVideoPid.Set(o0, new_service::kVideoPid.Get(w1));
        o0 = kFactoryDefault.Set(o0, new_service::kFactoryDefault.Get(w2));
        o0 = kFlagA.Set(o0, new_service::kFlagA.Get(w2));
        std::uint32_t o7 = 0;
        o7 = kAudioPid.Set(o7, new_service::kAudioPid.Get(w1));
        o7 = kPcrPid.Set(o7, new_service::kPcrPid.Get(w2));
        o7 = kNotScrambled.Set(o7, new_service::kNotScrambled.Get(w2));
        o7 = kNotPreferred.Set(o7, new_service::kNotPreferred.Get(w1));
        o7 = kTypeMinusOne.Set(o7, new_service::kType.Get(w2) - 1);
        auto dst = o.out.At(o.pos, kServiceSize);
        StoreLe32(dst, 0, o0);
        StoreLe32(dst, 4, new_service::kFavourites.Get(w2));
        CopyName(rec, 12, dst, 8);
        StoreLe32(dst, 28, o7);
    }
}

bool ConvertSection(Old& o, const SectionView& s)
{
    switch (s.header.Kind()) {
    case Section::Lnb:
        if (!CheckRecordSize(s, kNewLnbSize))
            return false;
        ConvertLnbs(o, s);
        return true;
    case Section::Satellite:
        if (!CheckRecordSize(s, kSatelliteSize))
            return false;
        ConvertSatellites(o, s);
        return true;
    case Section::Carrier:
        if (!o.satellites) {
            Diagnose(__LINE__, "%s %d> Satellite record must be parsed first");
            return false;
        }
        if (!CheckRecordSize(s, kCarrierSize))
            return false;
        ConvertCarriers(o, s);
        return true;
    case Section::Service:
        if (!CheckRecordSize(s, kServiceSize))
            return false;
        ConvertServices(o, s);
        return true;
    default:
        CopyRaw(o, s);
        return true;
    }
}

}  // namespace

std::optional<Bytes> ConvertNew2Old(ByteView in, std::uint8_t productType)
{
    if (in.size() >= 2 && in[0] == 'S' && in[1] == 'B')
        return Bytes(in.begin(), in.end());
    if (in.size() < kNewHeaderSize) {
        Diagnose(__LINE__, "%s %d> File too short for a header [%zu]", in.size());
        return std::nullopt;
    }
    Old o{FfBuffer(in.size() + 64), kOldHeaderSize, productType, std::nullopt, {}};
    auto header = o.out.At(0, kOldHeaderSize);
    StoreLe16(header, 0, 0x4253);
    StoreLe16(header, 2, 0xFFFF);
    header[4] = 4;
    header[5] = header[6] = header[7] = 0;
    std::copy_n(in.begin() + 16, 3, header.begin() + 8);
    header[11] = 0xFF;
    const auto sections = LoadLe16(in, 6);
    StoreLe16(header, 12, sections);
    StoreLe16(header, 14, 0xFFFF);

    SectionWalker walker(in, kNewHeaderSize);
    for (unsigned i = 0; i < (sections & 0xFFu); ++i) {
        const auto section = walker.Next();
        if (!section || !ConvertSection(o, *section))
            return std::nullopt;
    }
    return o.out.Take();
}

}  // namespace velk::sdb
