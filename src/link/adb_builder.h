#pragma once
// Builds the receiver's ADB image ("KymADBDump.dbi") and E2P image
// ("KymE2PDump.dbi") from the open database. Images already in the working
// directory (from a download or an earlier build) are updated in place.
#include "common/ui.h"
#include "database/working_store.h"
#include "link/receiver_records.h"
#include "link/user_settings.h"

#include <optional>
#include <vector>

namespace velk::link {

// The store's records, read once.
struct AdbSource {
    std::uint8_t productType = 1;
    std::vector<LnbRecord> lnbs;
    std::vector<SatelliteRecord> satellites;
    std::vector<CarrierRecord> carriers;
    std::vector<ServiceRecord> services;
    std::vector<std::uint16_t> serviceOrder;
    std::vector<std::uint16_t> carrierOrder;  // carrier record indexes grouped by satellite
};

// Refuses, with its message, a database the receiver's tables cannot hold.
bool CheckAdbLimits(const WorkingStore& store, Ui& ui);

// Reads the store's records; nullopt after a reported failure.
std::optional<AdbSource> ReadAdbSource(const WorkingStore& store, Ui& ui);

// Writes the CSD, LSD and OSL partitions into a 262144-byte image. Returns the
// number of carrier entries written (product type 2's extra entries included).
std::uint32_t FillAdbImage(MutableByteView image, const AdbSource& source);

// Sets the Hovo and carrier parameter records and the user settings' marks for the build (`newImage`: no E2P
// image existed) and writes them and the user settings into an 8180-byte image.
void FillE2pImage(MutableByteView e2p, ReceiverRecords& records, UserSettings& user, const AdbSource& source,
                  std::uint32_t carrierEntries, bool newImage);

// Both images in the store's directory. Returns 1, or 0 after a reported failure.
int BuildAdbImages(const WorkingStore& store, Ui& ui, ReceiverRecords& records, UserSettings& user);

}  // namespace velk::link
