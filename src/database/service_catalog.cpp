#include "database/service_catalog.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace velk {
namespace {

// ISO 8859-1 letters 0xC0-0xFF without their accents, lower case; 0 for the two
// signs in that range (multiplication and division).
constexpr std::string_view kLatin1Base{"aaaaaaaceeeeiiiidnooooo\0ouuuuytsaaaaaaaceeeeiiiidnooooo\0ouuuuyty", 64};

char FoldByte(std::uint8_t c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return static_cast<char>(c);
    if (c >= 0xC0)
        return kLatin1Base[c - 0xC0];
    return 0;
}

// Every service in channel order with its carrier and satellite; nullopt when a
// service falls outside every carrier's block.
std::optional<ServiceCatalog> CatalogOf(StoreImage image)
{
    ServiceCatalog catalog{std::move(image), {}};
    const auto starts = ServiceBlockStarts(catalog.image.carriers);
    catalog.channels.reserve(catalog.image.serviceOrder.size());
    for (const auto service : catalog.image.serviceOrder) {
        const auto carrier = CarrierOfServiceIndex(starts, service);
        if (!carrier)
            return std::nullopt;
        catalog.channels.push_back({service, *carrier, catalog.image.carriers[*carrier].satelliteIndex});
    }
    return catalog;
}

}  // namespace

std::optional<ServiceCatalog> LoadServiceCatalog(const WorkingStore& store)
{
    auto image = LoadStoreImage(store, image_part::kAll);
    if (!image)
        return std::nullopt;
    return CatalogOf(std::move(*image));
}

std::optional<ServiceCatalog> MakeServiceCatalog(StoreImage image, std::uint32_t carrierCount, std::uint32_t serviceCount)
{
    if (!StoreImageHangsTogether(image, carrierCount, serviceCount))
        return std::nullopt;
    return CatalogOf(std::move(image));
}

int OrbitalPosition(const SatelliteRecord& satellite)
{
    return satellite.west ? -satellite.angle : satellite.angle;
}

std::uint32_t TransponderToleranceKhz(std::uint32_t symbolRateA, std::uint32_t symbolRateB)
{
    return std::max<std::uint32_t>(2000, std::min(symbolRateA, symbolRateB) / 4);
}

bool SameTransponder(const CarrierRecord& a, const CarrierRecord& b)
{
    const auto apart = static_cast<std::uint64_t>(std::abs(std::int64_t{a.frequencyMhz} - std::int64_t{b.frequencyMhz})) * 1000;
    return a.polarization == b.polarization && apart <= TransponderToleranceKhz(a.symbolRateKs, b.symbolRateKs);
}

std::string NormalisedName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (const auto c : name) {
        if (const char folded = FoldByte(static_cast<std::uint8_t>(c)))
            out.push_back(folded);
    }
    return out;
}

}  // namespace velk
