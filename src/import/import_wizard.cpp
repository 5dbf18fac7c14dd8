#include "import/import_wizard.h"

#include "common/files.h"
#include "database/record_io.h"
#include "import/staging_files.h"

#include <algorithm>

namespace velk {
namespace {

constexpr std::uint16_t kDefaultLnbMhz = 5150;

FilterRecord Normalized(FilterRecord f)
{
    // "Select All" clears the other boxes.
    if (f.selectAll == 1)
        f.first = f.second = 0;
    return f;
}

}  // namespace

ImportWizard::ImportWizard(Ui& ui, std::filesystem::path workDir, ImportSession session)
    : ui_(ui), workDir_(std::move(workDir)), session_(std::move(session))
{
    const auto& st = session_.staging;
    satelliteFilters_.assign(st.satellites.size() + 1, {});
    carrierFilters_.assign(st.carriers.size() + 1, {});
    carriersOf_.resize(st.satellites.size());
    servicesOf_.resize(st.carriers.size());
    for (std::uint32_t i = 0; i < st.carriers.size(); ++i) {
        const auto sat = st.carriers[i].satellite;
        if (sat >= 1 && sat <= carriersOf_.size())
            carriersOf_[sat - 1].push_back(i);
    }
    for (std::uint32_t i = 0; i < st.services.size(); ++i) {
        const auto carrier = st.services[i].carrier;
        if (carrier >= 1 && carrier <= servicesOf_.size())
            servicesOf_[carrier - 1].push_back(i);
    }
    Persist();
}

void ImportWizard::StartWithOpenDatabase(std::span<const LnbRecord> lnbs)
{
    lnbs_.clear();
    for (const auto& l : lnbs) {
        const ImportLnb r{1, static_cast<std::uint16_t>(l.HighMhz()), static_cast<std::uint16_t>(l.LowMhz()),
                          static_cast<std::uint8_t>(l.Type())};
        lnbs_.push_back({r, true});
    }
    if (lnbs_.empty())
        lnbs_.push_back({ImportLnb{0, kDefaultLnbMhz, kDefaultLnbMhz, 0}, true});
    lnbCount_ = static_cast<std::uint32_t>(lnbs_.size());
    Persist();
}

void ImportWizard::AppendDefaultLnbs(std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i)
        lnbs_.push_back({ImportLnb{1, kDefaultLnbMhz, kDefaultLnbMhz, 1}, true});
}

bool ImportWizard::SetLnbCount(std::uint32_t value)
{
    if (value < 1)
        return true;
    if (value >= kWizardLnbLimit) {
        ShowWarning(ui_, kLnbCountWarning);
        return false;
    }
    const auto live = static_cast<std::uint32_t>(std::count_if(lnbs_.begin(), lnbs_.end(), [](const auto& l) { return l.live; }));
    if (live > value) {
        std::uint32_t kept = 0;
        for (auto& l : lnbs_) {
            if (l.live && ++kept > value) {
                l.live = false;
                l.record.type = 0;
            }
        }
    } else {
        // Deleted records stay in the file but count for nothing.
        AppendDefaultLnbs(value - live);
    }
    lnbCount_ = value;
    Persist();
    return true;
}

bool ImportWizard::CheckFrequencies(std::uint32_t lowMhz, std::uint32_t highMhz)
{
    for (const auto mhz : {lowMhz, highMhz}) {
        if (mhz < kWizardLowestMhz || mhz > kWizardHighestMhz) {
            ShowWarning(ui_, kLnbRangeWarning);
            return false;
        }
    }
    return true;
}

bool ImportWizard::AddLnb(std::uint32_t lowMhz, std::uint32_t highMhz)
{
    if (!CheckFrequencies(lowMhz, highMhz))
        return false;
    lnbs_.push_back({ImportLnb{0, static_cast<std::uint16_t>(highMhz), static_cast<std::uint16_t>(lowMhz), 1}, true});
    ++lnbCount_;
    Persist();
    return true;
}

std::optional<std::size_t> ImportWizard::LiveLnbIndex(std::size_t row) const
{
    for (std::size_t i = 0, seen = 0; i < lnbs_.size(); ++i)
        if (lnbs_[i].live && seen++ == row)
            return i;
    return std::nullopt;
}

bool ImportWizard::EditLnb(std::size_t row, std::uint32_t lowMhz, std::uint32_t highMhz)
{
    const auto index = LiveLnbIndex(row);
    if (!index || !CheckFrequencies(lowMhz, highMhz))
        return false;
    lnbs_[*index].record.lowMhz = static_cast<std::uint16_t>(lowMhz);
    lnbs_[*index].record.highMhz = static_cast<std::uint16_t>(highMhz);
    Persist();
    return true;
}

bool ImportWizard::DeleteLnb(std::optional<std::size_t> row)
{
    const auto index = row ? LiveLnbIndex(*row) : std::nullopt;
    if (!index) {
        ShowWarning(ui_, kNothingToDelete);
        return false;
    }
    lnbs_[*index].live = false;
    lnbs_[*index].record.type = 0;
    --lnbCount_;
    Persist();
    return true;
}

bool ImportWizard::LeaveLnbStep()
{
    if (lnbCount_ == 0) {
        ShowWarning(ui_, kNoLnbWarning);
        return false;
    }
    return true;
}

std::vector<ImportLnb> ImportWizard::LnbRows() const
{
    std::vector<ImportLnb> rows;
    for (const auto& l : lnbs_)
        if (l.live)
            rows.push_back(l.record);
    return rows;
}

void ImportWizard::SetSatelliteSelected(std::size_t satellite, bool selected)
{
    session_.staging.satellites.at(satellite).selected = selected ? 1 : 0;
    PersistSatellite(satellite);
}

void ImportWizard::SelectAllSatellites(bool selected)
{
    for (auto& s : session_.staging.satellites)
        s.selected = selected ? 1 : 0;
    PersistSelection();
}

std::size_t ImportWizard::SelectedSatelliteCount() const
{
    const auto& sats = session_.staging.satellites;
    return static_cast<std::size_t>(std::count_if(sats.begin(), sats.end(), [](const auto& s) { return s.selected == 1; }));
}

void ImportWizard::SetSatelliteLnb(std::size_t satellite, std::uint32_t lnbNumber)
{
    if (lnbNumber < 1 || lnbNumber > lnbCount_)
        return;
    session_.staging.satellites.at(satellite).lnbNumber = static_cast<std::uint16_t>(lnbNumber);
    PersistSatellite(satellite);
}

bool ImportWizard::SetDefaultLnbToAll(std::uint32_t lnbNumber)
{
    if (lnbNumber < 1 || lnbNumber > lnbCount_)
        return false;
    defaultLnb_ = lnbNumber;
    for (auto& s : session_.staging.satellites)
        s.lnbNumber = static_cast<std::uint16_t>(lnbNumber);
    PersistSelection();
    return true;
}

void ImportWizard::UnselectCarrier(std::size_t carrier)
{
    session_.staging.carriers[carrier].selected = 0;
    for (const auto s : servicesOf_[carrier])
        session_.staging.services[s].selected = 0;
    carrierFilters_[carrier] = {};
}

bool ImportWizard::LeaveSatelliteStep()
{
    auto& sats = session_.staging.satellites;
    for (std::size_t s = 0; s < sats.size(); ++s) {
        if (sats[s].selected == 1)
            continue;
        for (const auto c : carriersOf_[s])
            UnselectCarrier(c);
        satelliteFilters_[s] = {};
    }
    if (SelectedSatelliteCount() == 0) {
        PersistSelection();
        ShowWarning(ui_, kNoSatelliteWarning);
        return false;
    }
    const auto all = satelliteFilters_.back();
    if (!all.Empty()) {
        for (std::size_t s = 0; s < sats.size(); ++s)
            if (sats[s].selected == 1 && !carriersOf_[s].empty())
                ApplyCarrierFilter(s, satelliteFilters_[s].Empty() ? all : satelliteFilters_[s]);
    }
    PersistSelection();
    return true;
}

void ImportWizard::ApplyCarrierFilter(std::size_t satellite, const FilterRecord& filter)
{
    for (const auto c : carriersOf_[satellite]) {
        auto& carrier = session_.staging.carriers[c];
        if (CarrierPassesFilter(filter, carrier.frequencyMhz, carrier.polarization))
            carrier.selected = 1;
        else
            UnselectCarrier(c);
    }
}

void ImportWizard::SetCarrierFilter(std::optional<std::size_t> satellite, FilterRecord filter)
{
    filter = Normalized(filter);
    if (satellite) {
        satelliteFilters_.at(*satellite) = filter;
        ApplyCarrierFilter(*satellite, filter);
    } else {
        std::fill(satelliteFilters_.begin(), satelliteFilters_.end(), filter);
        const auto& sats = session_.staging.satellites;
        for (std::size_t s = 0; s < sats.size(); ++s)
            if (sats[s].selected == 1)
                ApplyCarrierFilter(s, filter);
    }
    PersistSelection();
}

void ImportWizard::SetCarrierSelected(std::size_t carrier, bool selected)
{
    session_.staging.carriers.at(carrier).selected = selected ? 1 : 0;
    PersistCarrier(carrier);
}

void ImportWizard::LeaveCarrierStep()
{
    const auto all = carrierFilters_.back();
    if (all.Empty())
        return;
    const auto& carriers = session_.staging.carriers;
    for (std::size_t c = 0; c < carriers.size(); ++c)
        if (carriers[c].selected == 1 && !servicesOf_[c].empty())
            ApplyServiceFilter(c, carrierFilters_[c].Empty() ? all : carrierFilters_[c]);
    PersistSelection();
}

void ImportWizard::ApplyServiceFilter(std::size_t carrier, const FilterRecord& filter)
{
    for (const auto s : servicesOf_[carrier]) {
        auto& service = session_.staging.services[s];
        service.selected = ServicePassesFilter(filter, service.type, service.scrambled) ? 1 : 0;
    }
}

void ImportWizard::SetServiceFilter(std::optional<std::size_t> carrier, FilterRecord filter)
{
    filter = Normalized(filter);
    if (carrier) {
        carrierFilters_.at(*carrier) = filter;
        ApplyServiceFilter(*carrier, filter);
    } else {
        std::fill(carrierFilters_.begin(), carrierFilters_.end(), filter);
        const auto& carriers = session_.staging.carriers;
        for (std::size_t c = 0; c < carriers.size(); ++c)
            if (carriers[c].selected == 1)
                ApplyServiceFilter(c, filter);
    }
    PersistSelection();
}

void ImportWizard::SetServiceSelected(std::size_t service, bool selected)
{
    session_.staging.services.at(service).selected = selected ? 1 : 0;
    PersistService(service);
}

// After the start the staging files keep their sizes: the wizard's changes are
// written over them in place, without the full replacement of Persist (a check
// box must not wait for the disk to sync several megabytes).
bool ImportWizard::PersistSatellite(std::size_t satellite) const
{
    return WriteFileRange(workDir_ / staging_file::kSatellites, satellite * ImportSatellite::kSize,
                          EncodeImportSatellite(session_.staging.satellites.at(satellite)), false);
}

bool ImportWizard::PersistCarrier(std::size_t carrier) const
{
    return WriteFileRange(workDir_ / staging_file::kCarriers, carrier * ImportCarrier::kSize,
                          EncodeImportCarrier(session_.staging.carriers.at(carrier)), false);
}

bool ImportWizard::PersistService(std::size_t service) const
{
    return WriteFileRange(workDir_ / staging_file::kServices, service * ImportService::kSize,
                          EncodeImportService(session_.staging.services.at(service)), false);
}

bool ImportWizard::PersistSelection() const
{
    const auto& st = session_.staging;
    return WriteFileRange(workDir_ / staging_file::kSatellites, 0, EncodeStagingRecords(st.satellites, EncodeImportSatellite), false)
        && WriteFileRange(workDir_ / staging_file::kCarriers, 0, EncodeStagingRecords(st.carriers, EncodeImportCarrier), false)
        && WriteFileRange(workDir_ / staging_file::kServices, 0, EncodeStagingRecords(st.services, EncodeImportService), false)
        && WriteFileRange(workDir_ / staging_file::kSatelliteFilters, 0, EncodeFilterRecords(satelliteFilters_), false)
        && WriteFileRange(workDir_ / staging_file::kCarrierFilters, 0, EncodeFilterRecords(carrierFilters_), false);
}

bool ImportWizard::Persist() const
{
    Bytes lnbFile;
    for (const auto& l : lnbs_) {
        const auto bytes = EncodeImportLnb(l.record);
        lnbFile.insert(lnbFile.end(), bytes.begin(), bytes.end());
    }
    return session_.staging.Save(workDir_)
        && WriteFileAtomic(workDir_ / staging_file::kLnb, lnbFile)
        && WriteFileAtomic(workDir_ / staging_file::kSatelliteFilters, EncodeFilterRecords(satelliteFilters_))
        && WriteFileAtomic(workDir_ / staging_file::kCarrierFilters, EncodeFilterRecords(carrierFilters_));
}

}  // namespace velk
