#pragma once
// `ImportStaging`: the satellites, carriers and services one import stages, with
// the shared writers every list parser uses. The staged records are held in
// memory with indexes for the duplicate tests (which would otherwise re-read
// the staging files for every record) and written out as the staging files.
#include "import/staging_records.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace velk {

// A count file: one 4-byte slot per ordinal; the file ends at the highest slot
// written, slots never written read as zero bytes.
class CountSlots {
public:
    // Ordinal 0 has no slot (it would lie before the file) and is ignored.
    void Set(std::uint32_t ordinal, std::uint32_t count);
    Bytes Encode() const;

private:
    std::vector<std::array<std::uint8_t, 4>> slots_;
};

class ImportStaging {
public:
    std::vector<ImportSatellite> satellites;
    std::vector<ImportCarrier> carriers;
    std::vector<ImportService> services;
    CountSlots carrierCounts;  // CarCount.tmp, by satellite ordinal
    CountSlots serviceCounts;  // SvcCount.tmp, by carrier ordinal

    // Writes the five staging files of the parse into `dir`. False on a file error.
    bool Save(const std::filesystem::path& dir) const;

    // Index support for the writers below.
    bool HasSatelliteName(std::string_view name) const;
    std::optional<std::uint32_t> FindCarrier(const ImportCarrier& c) const;
    bool CarrierHasServiceId(std::uint32_t carrier, std::uint16_t id) const;
    std::uint32_t ServiceCount(std::uint32_t carrier) const;

    // Appends without any test and keeps the indexes; returns the 1-based number.
    std::uint32_t AppendSatellite(ImportSatellite s);
    std::uint32_t AppendCarrier(ImportCarrier c);
    std::uint32_t AppendService(ImportService s);

    // The duplicate test of a new service against its carrier's services.
    bool IsDuplicateService(ImportService& s) const;
    // Gives the carrier's services without an ID the numbers after its largest.
    void NumberMissingIds(std::uint32_t carrier);

private:
    static std::uint64_t IdKey(std::uint32_t carrier, std::uint16_t id) { return (std::uint64_t{carrier} << 16) | id; }
    void IndexServiceId(std::uint32_t carrier, std::uint16_t id, std::uint32_t index);

    struct CarrierServices {
        std::uint32_t count = 0;
        std::optional<std::uint16_t> largestId;  // largest ID below 0xFFFF
    };

    std::unordered_set<std::string> satelliteNames_;                    // first 18 characters, lower case
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> carriersByTransponder_;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> servicesById_;  // ascending indexes
    std::vector<CarrierServices> carrierServices_;                      // by carrier ordinal
};

// The bytes of a staging file: the records one after the other.
template <typename Record, typename Encoder>
Bytes EncodeStagingRecords(const std::vector<Record>& records, Encoder encode)
{
    Bytes out;
    out.reserve(records.size() * Record::kSize);
    for (const auto& r : records) {
        const auto bytes = encode(r);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

// --- the shared staging writers ---

// Appends a satellite.
void AddImportSatellite(ImportStaging& staging, ImportSatellite satellite);

// Where a new carrier went: `added` false means it duplicates the staged
// carrier `ordinal` (same satellite, symbol rate and polarisation, frequency
// within 1 MHz; the first staged one when several match).
struct CarrierPlacement {
    bool added = false;
    std::uint32_t ordinal = 0;
};
CarrierPlacement AddImportCarrier(ImportStaging& staging, ImportCarrier carrier);

// Appends a service unless it duplicates one of its carrier; its ID may be
// cleared to 0xFFFF by the test. True when added.
bool AddImportService(ImportStaging& staging, ImportService service);

// A name that no staged satellite bears (case-insensitive over 18 characters):
// the trimmed name, or the name followed by 1, 2, ... cut so that name and
// counter fit in `width` characters.
std::string MakeUniqueSatelliteName(const ImportStaging& staging, std::string_view name, std::size_t width);

// Closes a carrier: numbers its services that lack an ID.
void NumberMissingServiceIds(ImportStaging& staging, std::uint32_t carrier);

// A name as a staging record holds it: cut to its field, trailing blanks removed.
std::string StagingName(std::string_view raw);

// Trailing blanks removed.
std::string TrimTrailingBlanks(std::string_view text);

}  // namespace velk
