#pragma once
// The import wizard as a model: the LNB list of step 1, the satellite
// selection and LNB numbers of step 2, the carrier and service selections
// and filters of steps 3 and 4. Every change is written back to the staging
// files at once, as the windows show them from there.
#include "common/ui.h"
#include "database/records.h"
#include "import/import_command.h"
#include "import/import_filters.h"

#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace velk {

// An entry of the LNB list; a deleted one stays in `TempLNB.tmp` with type 0.
struct WizardLnb {
    ImportLnb record;
    bool live = true;
};

class ImportWizard {
public:
    ImportWizard(Ui& ui, std::filesystem::path workDir, ImportSession session);

    // Start with a database open: its LNBs (or one default when it has none)
    // become the list and the wizard goes straight to step 2.
    void StartWithOpenDatabase(std::span<const LnbRecord> lnbs);

    // --- step 1 ---
    // The "number of LNB records" dialog. False after a warning.
    bool SetLnbCount(std::uint32_t value);
    // "&Add" / "&Edit": false after the range warning (the first bad field).
    bool AddLnb(std::uint32_t lowMhz, std::uint32_t highMhz);
    bool EditLnb(std::size_t row, std::uint32_t lowMhz, std::uint32_t highMhz);
    // "&Delete" of the selected row (nullopt: no selection). False after a warning.
    bool DeleteLnb(std::optional<std::size_t> row);
    // "&Next" of step 1.
    bool LeaveLnbStep();
    // The rows shown: live LNBs in list order.
    std::vector<ImportLnb> LnbRows() const;
    std::uint32_t LnbCount() const { return lnbCount_; }
    const std::vector<WizardLnb>& LnbList() const { return lnbs_; }

    // --- step 2 ---
    void SetSatelliteSelected(std::size_t satellite, bool selected);
    void SelectAllSatellites(bool selected);
    std::size_t SelectedSatelliteCount() const;
    // A number from 1 to the LNB count becomes the satellite's LNB; others are ignored.
    void SetSatelliteLnb(std::size_t satellite, std::uint32_t lnbNumber);
    // "Set to &All": false (and the previous default stays) when out of range.
    bool SetDefaultLnbToAll(std::uint32_t lnbNumber);
    std::uint32_t DefaultLnb() const { return defaultLnb_; }
    // "&Next" of step 2. False after a warning.
    bool LeaveSatelliteStep();

    // --- step 3 --- (nullopt: the entry for all satellites)
    void SetCarrierFilter(std::optional<std::size_t> satellite, FilterRecord filter);
    void SetCarrierSelected(std::size_t carrier, bool selected);
    // "&Next" of step 3: applies the service filters.
    void LeaveCarrierStep();

    // --- step 4 --- (nullopt: the entry for all carriers)
    void SetServiceFilter(std::optional<std::size_t> carrier, FilterRecord filter);
    void SetServiceSelected(std::size_t service, bool selected);

    const ImportSession& Session() const { return session_; }
    const ImportStaging& Staging() const { return session_.staging; }
    const std::vector<FilterRecord>& SatelliteFilters() const { return satelliteFilters_; }
    const std::vector<FilterRecord>& CarrierFilters() const { return carrierFilters_; }
    // 0-based indexes of a satellite's carriers and a carrier's services.
    const std::vector<std::uint32_t>& CarriersOf(std::size_t satellite) const { return carriersOf_[satellite]; }
    const std::vector<std::uint32_t>& ServicesOf(std::size_t carrier) const { return servicesOf_[carrier]; }

    // Writes the staging, filter and LNB files. False on a file error.
    bool Persist() const;

private:
    // Writes one changed record, or every selection and filter, over the files Persist wrote.
    bool PersistSatellite(std::size_t satellite) const;
    bool PersistCarrier(std::size_t carrier) const;
    bool PersistService(std::size_t service) const;
    bool PersistSelection() const;
    void ApplyCarrierFilter(std::size_t satellite, const FilterRecord& filter);
    void ApplyServiceFilter(std::size_t carrier, const FilterRecord& filter);
    void UnselectCarrier(std::size_t carrier);
    void AppendDefaultLnbs(std::uint32_t count);
    std::optional<std::size_t> LiveLnbIndex(std::size_t row) const;
    bool CheckFrequencies(std::uint32_t lowMhz, std::uint32_t highMhz);

    Ui& ui_;
    std::filesystem::path workDir_;
    ImportSession session_;
    std::vector<WizardLnb> lnbs_;
    std::uint32_t lnbCount_ = 0;
    std::uint32_t defaultLnb_ = 0;
    std::vector<FilterRecord> satelliteFilters_;  // per satellite, then the "all" record
    std::vector<FilterRecord> carrierFilters_;    // per carrier, then the "all" record
    std::vector<std::vector<std::uint32_t>> carriersOf_;
    std::vector<std::vector<std::uint32_t>> servicesOf_;
};

inline constexpr std::uint32_t kWizardLowestMhz = 3500;
inline constexpr std::uint32_t kWizardHighestMhz = 12750;
inline constexpr std::uint32_t kWizardLnbLimit = 256;
inline constexpr const char* kLnbRangeWarning = "Value should be in the range of ( 3500 - 12750 ).";
inline constexpr const char* kLnbCountWarning = "Value should be less than 256";
inline constexpr const char* kNothingToDelete = "Please Select the Item to Delete";
inline constexpr const char* kNoLnbWarning = "Please enter minimum one LNB Information to continue";
inline constexpr const char* kNoSatelliteWarning = "Please Select any Satellite from the List.";

}  // namespace velk
