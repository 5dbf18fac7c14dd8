#pragma once
// The checks a record passes before it is written, with the receiver tool's
// own messages. Inputs are the texts of the dialog fields.
#include "common/ui.h"
#include "database/records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

enum class Field {
    LowFrequency, HighFrequency,
    Name, Position, Angle,
    Frequency, SymbolRate, Skew,
    ProgramNumber, VideoPid, AudioPid, PcrPid,
    LnbCount,
};

// The first rule that failed: its message, the field that gets the focus and the icon.
struct FieldError {
    std::string message;
    Field field;
    Icon icon = Icon::Error;
    bool operator==(const FieldError&) const = default;
};

// LNB frequencies of an LNB type for a product type, and whether 22 kHz applies.
struct LnbTypeFrequencies {
    std::uint32_t lowMhz;
    std::uint32_t highMhz;
    bool khz22Enabled;
};
LnbTypeFrequencies FrequenciesOfLnbType(std::uint8_t productType, std::uint32_t typeIndex);

struct LnbInput { std::string low, high; };
std::optional<FieldError> CheckLnbFields(const LnbInput& in);

struct SatelliteInput { std::string name, position, angle; };
std::optional<FieldError> CheckSatelliteFields(const SatelliteInput& in);

struct CarrierInput { std::string name, frequencyMhz, symbolRateKs, skewMagnitude; };
std::optional<FieldError> CheckCarrierFields(const CarrierInput& in);

// Angle text to tenths of a degree, truncated toward zero ("123.45" -> 1234).
std::int32_t AngleTenthsFromText(const std::string& text);
// "%05.1f" of angle/10, "000.0" for 0.
std::string AngleText(std::int32_t tenths);

// Skew byte from magnitude and sign: 0 -> 90, "+" -> 90 - v, "-" -> 90 + v.
std::uint8_t SkewByte(std::uint32_t magnitude, bool plus);
// Magnitude and sign shown for a skew byte: "+" when the byte is below 90.
std::uint32_t SkewMagnitude(std::uint8_t skewByte);
bool SkewIsPlus(std::uint8_t skewByte);

// A service's PIDs after the rules; `closeDialog` when the user declined a default PID.
struct ServiceInput {
    std::string name, programNumber, videoPid, audioPid, pcrPid;
    bool radio = false;
    bool hexDisplay = false;
};
struct ServiceCheck {
    std::optional<FieldError> error;  // a refusal: the dialog stays open
    bool closeDialog = false;         // the user answered No: nothing is saved
    std::uint32_t programNumber = 0, videoPid = kNoPid, audioPid = kNoPid, pcrPid = kNoPid;
};
// `otherProgramNumbers`: program numbers of the other services of the same carrier.
ServiceCheck CheckServiceFields(Ui& ui, const ServiceInput& in, const std::vector<std::uint16_t>& otherProgramNumbers);

// PID text read in decimal, or in hexadecimal in hex display mode.
std::uint32_t PidFromText(const std::string& text, bool hex);

// Default Values dialog: the rules in the dialog's order.
struct DefaultValuesInput {
    std::string lnbLow, lnbHigh, satPosition, satAngle, carFrequency, carSymbolRate, carSkew, videoPid, audioPid;
    bool radio = false;
    bool hexDisplay = false;
};
std::optional<FieldError> CheckDefaultValuesFields(const DefaultValuesInput& in);

// Import wizard LNB details.
std::optional<FieldError> CheckWizardLnbFrequency(const std::string& text, Field field);
std::optional<FieldError> CheckWizardLnbCount(const std::string& text);

}  // namespace velk
