#include "sdb/sdb_old_layout.h"

#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_section_walker.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace velk::sdb {
namespace {

struct Sections {
    std::optional<SectionView> carriers, services, osl;
};

std::optional<Sections> FindSections(ByteView image)
{
    if (image.size() < kNewHeaderSize)
        return std::nullopt;
    Sections found;
    SectionWalker walker(image, kNewHeaderSize);
    // The converter reports a section missing at the end; the grouping needs only the first ones.
    for (unsigned i = 0; i < (LoadLe16(image, 6) & 0xFFu) && walker.Position() + kSectionHeaderSize <= image.size(); ++i) {
        const auto section = walker.Next();
        if (!section)
            return std::nullopt;
        const auto kind = section->header.Kind();
        if (kind == Section::Carrier)
            found.carriers = section;
        else if (kind == Section::Service)
            found.services = section;
        else if (kind == Section::Osl)
            found.osl = section;
    }
    return found;
}

void CopyRecord(const SectionView& from, std::size_t i, Bytes& out, std::size_t position)
{
    const auto record = from.Record(i);
    std::copy(record.begin(), record.end(), out.begin() + static_cast<std::ptrdiff_t>(from.recordsOffset + position * record.size()));
}

}  // namespace

std::optional<Bytes> GroupedBySatellite(ByteView image)
{
    const auto sections = FindSections(image);
    if (!sections)
        return std::nullopt;
    Bytes out(image.begin(), image.end());
    if (!sections->carriers || !sections->services || sections->services->header.recordSize < 4
        || sections->carriers->header.recordSize < 12)
        return out;
    const auto& carriers = *sections->carriers;
    const auto& services = *sections->services;
    const std::size_t carrierCount = carriers.header.count;
    const std::size_t serviceCount = services.header.count;
    const auto word = [&](std::size_t k, std::size_t offset) { return LoadLe32(carriers.Record(k), offset); };

    std::vector<std::size_t> order(carrierCount);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return carrier_word::kSatelliteIndex.Get(word(a, 8)) < carrier_word::kSatelliteIndex.Get(word(b, 8));
    });
    std::vector<std::size_t> firstService(carrierCount);
    std::size_t runEnd = 0;
    for (std::size_t k = 0; k < carrierCount; ++k) {
        firstService[k] = runEnd;
        runEnd += carrier_word::kServiceCount.Get(word(k, 4));
    }

    std::vector<std::uint16_t> moved(serviceCount);
    std::size_t next = 0;
    const auto take = [&](std::size_t s, std::size_t position) {
        moved[s] = static_cast<std::uint16_t>(next);
        CopyRecord(services, s, out, next);
        StoreLe16(out, services.recordsOffset + next * services.header.recordSize + 2, static_cast<std::uint16_t>(position));
        ++next;
    };
    for (std::size_t p = 0; p < carrierCount; ++p) {
        const auto k = order[p];
        CopyRecord(carriers, k, out, p);
        const auto offset = carriers.recordsOffset + p * carriers.header.recordSize + 4;
        StoreLe32(out, offset, carrier_word::kFirstService.Set(LoadLe32(out, offset), static_cast<std::uint32_t>(next)));
        const auto end = std::min(serviceCount, firstService[k] + carrier_word::kServiceCount.Get(word(k, 4)));
        for (auto s = std::min(firstService[k], end); s < end; ++s)
            take(s, p);
    }
    // Services past the last run stay behind the others.
    for (auto s = std::min(runEnd, serviceCount); s < serviceCount; ++s)
        take(s, 0xFFFE);
    if (sections->osl && sections->osl->header.recordSize == kOslEntrySize)
        for (std::size_t i = 0; i < sections->osl->header.count; ++i) {
            const auto at = sections->osl->recordsOffset + i * kOslEntrySize;
            if (const auto entry = LoadLe16(out, at); entry < moved.size())
                StoreLe16(out, at, moved[entry]);
        }
    return out;
}

std::optional<Bytes> OldLayoutOfImage(ByteView newLayout, std::uint8_t productType)
{
    const auto grouped = GroupedBySatellite(newLayout);
    return grouped ? ConvertNew2Old(*grouped, productType) : std::nullopt;
}

}  // namespace velk::sdb
