#pragma once
// The texts shown for record values: the value lists of the dialogs and the
// cells of the record lists, the detail strip and the details dialog. A value
// outside its list shows as "".
#include "database/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

using TextList = std::vector<std::string>;

const TextList& LnbTypeNames(std::uint8_t productType);
const TextList& Diseqc10Names(std::uint8_t productType);
const TextList& Diseqc11Names();
const TextList& Volt12Names();
const TextList& ToneBurstNames();
const TextList& RepeatNames();
const TextList& Khz22Names();
const TextList& PolarizationNames();
const TextList& FecNames();
const TextList& ServiceTypeNames();  // "TV", "Radio"
const TextList& EastWestNames();     // "East", "West"
const TextList& PowerNames();        // "OFF", "ON"

// "LNB 1" .. "LNB %d" for the open LNBs, "LNB 1" when there is none.
TextList LnbIndexNames(std::uint32_t lnbCount);

// Entry `index` of `list`, or "" past its end (files may hold anything).
std::string TextAt(const TextList& list, std::uint32_t index);

// "TV" for 1, "Radio" for 2.
std::string ServiceTypeText(std::uint8_t type);
std::string PowerText(bool on);         // "ON", "OFF"
std::string TrueFalseText(bool value);  // "True", "False"
// A PID in decimal or in upper-case hexadecimal.
std::string PidText(std::uint32_t pid, bool hex);
// "Groups " and the numbers of the set groups.
std::string FavouriteGroupsText(std::uint8_t favourites);
// Skew byte as shown: magnitude with "+" below 90, "-" above, "0" at 90.
std::string SkewText(std::uint8_t skewByte);
// "[ %d ] %s"
std::string NodeLabel(std::uint32_t number, const std::string& name);

}  // namespace velk
