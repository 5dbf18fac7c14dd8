#pragma once
// What a receiver holding the sample database sends on a download: its ADB
// image, two blocks the download drops, and its E2P image.
#include "link/adb_builder.h"
#include "link/adb_layout.h"
#include "sim/sim_receiver.h"
#include "support/sample_database.h"
#include "support/temp_dir.h"

#include <vector>

namespace velk::link::test {

// Builds the images in `scratch` with the receiver's user settings `user`.
inline std::vector<sim::SimBlock> SampleReceiverBlocks(const std::filesystem::path& scratch, Ui& ui, UserSettings user)
{
    WorkingStore source;
    source.dir = scratch;
    source.productType = 1;
    velk::test::WriteSampleDatabase(source, velk::test::LinkSample());
    auto records = ReceiverRecords::Initial();
    if (BuildAdbImages(source, ui, records, user) != 1)
        return {};
    return {{velk::test::ReadBytes(scratch / adb::kAdbDump), 2048},
            {Bytes(5000, 0x44), 2048},
            {Bytes(100, 0x55), 2048},
            {velk::test::ReadBytes(scratch / adb::kE2pDump), 2048}};
}

}  // namespace velk::link::test
