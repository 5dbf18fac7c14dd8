#include "database/value_texts.h"

#include "common/format.h"
#include "database/field_rules.h"

#include <algorithm>

namespace velk {

const TextList& LnbTypeNames(std::uint8_t productType)
{
    static const TextList type2{"Universal 1", "Universal 2", "Universal 3", "Single"};
    static const TextList others{"C Band", "Ext C Band", "KU Band", "Universal Band"};
    return productType == 2 ? type2 : others;
}

const TextList& Diseqc10Names(std::uint8_t productType)
{
    static const TextList type2{"A", "B", "C", "D", "None"};
    static const TextList others{"1", "2", "3", "4", "None"};
    return productType == 2 ? type2 : others;
}

const TextList& Diseqc11Names()
{
    static const TextList list = [] {
        TextList l;
        for (int i = 1; i <= 16; ++i)
            l.push_back(std::to_string(i));
        l.push_back("None");
        return l;
    }();
    return list;
}

const TextList& Volt12Names() { static const TextList l{"0 V", "12 V", "None"}; return l; }
const TextList& ToneBurstNames() { static const TextList l{"A", "B", "None"}; return l; }
const TextList& RepeatNames() { static const TextList l{"None", "1", "2"}; return l; }
const TextList& Khz22Names() { static const TextList l{"0K", "22K", "0/22K"}; return l; }
const TextList& PolarizationNames() { static const TextList l{"Horizontal", "Vertical", "Left", "Right"}; return l; }
const TextList& FecNames() { static const TextList l{"AUTO", "1/2", "2/3", "3/4", "5/6", "7/8"}; return l; }
const TextList& ServiceTypeNames() { static const TextList l{"TV", "Radio"}; return l; }
const TextList& EastWestNames() { static const TextList l{"East", "West"}; return l; }
const TextList& PowerNames() { static const TextList l{"OFF", "ON"}; return l; }

TextList LnbIndexNames(std::uint32_t lnbCount)
{
    TextList names;
    for (std::uint32_t n = 1; n <= std::max<std::uint32_t>(lnbCount, 1); ++n)
        names.push_back(Format("LNB %d", static_cast<int>(n)));
    return names;
}

std::string TextAt(const TextList& list, std::uint32_t index)
{
    return index < list.size() ? list[index] : std::string();
}

std::string ServiceTypeText(std::uint8_t type)
{
    return type == kServiceTv || type == kServiceRadio ? ServiceTypeNames()[type - 1u] : std::string();
}

std::string PowerText(bool on) { return PowerNames()[on ? 1 : 0]; }
std::string TrueFalseText(bool value) { return value ? "True" : "False"; }

std::string PidText(std::uint32_t pid, bool hex)
{
    return hex ? Format("%X", pid) : std::to_string(pid);
}

std::string FavouriteGroupsText(std::uint8_t favourites)
{
    std::string text = "Groups ";
    bool first = true;
    for (int g = 1; g <= 4; ++g) {
        if ((favourites >> (g - 1)) & 1) {
            text += (first ? "" : ",") + std::to_string(g);
            first = false;
        }
    }
    return text;
}

std::string SkewText(std::uint8_t skewByte)
{
    const auto magnitude = SkewMagnitude(skewByte);
    if (magnitude == 0)
        return "0";
    return (SkewIsPlus(skewByte) ? "+" : "-") + std::to_string(magnitude);
}

std::string NodeLabel(std::uint32_t number, const std::string& name)
{
    return Format("[ %d ] %s", static_cast<int>(number), name.c_str());
}

}  // namespace velk
