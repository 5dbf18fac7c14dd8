#include "sdb/sdb_session.h"

#include <algorithm>
#include <string_view>

namespace velk::sdb {

UserSettingsBlock DefaultUserSettings(std::uint8_t productType)
{
    UserSettingsBlock block{};
    if (productType == 1)
        return block;
    // Favourite group names: four 9-byte zero-terminated fields from byte 92.
    constexpr std::array<std::string_view, 4> kGroups{"Movie", "Sports", "News", "Music"};
    for (std::size_t i = 0; i < kGroups.size(); ++i)
        std::copy(kGroups[i].begin(), kGroups[i].end(), block.begin() + 92 + static_cast<std::ptrdiff_t>(9 * i));
    return block;
}

}  // namespace velk::sdb
