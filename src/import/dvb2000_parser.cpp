// DVB2000 lists: 64-byte binary records, big-endian; satellite records and
// channel records (each with its transponder) follow each other.
#include "common/charset.h"
#include "common/c_number.h"
#include "common/files.h"
#include "common/format.h"
#include "import/list_parsers.h"
#include "import/list_text.h"
#include "import/transponder_cursor.h"

#include <optional>

namespace velk {
namespace {

constexpr std::size_t kRecordSize = 64;
// Satellite names, like SatcoDX protocol 2/3 names, keep 18 characters.
constexpr std::size_t kSatelliteNameWidth = 18;

namespace field {
constexpr std::size_t kServiceId = 4;
constexpr std::size_t kFrequency = 8;
constexpr std::size_t kSymbolRate = 10;
constexpr std::size_t kFec = 12;
constexpr std::size_t kPolarization = 14;
constexpr std::size_t kVideoPid = 16;
constexpr std::size_t kAudioPid = 18;
constexpr std::size_t kPcrPid = 20;
constexpr std::size_t kServiceType = 27;
constexpr TextField kText{32, 32};
constexpr TextField kServiceName{32, 18};
}  // namespace field

bool IsSatelliteRecord(ByteView r)
{
    for (const auto off : {field::kFrequency, field::kSymbolRate, field::kVideoPid, field::kAudioPid, field::kPcrPid})
        if (LoadBe16(r, off) != 0)
            return false;
    return true;
}

// "name-position": the name before the first hyphen; the position after it
// without its last three characters; West unless a "W" precedes the last hyphen.
struct SatelliteField {
    std::string name;
    std::uint32_t position = 0;
    std::uint8_t hemisphere = 1;
};

SatelliteField ReadSatelliteField(std::string_view text)
{
    SatelliteField f;
    const auto hyphen = text.find('-');
    f.name = std::string(text.substr(0, hyphen));
    if (hyphen != std::string_view::npos) {
        const auto after = text.substr(hyphen + 1);
        f.position = static_cast<std::uint32_t>(ParseDecimal(after.substr(0, after.size() > 3 ? after.size() - 3 : 0)));
        const auto last = text.rfind('-');
        if (last > 0 && text[last - 1] == 'W')
            f.hemisphere = 0;
    }
    return f;
}

std::uint8_t FecCode(std::uint8_t code)
{
    switch (code) {
    case 2: return 1;
    case 3: return 2;
    case 4: return 3;
    case 6: return 4;
    case 7: return 5;
    default: return 0;
    }
}

std::uint16_t Pid(ByteView r, std::size_t off)
{
    const auto pid = LoadBe16(r, off);
    return pid == 0 ? kImportNoPid : pid;
}

ImportService ServiceOf(ByteView r, NameConversion& names)
{
    ImportService s;
    s.name = names.ToDatabase(FieldText(r, field::kServiceName));
    s.videoPid = Pid(r, field::kVideoPid);
    s.audioPid = Pid(r, field::kAudioPid);
    s.pcrPid = Pid(r, field::kPcrPid);
    s.serviceId = LoadBe16(r, field::kServiceId);
    s.type = r[field::kServiceType];
    return s;
}

class Dvb2000Engine {
public:
    Dvb2000Engine(std::uint8_t selected, ImportStaging& staging) : cursor_(staging, selected) {}

    void Record(ByteView r)
    {
        if (IsSatelliteRecord(r))
            Satellite(r);
        else
            Channel(r);
    }

    void Finish(Ui& ui)
    {
        cursor_.Close();
        names_.TellUser(ui);
    }

private:
    void Satellite(ByteView r)
    {
        auto f = ReadSatelliteField(FieldText(r, field::kText));
        if (position_ && *position_ == f.position)
            return;
        position_ = f.position;
        ImportSatellite s;
        const auto candidate = f.name.empty() ? Format("Satellite%u", cursor_.SatelliteCount()) : names_.ToDatabase(f.name);
        s.name = MakeUniqueSatelliteName(cursor_.Staging(), candidate, kSatelliteNameWidth);
        s.position = f.position;
        s.hemisphere = f.hemisphere;
        cursor_.OpenSatellite(std::move(s), true);
    }

    void Channel(ByteView r)
    {
        const Transponder t{LoadBe16(r, field::kFrequency), LoadBe16(r, field::kSymbolRate), r[field::kPolarization]};
        if (!cursor_.IsCurrent(t)) {
            ImportCarrier c;
            c.symbolRateKs = t.symbolRateKs;
            c.frequencyMhz = t.frequencyMhz;
            c.polarization = t.polarization;
            c.fec = FecCode(r[field::kFec]);
            cursor_.OpenCarrier(t, std::move(c), false);
        }
        cursor_.JoinService(ServiceOf(r, names_));
    }

    TransponderCursor cursor_;
    NameConversion names_;
    std::optional<std::uint32_t> position_;  // of the satellite record that opened the current satellite
};

}  // namespace

void ParseDvb2000Bytes(Ui& ui, ByteView file, std::uint8_t selected, ImportStaging& staging)
{
    const auto count = file.size() / kRecordSize;
    Dvb2000Engine engine(selected, staging);
    if (count > 0)
        ui.ProgressBegin(kParsingProgressTitle, static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        if (ui.ProgressCancelled())
            return;  // the import command throws the staging away
        ui.ProgressSet(static_cast<std::uint32_t>(i + 1));
        engine.Record(file.subspan(i * kRecordSize, kRecordSize));
    }
    engine.Finish(ui);
}

bool ImportDvb2000List(Ui& ui, const std::filesystem::path& path, std::uint8_t selected, ImportStaging& staging)
{
    const auto file = ReadFileBytes(path);
    if (!file) {
        ui.Message(kOpenFileError, {}, Icon::Error, Buttons::Ok);
        return false;
    }
    ParseDvb2000Bytes(ui, *file, selected, staging);
    return true;
}

}  // namespace velk
