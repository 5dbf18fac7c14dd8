#include "database/working_store.h"

#include "common/files.h"
#include "database/store_files.h"

namespace velk {

std::uint32_t LnbLimit(std::uint8_t productType) { return productType == 2 ? 16 : 8; }

void ClearStore(WorkingStore& store)
{
    for (const auto name : store_file::kClearedOnReset)
        RemoveFileIfExists(store.File(name));
    store.lnbCount = store.satelliteCount = store.carrierCount = store.serviceCount = 0;
}

}  // namespace velk
