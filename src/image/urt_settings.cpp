#include "image/urt_settings.h"

#include <algorithm>
#include <ctime>

namespace velk {

UrtTimestamp LocalUrtTimestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {static_cast<std::uint8_t>(local.tm_mday), static_cast<std::uint8_t>(local.tm_mon + 1),
            static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint8_t>(local.tm_hour),
            static_cast<std::uint8_t>(local.tm_min), static_cast<std::uint8_t>(local.tm_sec)};
}

bool UrtSettingsUsable(const UrtSettings& settings)
{
    return settings.partitionSize % 1024 == 0
        && std::ranges::find(kUrtPartitionSizesKb, settings.partitionSize / 1024) != kUrtPartitionSizesKb.end()
        && std::ranges::find(kUrtBlockSizes, settings.blockSize) != kUrtBlockSizes.end();
}

std::optional<UrtSettings> SetUrtSettings(UrtSettings settings)
{
    if (!UrtSettingsUsable(settings))
        return std::nullopt;
    settings.time = LocalUrtTimestamp();
    return settings;
}

}  // namespace velk
