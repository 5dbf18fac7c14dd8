// SatcoDX lists: fixed-column text records (see satcodx_records.h for how
// the list is cut into them).
#include "common/charset.h"
#include "common/files.h"
#include "common/format.h"
#include "database/records.h"
#include "import/list_parsers.h"
#include "import/dvb_text.h"
#include "import/import_command.h"
#include "import/list_text.h"
#include "import/satcodx_records.h"
#include "import/transponder_cursor.h"

#include <algorithm>
#include <cstring>

namespace velk {
namespace {

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
constexpr std::size_t kTailOffset = 115;
}  // namespace field

// What the layouts do differently. Protocol 2/3 (version 103 of today) and
// the older layout carry Windows-1252 names; version 105 carries UTF-8 with
// DVB control codes and a name continuation of 17 characters on its
// 132-character line (12 on the 127-character one).
struct Layout {
    TextField satelliteName;
    bool stripLeadingUnderscores;
    std::size_t tailWidth;  // 0: no name continuation
    TextEncoding names;
};
constexpr Layout kProtocol23{{10, 18}, false, 12, TextEncoding::Windows1252};
constexpr Layout kVersion105{{10, 18}, false, 17, TextEncoding::Utf8};
constexpr Layout kOlder{{115, 12}, true, 0, TextEncoding::Windows1252};

const Layout& LayoutOf(ByteView firstRecord)
{
    const auto version = FieldText(firstRecord, field::kVersion);
    if (version == "02" || version == "03")
        return kProtocol23;
    return version == "05" ? kVersion105 : kOlder;
}

// Version 105 names keep every byte up to the field's end (a DVB table
// selector may hold a NUL); the others end at a NUL like any field.
std::string_view NameField(ByteView r, TextField f, const Layout& layout)
{
    if (layout.names != TextEncoding::Utf8)
        return FieldText(r, f);
    CheckRange(r.size(), f.offset, f.width);
    return {reinterpret_cast<const char*>(r.data()) + f.offset, f.width};
}

TextField TailOf(ByteView r, const Layout& layout)
{
    const bool longLine = r.size() >= kSatcoDxLongestRecord;
    return {field::kTailOffset, longLine ? layout.tailWidth : std::min<std::size_t>(layout.tailWidth, 12)};
}

std::string NameSource(ByteView r, const Layout& layout)
{
    const auto first = NameField(r, field::kName, layout);
    std::string name(first.substr(0, first.find('_')));
    if (layout.tailWidth > 0)
        name += NameField(r, TailOf(r, layout), layout);
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

class NameDecoder {
public:
    explicit NameDecoder(const Layout& layout) : layout_(layout) {}

    // A name of the list as database bytes.
    std::string Decode(std::string_view raw) { return conversion_.ToDatabase(DropDvbControlCodes(raw), layout_.names); }

    std::string SatelliteCandidate(ByteView r, std::uint32_t satellitesSoFar)
    {
        if (FieldIsAbsent(r, layout_.satelliteName))
            return Format("Satellite%u", satellitesSoFar);
        auto name = NameField(r, layout_.satelliteName, layout_);
        if (layout_.stripLeadingUnderscores)
            name.remove_prefix(std::min(name.size(), name.find_first_not_of('_')));
        return Decode(name);
    }

    NameConversion& Conversion() { return conversion_; }

private:
    const Layout& layout_;
    NameConversion conversion_;
};

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

ImportCarrier CarrierOf(ByteView r, const Transponder& t, const Layout& layout, NameDecoder& names)
{
    ImportCarrier c;
    c.symbolRateKs = t.symbolRateKs;
    c.frequencyMhz = t.frequencyMhz;
    c.polarization = PolarizationCode(static_cast<char>(r[field::kPolarization.offset]));
    c.name = names.Decode(NameSource(r, layout));
    c.fec = FecCode(static_cast<char>(r[field::kFec.offset]));
    c.access = FieldIsAbsent(r, field::kAccess) ? 1 : 0;
    return c;
}

ImportService ServiceOf(ByteView r, const Layout& layout, NameDecoder& names)
{
    ImportService s;
    s.name = names.Decode(CutPaddingUnderscores(NameSource(r, layout)));
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
        : layout_(layout), names_(layout), cursor_(staging, selected)
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
            cursor_.OpenCarrier(t, CarrierOf(r, t, layout_, names_), carrierRecord);
        if (!carrierRecord)
            cursor_.JoinService(ServiceOf(r, layout_, names_));
    }

    void Finish(Ui& ui)
    {
        cursor_.Close();
        names_.Conversion().TellUser(ui);
    }

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
        s.name = MakeUniqueSatelliteName(cursor_.Staging(), names_.SatelliteCandidate(r, cursor_.SatelliteCount()),
                                         layout_.satelliteName.width);
        s.position = position;
        cursor_.OpenSatellite(std::move(s), false);
    }

    const Layout& layout_;
    NameDecoder names_;
    TransponderCursor cursor_;
};

}  // namespace

bool ParseSatcoDxBytes(Ui& ui, ByteView file, std::uint8_t selected, ImportStaging& staging)
{
    const auto split = SplitSatcoDxRecords(file);
    if (split.invalidRecord != 0) {
        ShowError(ui, InvalidRecordMessage(split.invalidRecord));
        return false;
    }
    const auto& records = split.records;
    SatcoDxEngine engine(records.empty() ? kOlder : LayoutOf(records.front()), selected, staging);
    if (!records.empty())
        ui.ProgressBegin(kParsingProgressTitle, static_cast<std::uint32_t>(records.size()));
    ByteView previous;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (ui.ProgressCancelled())
            return true;  // the import command throws the staging away
        ui.ProgressSet(static_cast<std::uint32_t>(i + 1));
        engine.Record(records[i], previous);
        previous = records[i];
    }
    engine.Finish(ui);
    return true;
}

std::string InvalidRecordMessage(std::size_t record)
{
    return Format("%s\nRecord %zu is not a SatcoDX record.", kInvalidListFile, record);
}

bool ParseSatcoDxFile(Ui& ui, const std::filesystem::path& path, std::uint8_t selected, ImportStaging& staging)
{
    const auto file = ReadFileBytes(path);
    if (!file) {
        ui.Message(kOpenFileError, {}, Icon::Error, Buttons::Ok);
        return false;
    }
    return ParseSatcoDxBytes(ui, *file, selected, staging);
}

}  // namespace velk
