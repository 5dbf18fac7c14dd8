// Lyngsat lists: text lines tagged ":SAT" (satellite), ":TRP" (transponder)
// and ":CHN" (channel), fields separated by blanks.
#include "common/charset.h"
#include "common/c_number.h"
#include "common/files.h"
#include "common/format.h"
#include "import/list_parsers.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace velk {
namespace {

// Lines are read in pieces of at most 255 characters, newline included.
constexpr std::size_t kLinePiece = 255;
constexpr std::uint32_t kFrequencyLimit = 15000;
constexpr std::uint32_t kSymbolRateLimit = 45000;
constexpr std::array<std::string_view, 6> kFecNames{"AUTO", "1/2", "2/3", "3/4", "5/6", "7/8"};

std::vector<std::string_view> SplitBlanks(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto end = std::min(text.find(' ', pos), text.size());
        if (end > pos)
            fields.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return fields;
}

// `:TAG "name" rest`: the name from the seventh character to the next quote,
// and the blank-separated fields after it.
struct QuotedLine {
    std::string_view name;
    std::vector<std::string_view> fields;
};

QuotedLine ReadQuotedLine(std::string_view line)
{
    constexpr std::size_t kNameStart = 6;
    if (line.size() <= kNameStart)
        return {};
    const auto close = line.find('"', kNameStart);
    if (close == std::string_view::npos)
        return {line.substr(kNameStart), {}};
    return {line.substr(kNameStart, close - kNameStart), SplitBlanks(line.substr(close + 1))};
}

// The field without its last character, or without its last two when that
// still reads above `limit` (lists give 11778V as well as 1177800).
std::uint32_t ScaledNumber(std::string_view field, std::uint32_t limit)
{
    const auto cut = [&](std::size_t n) {
        return static_cast<std::uint32_t>(ParseDecimal(field.substr(0, field.size() > n ? field.size() - n : 0)));
    };
    const auto value = cut(1);
    return value > limit ? cut(2) : value;
}

std::uint32_t PolarizationCode(std::string_view field)
{
    const char c = field.empty() ? '\0' : field.front();
    return c == 'H' ? 0 : c == 'V' ? 1 : c == 'L' ? 2 : 3;
}

std::uint8_t FecCode(std::string_view field)
{
    const auto it = std::find(kFecNames.begin(), kFecNames.end(), field);
    return it == kFecNames.end() ? 0 : static_cast<std::uint8_t>(it - kFecNames.begin());
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, std::size_t i)
{
    return i < fields.size() ? fields[i] : std::string_view{};
}

class LyngsatEngine {
public:
    LyngsatEngine(std::uint8_t selected, ImportStaging& staging) : staging_(staging), selected_(selected) {}

    void Line(std::string_view line)
    {
        const auto tag = line.substr(0, 4);
        if (tag == ":SAT")
            Satellite(line);
        else if (tag == ":TRP")
            Transponder(line);
        else if (tag == ":CHN")
            Channel(line);
    }

    void Finish(Ui& ui)
    {
        NumberMissingServiceIds(staging_, CarrierOrdinal());
        names_.TellUser(ui);
    }

private:
    std::uint32_t CarrierOrdinal() const { return static_cast<std::uint32_t>(staging_.carriers.size()); }

    void Satellite(std::string_view line)
    {
        NumberMissingServiceIds(staging_, CarrierOrdinal());
        const auto q = ReadQuotedLine(line);
        ImportSatellite s;
        s.name = names_.ToDatabase(q.name);
        s.selected = selected_;
        s.position = std::strtod(std::string(FieldAt(q.fields, 0)).c_str(), nullptr) * 10;
        s.hemisphere = FieldAt(q.fields, 1).starts_with('W') ? 1 : 0;
        AddImportSatellite(staging_, std::move(s));
        satellite_ = static_cast<std::uint32_t>(staging_.satellites.size());
        staging_.carrierCounts.Set(satellite_, 0);
        satelliteCarriers_ = 0;
    }

    void Transponder(std::string_view line)
    {
        NumberMissingServiceIds(staging_, CarrierOrdinal());
        const auto fields = SplitBlanks(line.substr(4));
        ++satelliteCarriers_;
        ImportCarrier c;
        c.frequencyMhz = ScaledNumber(FieldAt(fields, 0), kFrequencyLimit);
        c.symbolRateKs = ScaledNumber(FieldAt(fields, 1), kSymbolRateLimit);
        c.polarization = PolarizationCode(FieldAt(fields, 2));
        // The FEC field runs to the end of the line.
        const auto fecStart = fields.size() > 3 ? static_cast<std::size_t>(fields[3].data() - line.data()) : line.size();
        c.fec = FecCode(line.substr(fecStart));
        c.satellite = satellite_;
        c.name = Format("Carrier%u_S%u", satelliteCarriers_, satellite_);
        c.selected = selected_;
        const auto ordinal = staging_.AppendCarrier(std::move(c));
        staging_.carrierCounts.Set(satellite_, satelliteCarriers_);
        staging_.serviceCounts.Set(ordinal, 0);
    }

    void Channel(std::string_view line)
    {
        const auto q = ReadQuotedLine(line);
        ImportService s;
        s.carrier = CarrierOrdinal();
        s.name = StagingName(names_.ToDatabase(q.name));
        s.selected = selected_;
        s.serviceId = static_cast<std::uint16_t>(ParseDecimal(FieldAt(q.fields, 0)));
        s.type = FieldAt(q.fields, 1).starts_with('T') ? 1 : 2;
        if (!staging_.services.empty()) {
            const auto& last = staging_.services.back();
            if (last.serviceId == s.serviceId && last.type == s.type && last.name == s.name)
                return;
        }
        if (staging_.CarrierHasServiceId(s.carrier, s.serviceId))
            s.serviceId = kImportNoServiceId;
        staging_.AppendService(std::move(s));
        staging_.serviceCounts.Set(CarrierOrdinal(), staging_.ServiceCount(CarrierOrdinal()));
    }

    ImportStaging& staging_;
    std::uint8_t selected_;
    std::uint32_t satellite_ = 0;
    std::uint32_t satelliteCarriers_ = 0;
    NameConversion names_;
};

}  // namespace

void ParseLyngsatBytes(Ui& ui, ByteView file, std::uint8_t selected, ImportStaging& staging)
{
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    const auto tags = static_cast<std::uint32_t>(std::count(text.begin(), text.end(), ':'));
    if (tags > 0)
        ui.ProgressBegin(kParsingProgressTitle, tags);
    LyngsatEngine engine(selected, staging);
    std::uint32_t lines = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto newline = text.find('\n', pos);
        const auto end = std::min({newline == std::string_view::npos ? text.size() : newline + 1, pos + kLinePiece, text.size()});
        auto line = text.substr(pos, end - pos);
        pos = end;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.starts_with(':') && ui.ProgressCancelled())
            return;  // the import command throws the staging away
        if (line.starts_with(':'))
            ui.ProgressSet(std::min(++lines, tags));
        engine.Line(line);
    }
    engine.Finish(ui);
}

bool ImportLyngsatList(Ui& ui, const std::filesystem::path& path, std::uint8_t selected, ImportStaging& staging)
{
    const auto file = ReadFileBytes(path);
    if (!file) {
        ui.Message(kOpenFileError, {}, Icon::Error, Buttons::Ok);
        return false;
    }
    ParseLyngsatBytes(ui, *file, selected, staging);
    return true;
}

}  // namespace velk
