#include "database/value_texts.h"

#include "common/format.h"

#include <array>
#include <span>
#include <string_view>

namespace velk {
namespace {

std::string Pick(std::span<const std::string_view> texts, std::uint32_t value)
{
    return value < texts.size() ? std::string(texts[value]) : std::string();
}

constexpr std::array<std::string_view, 4> kPolarization{"Horizontal", "Vertical", "Left", "Right"};
constexpr std::array<std::string_view, 6> kFec{"AUTO", "1/2", "2/3", "3/4", "5/6", "7/8"};
constexpr std::array<std::string_view, 4> kLnbTypes2{"Universal 1", "Universal 2", "Universal 3", "Single"};
constexpr std::array<std::string_view, 4> kLnbTypes{"C Band", "Ext C Band", "KU Band", "Universal Band"};
constexpr std::array<std::string_view, 3> kVolt12{"0 V", "12 V", "None"};
constexpr std::array<std::string_view, 5> kDiseqc10Type2{"A", "B", "C", "D", "None"};
constexpr std::array<std::string_view, 5> kDiseqc10{"1", "2", "3", "4", "None"};
constexpr std::array<std::string_view, 3> kToneBurst{"A", "B", "None"};
constexpr std::array<std::string_view, 3> kRepeat{"None", "1", "2"};
constexpr std::array<std::string_view, 3> kKhz22{"0K", "22K", "0/22K"};
constexpr std::array<std::string_view, 2> kEastWest{"East", "West"};

}  // namespace

std::string PolarizationText(std::uint8_t value) { return Pick(kPolarization, value); }
std::string FecText(std::uint8_t value) { return Pick(kFec, value); }
std::string LnbTypeText(std::uint8_t productType, std::uint32_t value) { return Pick(productType == 2 ? kLnbTypes2 : kLnbTypes, value); }
std::string PowerText(bool on) { return on ? "ON" : "OFF"; }
std::string Volt12Text(std::uint8_t value) { return Pick(kVolt12, value); }
std::string Diseqc10Text(std::uint8_t productType, std::uint8_t value) { return Pick(productType == 2 ? kDiseqc10Type2 : kDiseqc10, value); }

std::string Diseqc11Text(std::uint8_t value)
{
    if (value < 16)
        return Format("%u", value + 1u);
    return value == 16 ? "None" : "";
}

std::string ToneBurstText(std::uint8_t value) { return Pick(kToneBurst, value); }
std::string RepeatText(std::uint8_t value) { return Pick(kRepeat, value); }
std::string Khz22Text(std::uint8_t value) { return Pick(kKhz22, value); }
std::string EastWestText(std::uint8_t west) { return Pick(kEastWest, west); }

std::string ServiceTypeText(std::uint8_t type)
{
    if (type == 1)
        return "TV";
    return type == 2 ? "Radio" : "";
}

std::string PidText(std::uint32_t pid, bool hex) { return Format(hex ? "%X" : "%u", pid); }
std::string TrueFalseText(bool value) { return value ? "True" : "False"; }

}  // namespace velk
