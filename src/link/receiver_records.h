#pragma once
// The receiver's own records that the program keeps in memory between builds
// and downloads: the Hovo partition record and the carrier parameter record.
// (The user settings record lives in the SDB session with the database.)

#include <array>
#include <cstdint>

namespace velk::link {

struct ReceiverRecords {
    std::array<std::uint32_t, 7> hovo;
    std::array<std::uint32_t, 8> carrierParams;

    // All ones at program start.
    static ReceiverRecords Initial()
    {
        ReceiverRecords r;
        r.hovo.fill(0xFFFFFFFF);
        r.carrierParams.fill(0xFFFFFFFF);
        return r;
    }
};

}  // namespace velk::link
