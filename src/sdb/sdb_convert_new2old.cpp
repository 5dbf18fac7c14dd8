// New ('e','E') layout -> old ("SB") layout.
#include "sdb/sdb_convert.h"
#include "sdb/sdb_convert_output.h"
#include "sdb/sdb_diagnostic.h"
#include "sdb/sdb_ff_buffer.h"
#include "sdb/sdb_field_pairs.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_section_walker.h"
#include "database/working_store.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace velk::sdb {
namespace {

struct Old : ConvertOutput {
    std::optional<SectionView> satellites;
    std::vector<std::uint16_t> carrierPosition;  // input carrier index -> old position
};

void ConvertLnbs(Old& o, const SectionView& s)
{
    auto h = s.header;
    h.recordSize = kOldLnbSize;
    o.PutHeader(h);
    for (std::size_t i = 0; i < h.count; ++i, o.pos += kOldLnbSize) {
        auto dst = o.out.At(o.pos, kOldLnbSize);
        StoreLe32(dst, 0, old_lnb::kOnes);
        CopyPairs(kLnbPairs, s.Record(i), dst, ConvertDirection::NewToOld, LnbLimit(o.productType));
    }
}

void ConvertSatellites(Old& o, const SectionView& s)
{
    o.PutHeader(s.header);
    o.satellites = s;
    std::uint32_t firstCarrier = 0;
    for (std::size_t i = 0; i < s.header.count; ++i, o.pos += kSatelliteSize) {
        const auto rec = s.Record(i);
        auto dst = o.out.At(o.pos, kSatelliteSize);
        // Word 1 goes over whole; the pairs then put the LNB index in its old place.
        StoreLe32(dst, 0, old_sat::kFirstCarrier.Set(0, firstCarrier));
        StoreLe32(dst, 4, LoadLe32(rec, 4));
        CopyPairs(kSatellitePairs, rec, dst, ConvertDirection::NewToOld, LnbLimit(o.productType));
        CopyName(rec, kSatelliteName.newAt, dst, kSatelliteName.oldAt);
        firstCarrier += new_sat::kCarrierCount.Get(LoadLe32(rec, 0));
    }
}

void ConvertCarriers(Old& o, const SectionView& s)
{
    o.PutHeader(s.header);
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
        auto dst = o.out.At(o.pos, kCarrierSize);
        StoreLe32(dst, 0, LoadLe32(rec, 0));
        StoreLe32(dst, 4, LoadLe32(rec, 4));
        StoreLe32(dst, 8, old_carrier::kWord2Ones);
        CopyPairs(kCarrierPairs, rec, dst, ConvertDirection::NewToOld, LnbLimit(o.productType));
        CopyName(rec, kCarrierName.newAt, dst, kCarrierName.oldAt);
        StoreLe32(dst, 32, LoadLe32(rec, 32));
    }
}

void ConvertServices(Old& o, const SectionView& s)
{
    o.PutHeader(s.header);
    for (std::size_t i = 0; i < s.header.count; ++i, o.pos += kServiceSize) {
        const auto rec = s.Record(i);
        const auto carrier = new_service::kCarrier.Get(LoadLe32(rec, 0));
        auto dst = o.out.At(o.pos, kServiceSize);
        StoreLe32(dst, 0, old_service::kCarrier.Set(0, carrier < o.carrierPosition.size() ? o.carrierPosition[carrier] : carrier));
        StoreLe32(dst, 4, 0);
        StoreLe32(dst, 28, 0);
        CopyPairs(kServicePairs, rec, dst, ConvertDirection::NewToOld, LnbLimit(o.productType));
        CopyName(rec, kServiceName.newAt, dst, kServiceName.oldAt);
    }
}

bool ConvertSection(Old& o, const SectionView& s)
{
    switch (s.header.Kind()) {
    case Section::Lnb:
        return ConvertChecked(o, s, kNewLnbSize, ConvertLnbs);
    case Section::Satellite:
        return ConvertChecked(o, s, kSatelliteSize, ConvertSatellites);
    case Section::Carrier:
        if (!o.satellites) {
            Diagnose(__LINE__, "%s %d> Satellite record must be parsed first");
            return false;
        }
        return ConvertChecked(o, s, kCarrierSize, ConvertCarriers);
    case Section::Service:
        return ConvertChecked(o, s, kServiceSize, ConvertServices);
    default:
        o.CopySection(s);
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
    Old o{{FfBuffer(in.size() + 64), kOldHeaderSize, productType}, std::nullopt, {}};
    auto header = o.out.At(0, kOldHeaderSize);
    header[old_header::kMagicAt] = 'S';
    header[old_header::kMagicAt + 1] = 'B';
    StoreLe16(header, old_header::kFillAt, 0xFFFF);
    header[old_header::kFormatAt] = old_header::kFormat;
    std::fill_n(header.begin() + old_header::kFormatAt + 1, 3, 0);
    std::copy_n(in.begin() + new_header::kUserInitialAt, kUserInitialSize, header.begin() + old_header::kUserInitialAt);
    header[old_header::kUserInitialAt + kUserInitialSize] = 0xFF;
    const auto sections = LoadLe16(in, new_header::kSectionCountAt);
    StoreLe16(header, old_header::kSectionCountAt, sections);
    StoreLe16(header, old_header::kEndMarkAt, 0xFFFF);

    SectionWalker walker(in, kNewHeaderSize);
    for (unsigned i = 0; i < (sections & 0xFFu); ++i) {
        const auto section = walker.Next();
        if (!section || !ConvertSection(o, *section))
            return std::nullopt;
    }
    return o.out.Take();
}

}  // namespace velk::sdb
