#include "database/service_find.h"

#include <charconv>

namespace velk {
namespace {

std::optional<std::uint32_t> NumberIn(std::string_view text, int base)
{
    std::uint32_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The field a number matches, if any: program number first, then the PIDs, then the frequency.
std::optional<MatchField> NumberField(const ServiceCatalog& catalog, const CatalogEntry& e, std::optional<std::uint32_t> decimal,
                                      std::optional<std::uint32_t> pid)
{
    const auto& service = catalog.Service(e);
    if (decimal && service.programNumber == *decimal)
        return MatchField::ProgramNumber;
    if (pid && *pid != kNoPid && (service.videoPid == *pid || service.audioPid == *pid || service.pcrPid == *pid))
        return MatchField::Pid;
    if (decimal && catalog.Carrier(e).frequencyMhz == *decimal)
        return MatchField::Frequency;
    return std::nullopt;
}

}  // namespace

ServiceFinder::ServiceFinder(const ServiceCatalog& catalog) : catalog_(catalog)
{
    names_.reserve(catalog.channels.size());
    for (const auto& e : catalog.channels)
        names_.push_back(NormalisedName(catalog.Service(e).name.Text()));
}

std::vector<FindMatch> ServiceFinder::Find(std::string_view text, bool pidsHex) const
{
    std::vector<FindMatch> matches;
    const auto wanted = NormalisedName(text);
    const auto decimal = NumberIn(text, 10);
    const auto pid = NumberIn(text, pidsHex ? 16 : 10);
    if (wanted.empty() && !pid)
        return matches;
    for (std::uint32_t channel = 0; channel < names_.size(); ++channel) {
        if (const auto field = NumberField(catalog_, catalog_.channels[channel], decimal, pid))
            matches.push_back({channel, *field});
        else if (!wanted.empty() && names_[channel].find(wanted) != std::string::npos)
            matches.push_back({channel, MatchField::Name});
    }
    return matches;
}

}  // namespace velk
