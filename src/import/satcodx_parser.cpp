// SatcoDX lists: 128-byte fixed-column text records, back to back or each
// followed by one separator byte.
#include "common/files.h"
#include "common/format.h"
#include "database/records.h"
#include "import/list_parsers.h"
#include "import/list_text.h"
#include "import/transponder_cursor.h"

#include <algorithm>
#include <cstring>

namespace velk {
namespace {

constexpr std::size_t kRecordSize = 128;
constexpr std::string_view kSignature = "SATCODX";

namespace field {
constexpr TextField kVersion{8, 2};
constexpr TextField kType{28, 1};
constexpr TextField kFrequency{33, 6};
constexpr TextField kPolarization{42, 1};
constexpr TextField kName{43, 8};
constexpr TextField kPosition{51, 4};
constexpr TextField kSymbolRate{69, 5};
constexpr TextField kFec{74, 1};
constexpr TextField kVideoPid{75, 4};
constexpr TextField kAudioPid{79, 4};
constexpr TextField kPcrPid{83, 4};
constexpr TextField kServiceId{87, 5};
constexpr TextField kAccess{111, 4};
constexpr TextField kTail{115, 12};
}  // namespace field

// What the protocol 2/3 layout and the older layout do differently.
struct Layout {
    TextField satelliteName;
    bool stripLeadingUnderscores;
    bool nameHasTail;
};
constexpr Layout kProtocol23{{10, 18}, false, true};
constexpr Layout kOlder{{115, 12}, true, false};

bool IsProtocol23(ByteView file)
{
    if (file.size() < field::kVersion.offset + field::kVersion.width)
        return false;
    const auto version = FieldText(file, field::kVersion);
    return version == "02" || version == "03";
}

// Records are 128 bytes apart when the second record starts right after the
// first, else 129. A lone record without separator still counts.
std::size_t Stride(ByteView file)
{
    if (file.size() < kRecordSize + 1)
        return kRecordSize;
    const auto second = file.subspan(kRecordSize, std::min(file.size() - kRecordSize, kSignature.size()));
    return std::equal(second.begin(), second.end(), kSignature.begin(), kSignature.end()) ? kRecordSize : kRecordSize + 1;
}

// Complete records only; the last one may lack its separator.
std::size_t RecordCount(std::size_t fileSize, std::size_t stride)
{
    return fileSize < kRecordSize ? 0 : (fileSize - kRecordSize) / stride + 1;
}

std::string SatelliteCandidate(ByteView r, const Layout& layout, std::uint32_t satellitesSoFar)
{
    if (FieldIsAbsent(r, layout.satelliteName))
        return Format("Satellite%u", satellitesSoFar);
    auto name = FieldText(r, layout.satelliteName);
    if (layout.stripLeadingUnderscores)
        name.remove_prefix(std::min(name.size(), name.find_first_not_of('_')));
    return std::string(name);
}

std::string NameSource(ByteView r, const Layout& layout)
{
    const auto first = FieldText(r, field::kName);
    std::string name(first.substr(0, first.find('_')));
    if (layout.nameHasTail)
        name += FieldText(r, field::kTail);
    return name;
}

// "ARD____" is "ARD"; "A_B" stays.
std::string CutPaddingUnderscores(std::string name)
{
    const auto first = name.find('_');
    if (first != std::string::npos && name.find_first_not_of('_', first) == std::string::npos)
        name.resize(first);
    return name;
}

std::uint16_t PidOrNone(ByteView r, TextField f)
{
    return FieldIsAbsent(r, f) ? kImportNoPid : static_cast<std::uint16_t>(FieldNumber(r, f));
}

std::uint32_t PolarizationCode(char digit)
{
    switch (digit) {
    case '0': return 1;
    case '2': return 2;
    case '3': return 3;
    default: return 0;
    }
}

std::uint8_t FecCode(char digit)
{
    if (digit == '5')
        return 4;
    if (digit == '7')
        return 5;
    return digit >= '0' && digit <= '9' ? static_cast<std::uint8_t>(digit - '0') : 0;
}

// Types other than TV and radio: a record with a video PID is taken as TV,
// any other as radio, so the database never holds a type it cannot show.
std::uint8_t ServiceType(char type, std::uint16_t videoPid)
{
    if (type == 'T')
        return kServiceTv;
    if (type == 'R')
        return kServiceRadio;
    return videoPid != kImportNoPid && videoPid != 0 ? kServiceTv : kServiceRadio;
}

ImportCarrier CarrierOf(ByteView r, const Transponder& t, const Layout& layout)
{
    ImportCarrier c;
    c.symbolRate = t.symbolRate;
    c.frequency = t.frequency;
    c.polarization = PolarizationCode(static_cast<char>(r[field::kPolarization.offset]));
    c.name = NameSource(r, layout);
    c.fec = FecCode(static_cast<char>(r[field::kFec.offset]));
    c.access = FieldIsAbsent(r, field::kAccess) ? 1 : 0;
    return c;
}

ImportService ServiceOf(ByteView r, const Layout& layout)
{
    ImportService s;
    s.name = CutPaddingUnderscores(NameSource(r, layout));
    s.videoPid = PidOrNone(r, field::kVideoPid);
    s.audioPid = PidOrNone(r, field::kAudioPid);
    s.pcrPid = PidOrNone(r, field::kPcrPid);
    const bool noId = FieldIsAbsent(r, field::kServiceId) || FieldText(r, field::kServiceId).empty();
    s.serviceId = noId ? kImportNoServiceId : static_cast<std::uint16_t>(FieldNumber(r, field::kServiceId));
    s.scrambled = FieldIsAbsent(r, field::kAccess) ? 0 : 1;
    s.type = ServiceType(static_cast<char>(r[field::kType.offset]), s.videoPid);
    return s;
}

bool HasSymbolRate(ByteView r)
{
    const auto rate = FieldText(r, field::kSymbolRate);
    return rate != "_____" && rate != "00000";
}

class SatcoDxEngine {
public:
    SatcoDxEngine(const Layout& layout, std::uint8_t selected, ImportStaging& staging)
        : layout_(layout), cursor_(staging, selected)
    {
    }

    void Record(ByteView r, ByteView previous)
    {
        FollowSatellite(r, previous);
        if (!HasSymbolRate(r))
            return;
        const Transponder t{FieldNumber(r, field::kFrequency), FieldNumber(r, field::kSymbolRate),
                            FieldNumber(r, field::kPolarization)};
        const bool carrierRecord = r[field::kType.offset] == '_';
        if (carrierRecord || !cursor_.IsCurrent(t))
            cursor_.OpenCarrier(t, CarrierOf(r, t, layout_), carrierRecord);
        if (!carrierRecord)
            cursor_.JoinService(ServiceOf(r, layout_));
    }

    void Finish() { cursor_.Close(); }

private:
    void FollowSatellite(ByteView r, ByteView previous)
    {
        const auto position = FieldNumber(r, field::kPosition);
        bool opens = previous.empty();
        if (!opens && position != 0)
            opens = position != FieldNumber(previous, field::kPosition);
        else if (!opens)
            opens = !std::ranges::equal(r.subspan(layout_.satelliteName.offset, layout_.satelliteName.width),
                                        previous.subspan(layout_.satelliteName.offset, layout_.satelliteName.width));
        if (!opens)
            return;
        ImportSatellite s;
        s.name = MakeUniqueSatelliteName(cursor_.Staging(), SatelliteCandidate(r, layout_, cursor_.SatelliteCount()),
                                         layout_.satelliteName.width);
        s.position = position;
        cursor_.OpenSatellite(std::move(s), false);
    }

    const Layout& layout_;
    TransponderCursor cursor_;
};

}  // namespace

void ParseSatcoDxBytes(Ui& ui, ByteView file, std::uint8_t selected, ImportStaging& staging)
{
    const auto stride = Stride(file);
    const auto count = RecordCount(file.size(), stride);
    SatcoDxEngine engine(IsProtocol23(file) ? kProtocol23 : kOlder, selected, staging);
    if (count > 0)
        ui.ProgressBegin(kParsingProgressTitle, static_cast<std::uint32_t>(count));
    ByteView previous;
    for (std::size_t i = 0; i < count; ++i) {
        ui.ProgressSet(static_cast<std::uint32_t>(i + 1));
        const auto record = file.subspan(i * stride, kRecordSize);
        engine.Record(record, previous);
        previous = record;
    }
    engine.Finish();
}

bool ParseSatcoDxFile(Ui& ui, const std::filesystem::path& path, std::uint8_t selected, ImportStaging& staging)
{
    const auto file = ReadFileBytes(path);
    if (!file) {
        ui.Message(kOpenFileError, {}, Icon::Error, Buttons::Ok);
        return false;
    }
    ParseSatcoDxBytes(ui, *file, selected, staging);
    return true;
}

}  // namespace velk
