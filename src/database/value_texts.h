#pragma once
// Display texts of record field values, as the lists, the detail strip and the
// dialogs show them. A value outside its list shows as "".
#include <cstdint>
#include <string>

namespace velk {

std::string PolarizationText(std::uint8_t value);             // "Horizontal", "Vertical", "Left", "Right"
std::string FecText(std::uint8_t value);                      // "AUTO", "1/2", "2/3", "3/4", "5/6", "7/8"
std::string LnbTypeText(std::uint8_t productType, std::uint32_t value);  // "Universal 1".. / "C Band"..
std::string PowerText(bool on);                               // "ON", "OFF"
std::string Volt12Text(std::uint8_t value);                   // "0 V", "12 V", "None"
std::string Diseqc10Text(std::uint8_t productType, std::uint8_t value);  // "A".."D" / "1".."4", "None"
std::string Diseqc11Text(std::uint8_t value);                 // "1".."16", "None"
std::string ToneBurstText(std::uint8_t value);                // "A", "B", "None"
std::string RepeatText(std::uint8_t value);                   // "None", "1", "2"
std::string Khz22Text(std::uint8_t value);                    // "0K", "22K", "0/22K"
std::string EastWestText(std::uint8_t west);                  // "East", "West"
std::string ServiceTypeText(std::uint8_t type);               // "TV", "Radio"
std::string PidText(std::uint32_t pid, bool hex);             // decimal, or upper-case hexadecimal
std::string TrueFalseText(bool value);                        // "True", "False"

}  // namespace velk
