#include "database/field_rules.h"

#include "common/c_number.h"
#include "common/format.h"

#include <algorithm>
#include <array>

namespace velk {
namespace {

bool InRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

std::optional<FieldError> Fail(const char* message, Field field, Icon icon = Icon::Error)
{
    return FieldError{message, field, icon};
}

}  // namespace

LnbTypeFrequencies FrequenciesOfLnbType(std::uint8_t productType, std::uint32_t typeIndex)
{
    static constexpr std::array<LnbTypeFrequencies, 4> kType2{{{9750, 10600, true}, {9750, 10700, true}, {9750, 10750, true}, {5150, 5150, false}}};
    static constexpr std::array<LnbTypeFrequencies, 4> kOther{{{5150, 5150, true}, {5750, 5750, true}, {9750, 10700, true}, {9750, 10600, true}}};
    return (productType == 2 ? kType2 : kOther)[typeIndex & 3];
}

std::optional<FieldError> CheckLnbFields(const LnbInput& in)
{
    const auto low = ParseDecimal(in.low);
    const auto high = ParseDecimal(in.high);
    if (!InRange(low, 3500, 12750))
        return Fail("Invalid Frequency", Field::LowFrequency);
    if (!InRange(high, 3500, 12750))
        return Fail("Invalid Frequency", Field::HighFrequency);
    if (low > high)
        return Fail("Invalid Frequency.\nLow frequency greater than High frequency.", Field::LowFrequency);
    return std::nullopt;
}

std::int32_t AngleTenthsFromText(const std::string& text)
{
    const auto whole = ParseDecimal(text);
    const auto dot = text.find('.');
    const bool fractionDigit = dot != std::string::npos && dot + 1 < text.size() && text[dot + 1] >= '0' && text[dot + 1] <= '9';
    const std::int64_t tenth = fractionDigit ? text[dot + 1] - '0' : 0;
    const std::int64_t tenths = whole * 10 + (whole < 0 ? -tenth : tenth);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(tenths, INT32_MIN, INT32_MAX));
}

std::string AngleText(std::int32_t tenths)
{
    return tenths == 0 ? std::string("000.0") : Format("%05.1f", tenths / 10.0);
}

std::optional<FieldError> CheckSatelliteFields(const SatelliteInput& in)
{
    if (in.name.empty())
        return Fail("Satellite Name should be entered", Field::Name);
    if (!InRange(ParseDecimal(in.position), 0, 63))
        return Fail("Satellite Position should be less then 64.", Field::Position);
    if (std::count(in.angle.begin(), in.angle.end(), '.') > 1)
        return Fail("Invalid format of satellite angle", Field::Angle, Icon::Warning);
    if (!InRange(ParseDecimal(in.angle), 0, 360))
        return Fail("Satellite angle should be 0 - 360.", Field::Angle);
    return std::nullopt;
}

std::optional<FieldError> CheckCarrierFields(const CarrierInput& in)
{
    if (in.name.empty())
        return Fail("Carrier should be entered", Field::Name);
    if (!InRange(ParseDecimal(in.frequencyMhz), 1000, 15000))
        return Fail("Carrier frequency should be in the range of 1000-15000.", Field::Frequency);
    if (!InRange(ParseDecimal(in.symbolRateKs), 1000, 45000))
        return Fail("Carrier symbol rate should be in the range of 1000-45000.", Field::SymbolRate);
    if (!InRange(ParseDecimal(in.skewMagnitude), 0, 90))
        return Fail("Skew value in the range of -90 to +90.", Field::Skew);
    return std::nullopt;
}

std::uint8_t SkewByte(std::uint32_t magnitude, bool plus)
{
    const auto v = std::min<std::uint32_t>(magnitude, 90);
    return static_cast<std::uint8_t>(plus ? 90 - v : 90 + v);
}

std::uint32_t SkewMagnitude(std::uint8_t skewByte) { return skewByte < 90 ? 90u - skewByte : skewByte - 90u; }
bool SkewIsPlus(std::uint8_t skewByte) { return skewByte < 90; }

std::uint32_t PidFromText(const std::string& text, bool hex)
{
    const auto v = hex ? ParseHex("0x" + text) : ParseDecimal(text);
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, UINT32_MAX));
}

ServiceCheck CheckServiceFields(Ui& ui, const ServiceInput& in, const std::vector<std::uint16_t>& otherProgramNumbers)
{
    ServiceCheck out;
    if (in.name.empty()) {
        out.error = FieldError{"ServiceName should be entered", Field::Name};
        return out;
    }
    out.programNumber = static_cast<std::uint32_t>(std::clamp<std::int64_t>(ParseDecimal(in.programNumber), 0, 65535));
    if (std::find(otherProgramNumbers.begin(), otherProgramNumbers.end(), out.programNumber) != otherProgramNumbers.end()) {
        out.error = FieldError{"Service Program No already exist.", Field::ProgramNumber};
        return out;
    }
    out.videoPid = in.radio ? kNoPid : PidFromText(in.videoPid, in.hexDisplay);
    if (!in.radio && (out.videoPid == 0 || in.videoPid.size() == 1)) {
        if (!AskYesNo(ui, "Invalid Video PID.\nDo you want to update default value ?")) {
            out.closeDialog = true;
            return out;
        }
        out.videoPid = kNoPid;
    }
    out.audioPid = PidFromText(in.audioPid, in.hexDisplay);
    if (in.audioPid.empty() || in.audioPid == "0") {
        if (!AskYesNo(ui, "Invalid Audio PID.\nDo you want to update default PID ?")) {
            out.closeDialog = true;
            return out;
        }
        out.audioPid = kNoPid;
    }
    out.pcrPid = (in.pcrPid.empty() || in.pcrPid == "0") ? kNoPid : PidFromText(in.pcrPid, in.hexDisplay);
    return out;
}

std::optional<FieldError> CheckDefaultValuesFields(const DefaultValuesInput& in)
{
    const auto low = ParseDecimal(in.lnbLow);
    const auto high = ParseDecimal(in.lnbHigh);
    if (!InRange(low, 3500, 12750))
        return Fail("Invalid Frequency", Field::LowFrequency);
    if (!InRange(high, 3500, 12750))
        return Fail("Invalid Frequency", Field::HighFrequency);
    if (low > high)
        return Fail("Low frequency greater than high frequency.", Field::LowFrequency);
    if (!InRange(ParseDecimal(in.satPosition), 0, 63))
        return Fail("Satellite Position should be less then 64.", Field::Position);
    if (!InRange(ParseDecimal(in.satAngle), 0, 360))
        return Fail("Satellite angle should be 0 - 360.", Field::Angle);
    if (!InRange(ParseDecimal(in.carFrequency), 1000, 15000))
        return Fail("Carrier frequency should be in the range of 1000-15000.", Field::Frequency);
    // The default carrier accepts the same symbol rates as any carrier.
    if (!InRange(ParseDecimal(in.carSymbolRate), 1000, 45000))
        return Fail("Carrier symbol rate should be in the range of 2000-45000.", Field::SymbolRate);
    if (!InRange(ParseDecimal(in.carSkew), 0, 90))
        return Fail("Skew value in the range of -90 to +90.", Field::Skew);
    const auto video = PidFromText(in.videoPid, in.hexDisplay);
    if (!in.radio && (video == 0 || video > kNoPid))
        return Fail("Invalid Video PID.\nDo you want to update default value?", Field::VideoPid);
    const auto audio = PidFromText(in.audioPid, in.hexDisplay);
    if (audio == 0 || audio > kNoPid)
        return Fail("Invalid Audio PID.\nDo you want to update?", Field::AudioPid);
    return std::nullopt;
}

std::optional<FieldError> CheckWizardLnbFrequency(const std::string& text, Field field)
{
    if (!InRange(ParseDecimal(text), 3500, 12750))
        return Fail("Value should be in the range of ( 3500 - 12750 ).", field, Icon::Warning);
    return std::nullopt;
}

std::optional<FieldError> CheckWizardLnbCount(const std::string& text)
{
    if (ParseDecimal(text) >= 256)
        return Fail("Value should be less than 256", Field::LnbCount, Icon::Warning);
    return std::nullopt;
}

}  // namespace velk
