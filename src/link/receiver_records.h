#pragma once
// The receiver's own records that the program keeps in memory between builds
// and downloads: the Hovo partition record, the carrier parameter record and
// the user settings record.
#include "link/user_settings.h"

#include <array>
#include <cstdint>

namespace velk::link {

struct ReceiverRecords {
    std::array<std::uint32_t, 7> hovo;
    std::array<std::uint32_t, 8> carrierParams;
    UserSettings userSettings;

    // All ones at program start; the user settings take the product type's defaults.
    static ReceiverRecords Initial(std::uint8_t productType)
    {
        ReceiverRecords r;
        r.hovo.fill(0xFFFFFFFF);
        r.carrierParams.fill(0xFFFFFFFF);
        r.userSettings = DefaultUserSettings(productType);
        return r;
    }
};

}  // namespace velk::link
