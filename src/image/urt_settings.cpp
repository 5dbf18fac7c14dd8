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

std::optional<UrtSettings> SetUrtSettings(std::uint8_t headerTableId, std::uint8_t blockTableId, std::uint32_t partitionKb,
                                          std::uint32_t blockSize, std::uint8_t headerOption, bool trailer, bool extendedTrailer)
{
    if (std::ranges::find(kUrtPartitionSizesKb, partitionKb) == kUrtPartitionSizesKb.end()
        || std::ranges::find(kUrtBlockSizes, blockSize) == kUrtBlockSizes.end())
        return std::nullopt;
    return UrtSettings{headerTableId, blockTableId, partitionKb * 1024, blockSize, headerOption, trailer, extendedTrailer,
                       LocalUrtTimestamp()};
}

}  // namespace velk
