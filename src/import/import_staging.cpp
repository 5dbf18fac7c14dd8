#include "import/import_staging.h"

#include "common/files.h"
#include "import/staging_files.h"

#include <algorithm>
#include <cctype>

namespace velk {
namespace {

// Satellite names are compared case-insensitively over this many characters.
constexpr std::size_t kNameCompareWidth = 18;

std::string NameKey(std::string_view name)
{
    std::string key(name.substr(0, std::min(name.size(), kNameCompareWidth)));
    for (auto& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

std::uint64_t TransponderKey(const ImportCarrier& c)
{
    // Only a bucket key: candidates are compared field by field.
    std::uint64_t h = c.satellite;
    h = h * 0x9E3779B97F4A7C15ull ^ c.symbolRateKs;
    h = h * 0x9E3779B97F4A7C15ull ^ c.polarization;
    return h;
}

}  // namespace

void CountSlots::Set(std::uint32_t ordinal, std::uint32_t count)
{
    if (ordinal == 0)
        return;
    if (slots_.size() < ordinal)
        slots_.resize(ordinal);
    slots_[ordinal - 1] = EncodeCountSlot(count);
}

Bytes CountSlots::Encode() const
{
    Bytes out;
    out.reserve(slots_.size() * 4);
    for (const auto& s : slots_)
        out.insert(out.end(), s.begin(), s.end());
    return out;
}

bool ImportStaging::Save(const std::filesystem::path& dir) const
{
    return WriteFileAtomic(dir / staging_file::kSatellites, EncodeStagingRecords(satellites, EncodeImportSatellite))
        && WriteFileAtomic(dir / staging_file::kCarriers, EncodeStagingRecords(carriers, EncodeImportCarrier))
        && WriteFileAtomic(dir / staging_file::kServices, EncodeStagingRecords(services, EncodeImportService))
        && WriteFileAtomic(dir / staging_file::kCarrierCounts, carrierCounts.Encode())
        && WriteFileAtomic(dir / staging_file::kServiceCounts, serviceCounts.Encode());
}

bool ImportStaging::HasSatelliteName(std::string_view name) const
{
    return satelliteNames_.contains(NameKey(name));
}

std::optional<std::uint32_t> ImportStaging::FindCarrier(const ImportCarrier& c) const
{
    const auto it = carriersByTransponder_.find(TransponderKey(c));
    if (it == carriersByTransponder_.end())
        return std::nullopt;
    for (const auto ordinal : it->second) {
        const auto& e = carriers[ordinal - 1];
        const auto distance = static_cast<std::int64_t>(e.frequencyMhz) - static_cast<std::int64_t>(c.frequencyMhz);
        if (e.satellite == c.satellite && e.symbolRateKs == c.symbolRateKs && e.polarization == c.polarization
            && distance >= -1 && distance <= 1)
            return ordinal;
    }
    return std::nullopt;
}

bool ImportStaging::CarrierHasServiceId(std::uint32_t carrier, std::uint16_t id) const
{
    return servicesById_.contains(IdKey(carrier, id));
}

std::uint32_t ImportStaging::ServiceCount(std::uint32_t carrier) const
{
    return carrier < carrierServices_.size() ? carrierServices_[carrier].count : 0;
}

std::uint32_t ImportStaging::AppendSatellite(ImportSatellite s)
{
    satelliteNames_.insert(NameKey(s.name));
    satellites.push_back(std::move(s));
    return static_cast<std::uint32_t>(satellites.size());
}

std::uint32_t ImportStaging::AppendCarrier(ImportCarrier c)
{
    const auto ordinal = static_cast<std::uint32_t>(carriers.size() + 1);
    carriersByTransponder_[TransponderKey(c)].push_back(ordinal);
    carriers.push_back(std::move(c));
    return ordinal;
}

std::uint32_t ImportStaging::AppendService(ImportService s)
{
    const auto index = static_cast<std::uint32_t>(services.size());
    if (carrierServices_.size() <= s.carrier)
        carrierServices_.resize(std::size_t{s.carrier} + 1);
    ++carrierServices_[s.carrier].count;
    IndexServiceId(s.carrier, s.serviceId, index);
    services.push_back(std::move(s));
    return index + 1;
}

void ImportStaging::IndexServiceId(std::uint32_t carrier, std::uint16_t id, std::uint32_t index)
{
    auto& list = servicesById_[IdKey(carrier, id)];
    list.insert(std::upper_bound(list.begin(), list.end(), index), index);
    auto& largest = carrierServices_[carrier].largestId;
    if (id != kImportNoServiceId && (!largest || id > *largest))
        largest = id;
}

bool ImportStaging::IsDuplicateService(ImportService& s) const
{
    // Earlier services of the carrier, most recent first, that bear the ID the
    // new service has at that moment; the ID may turn into 0xFFFF on the way.
    std::uint16_t id = s.serviceId;
    auto limit = static_cast<std::uint32_t>(services.size());
    for (bool restarted = true; restarted;) {
        restarted = false;
        const auto it = servicesById_.find(IdKey(s.carrier, id));
        if (it == servicesById_.end())
            break;
        const auto& list = it->second;
        for (auto p = std::lower_bound(list.begin(), list.end(), limit); p != list.begin();) {
            const auto& e = services[*--p];
            bool clearId = false;
            if (e.videoPid == s.videoPid) {
                if (s.videoPid != 0 && s.videoPid != kImportNoPid)
                    return true;
                clearId = s.videoPid == kImportNoPid;
            } else if (e.audioPid == s.audioPid) {
                if (s.audioPid != kImportNoPid)
                    return true;
            } else {
                clearId = true;
            }
            if (clearId && id != kImportNoServiceId) {
                id = kImportNoServiceId;
                limit = *p;
                restarted = true;
                break;
            }
        }
    }
    s.serviceId = id;
    return false;
}

void ImportStaging::NumberMissingIds(std::uint32_t carrier)
{
    const auto it = servicesById_.find(IdKey(carrier, kImportNoServiceId));
    if (it == servicesById_.end())
        return;
    const auto pending = std::move(it->second);
    servicesById_.erase(it);
    auto next = static_cast<std::uint16_t>(carrierServices_[carrier].largestId.value_or(0));
    for (const auto index : pending) {
        ++next;  // 16-bit, as the record holds it
        services[index].serviceId = next;
        IndexServiceId(carrier, next, index);
    }
}

void AddImportSatellite(ImportStaging& staging, ImportSatellite satellite)
{
    satellite.name = StagingName(satellite.name);
    staging.AppendSatellite(std::move(satellite));
}

CarrierPlacement AddImportCarrier(ImportStaging& staging, ImportCarrier carrier)
{
    carrier.name = StagingName(carrier.name);
    if (const auto existing = staging.FindCarrier(carrier))
        return {false, *existing};
    carrier.ordinal = static_cast<std::uint32_t>(staging.carriers.size() + 1);
    return {true, staging.AppendCarrier(std::move(carrier))};
}

bool AddImportService(ImportStaging& staging, ImportService service)
{
    service.name = StagingName(service.name);
    if (staging.IsDuplicateService(service))
        return false;
    staging.AppendService(std::move(service));
    return true;
}

std::string MakeUniqueSatelliteName(const ImportStaging& staging, std::string_view name, std::size_t width)
{
    const auto base = TrimTrailingBlanks(name);
    auto candidate = TrimTrailingBlanks(base.substr(0, std::min(base.size(), width)));
    for (std::uint32_t counter = 1; staging.HasSatelliteName(candidate); ++counter) {
        const auto suffix = std::to_string(counter);
        const auto room = width > suffix.size() ? width - suffix.size() : 0;
        candidate = base.substr(0, std::min(base.size(), room)) + suffix;
    }
    return candidate;
}

void NumberMissingServiceIds(ImportStaging& staging, std::uint32_t carrier)
{
    staging.NumberMissingIds(carrier);
}

std::string TrimTrailingBlanks(std::string_view text)
{
    const auto end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

}  // namespace velk

namespace velk {

std::string StagingName(std::string_view raw)
{
    return TrimTrailingBlanks(raw.substr(0, std::min(raw.size(), kStagingNameSize - 1)));
}

}  // namespace velk
