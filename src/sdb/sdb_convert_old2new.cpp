// Old ("SB") layout -> new ('e','E') layout.
#include "database/working_store.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_convert_output.h"
#include "sdb/sdb_diagnostic.h"
#include "sdb/sdb_ff_buffer.h"
#include "sdb/sdb_field_pairs.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_section_walker.h"
#include "sdb/sdb_session.h"

#include <algorithm>

namespace velk::sdb {
namespace {

struct New : ConvertOutput {
    std::uint16_t serviceCount = 0;
    bool sawOsl = false;
    bool sawUserBox = false;
};

void CopyName(ByteView rec, MutableByteView dst, NamePair name)
{
    std::copy_n(rec.begin() + static_cast<std::ptrdiff_t>(name.oldAt), FixedName::kSize,
                dst.begin() + static_cast<std::ptrdiff_t>(name.newAt));
}

void ConvertLnbs(New& n, const SectionView& s)
{
    auto h = s.header;
    h.recordSize = kNewLnbSize;
    n.PutHeader(h);
    for (std::size_t i = 0; i < h.count; ++i, n.pos += kNewLnbSize) {
        auto dst = n.out.At(n.pos, kNewLnbSize);
        StoreLe32(dst, 0, lnb_word::kSdbMark.Set(0, 1));
        // Bits 15-31 of the switch word ones: the 22 kHz setting is not carried and reads back as 3.
        StoreLe32(dst, 4, 0xFFFFFFFFu);
        CopyPairs(kLnbPairs, s.Record(i), dst, ConvertDirection::OldToNew, LnbLimit(n.productType));
    }
}

void ConvertSatellites(New& n, const SectionView& s)
{
    n.PutHeader(s.header);
    for (std::size_t i = 0; i < s.header.count; ++i, n.pos += kSatelliteSize) {
        const auto rec = s.Record(i);
        auto dst = n.out.At(n.pos, kSatelliteSize);
        StoreLe32(dst, 0, new_sat::kWord0Ones);
        StoreLe32(dst, 4, 0xFFFFFFFFu);
        CopyPairs(kSatellitePairs, rec, dst, ConvertDirection::OldToNew, LnbLimit(n.productType));
        CopyName(rec, dst, kSatelliteName);
    }
}

void ConvertCarriers(New& n, const SectionView& s)
{
    n.PutHeader(s.header);
    for (std::size_t i = 0; i < s.header.count; ++i, n.pos += kCarrierSize) {
        const auto rec = s.Record(i);
        auto dst = n.out.At(n.pos, kCarrierSize);
        std::copy(rec.begin(), rec.end(), dst.begin());
        // Bits 16-31 of word 2 ones: the skew is not carried and reads back as 255.
        StoreLe32(dst, 8, 0xFFFFFFFFu);
        CopyPairs(kCarrierPairs, rec, dst, ConvertDirection::OldToNew, LnbLimit(n.productType));
    }
}

void ConvertServices(New& n, const SectionView& s)
{
    n.PutHeader(s.header);
    n.serviceCount = s.header.count;
    for (std::size_t i = 0; i < s.header.count; ++i, n.pos += kServiceSize) {
        const auto rec = s.Record(i);
        auto dst = n.out.At(n.pos, kServiceSize);
        // Old files carry no program number: count down from the service count.
        std::uint32_t w0 = new_service::kProgramNumber.Set(0, s.header.count - i);
        w0 = new_service::kCarrier.Set(w0, old_service::kCarrier.Get(LoadLe32(rec, 0)));
        StoreLe32(dst, 0, w0);
        StoreLe32(dst, 4, 0xFFFFFFFFu);
        StoreLe32(dst, 8, 0xFFFFFFFFu);
        CopyPairs(kServicePairs, rec, dst, ConvertDirection::OldToNew, LnbLimit(n.productType));
        CopyName(rec, dst, kServiceName);
    }
}

bool ConvertSection(New& n, const SectionView& s)
{
    switch (s.header.Kind()) {
    case Section::Lnb:
        return ConvertChecked(n, s, kOldLnbSize, ConvertLnbs);
    case Section::Satellite:
        return ConvertChecked(n, s, kSatelliteSize, ConvertSatellites);
    case Section::Carrier:
        return ConvertChecked(n, s, kCarrierSize, ConvertCarriers);
    case Section::Service:
        return ConvertChecked(n, s, kServiceSize, ConvertServices);
    case Section::Osl:
        n.sawOsl = true;
        break;
    case Section::UserBox:
        n.sawUserBox = true;
        break;
    default:
        break;
    }
    n.CopySection(s);
    return true;
}

// Missing "OSL" (channel order = record order) and "UserBox" (defaults) sections.
std::size_t AppendMissingSections(New& n)
{
    const auto before = n.pos;
    if (!n.sawOsl) {
        n.PutHeader(MakeSectionHeader(Section::Osl, kOslEntrySize, n.serviceCount));
        for (std::uint16_t i = 0; i < n.serviceCount; ++i, n.pos += 2)
            StoreLe16(n.out.At(n.pos, 2), 0, i);
    }
    if (!n.sawUserBox) {
        n.PutHeader(MakeSectionHeader(Section::UserBox, kUserBoxSize, 1));
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
    New n{{FfBuffer(in.size()), kNewHeaderSize, productType}};
    auto header = n.out.At(0, kNewHeaderSize);
    // Bytes 3-5 zero; the date and the end mark keep the filler.
    std::fill_n(header.begin(), new_header::kSectionCountAt, 0);
    header[new_header::kMagicAt] = 'e';
    header[new_header::kMagicAt + 1] = 'E';
    header[new_header::kFormatAt] = new_header::kFormat;
    const auto sections = LoadLe16(in, old_header::kSectionCountAt);
    StoreLe16(header, new_header::kSectionCountAt, sections);
    header[new_header::kPlacementAt] = static_cast<std::uint8_t>(Placement::Lnb);
    std::copy_n(in.begin() + old_header::kUserInitialAt, kUserInitialSize, header.begin() + new_header::kUserInitialAt);
    header[new_header::kSdbMajorAt] = 1;
    header[new_header::kSdbMinorAt] = 0;

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
