#pragma once
// Reading and writing records of the store's files. Single records are read
// and updated in place; whole files are replaced through a scratch file.
#include "common/ui.h"
#include "database/store_files.h"
#include "database/working_store.h"

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace velk {

// Per-level facts: file name, record size, codec and count.
template <typename Record> struct RecordFile;

template <> struct RecordFile<LnbRecord> {
    static constexpr std::string_view kName = store_file::kLnb;
    static std::size_t Size(Placement p) { return LnbRecordSize(p); }
    static Bytes Encode(const LnbRecord& r, Placement p) { return EncodeLnb(r, p); }
    static LnbRecord Decode(ByteView b, Placement p) { return DecodeLnb(b, p); }
    static std::uint32_t& Count(WorkingStore& s) { return s.lnbCount; }
    static std::uint32_t Count(const WorkingStore& s) { return s.lnbCount; }
};
template <> struct RecordFile<SatelliteRecord> {
    static constexpr std::string_view kName = store_file::kSatellite;
    static std::size_t Size(Placement p) { return SatelliteRecordSize(p); }
    static Bytes Encode(const SatelliteRecord& r, Placement p) { return EncodeSatellite(r, p); }
    static SatelliteRecord Decode(ByteView b, Placement p) { return DecodeSatellite(b, p); }
    static std::uint32_t& Count(WorkingStore& s) { return s.satelliteCount; }
    static std::uint32_t Count(const WorkingStore& s) { return s.satelliteCount; }
};
template <> struct RecordFile<CarrierRecord> {
    static constexpr std::string_view kName = store_file::kCarrier;
    static std::size_t Size(Placement p) { return CarrierRecordSize(p); }
    static Bytes Encode(const CarrierRecord& r, Placement p) { return EncodeCarrier(r, p); }
    static CarrierRecord Decode(ByteView b, Placement p) { return DecodeCarrier(b, p); }
    static std::uint32_t& Count(WorkingStore& s) { return s.carrierCount; }
    static std::uint32_t Count(const WorkingStore& s) { return s.carrierCount; }
};
template <> struct RecordFile<ServiceRecord> {
    static constexpr std::string_view kName = store_file::kService;
    static std::size_t Size(Placement) { return ServiceRecord::kSize; }
    static Bytes Encode(const ServiceRecord& r, Placement) { return EncodeService(r); }
    static ServiceRecord Decode(ByteView b, Placement) { return DecodeService(b); }
    static std::uint32_t& Count(WorkingStore& s) { return s.serviceCount; }
    static std::uint32_t Count(const WorkingStore& s) { return s.serviceCount; }
};

// Raw access at a byte offset. A read past the end yields zeros.
std::optional<Bytes> ReadFileRange(const std::filesystem::path& path, std::uint64_t offset, std::size_t size);
// Writes in place, creating the file when it does not exist (or anew when `create`).
bool WriteFileRange(const std::filesystem::path& path, std::uint64_t offset, ByteView data, bool create);

// Record n (1-based). Shows kFileAccessError and yields nullopt when the file cannot be opened.
template <typename Record>
std::optional<Record> ReadRecord(const WorkingStore& store, Ui& ui, std::uint32_t n)
{
    using F = RecordFile<Record>;
    const auto size = F::Size(store.placement);
    const auto bytes = n >= 1 ? ReadFileRange(store.File(F::kName), std::uint64_t{n - 1} * size, size) : std::nullopt;
    if (!bytes) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    return F::Decode(*bytes, store.placement);
}

// Writes record n (1-based) in place. The file is created anew when the level's
// count (already raised for a new record) is 1.
template <typename Record>
bool WriteRecord(const WorkingStore& store, Ui& ui, std::uint32_t n, const Record& record)
{
    using F = RecordFile<Record>;
    const auto size = F::Size(store.placement);
    const bool ok = n >= 1
        && WriteFileRange(store.File(F::kName), std::uint64_t{n - 1} * size, F::Encode(record, store.placement), F::Count(store) == 1 && n == 1);
    if (!ok)
        ShowError(ui, kFileAccessError);
    return ok;
}

// Every record of the level (count records; missing bytes read as zeros), or nullopt.
template <typename Record>
std::optional<std::vector<Record>> ReadAllRecords(const WorkingStore& store)
{
    using F = RecordFile<Record>;
    const auto size = F::Size(store.placement);
    const auto count = F::Count(store);
    std::vector<Record> records;
    if (count == 0)
        return records;
    const auto bytes = ReadFileRange(store.File(F::kName), 0, std::size_t{count} * size);
    if (!bytes)
        return std::nullopt;
    records.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        records.push_back(F::Decode(ByteView(*bytes).subspan(std::size_t{i} * size, size), store.placement));
    return records;
}

Bytes EncodeAll(std::size_t recordSize, std::size_t count, const std::function<Bytes(std::size_t)>& encode);

// Replaces the level's file with `records` (the count is the caller's to set).
template <typename Record>
bool WriteAllRecords(const WorkingStore& store, std::span<const Record> records)
{
    using F = RecordFile<Record>;
    return WriteFileRange(store.File(F::kName), 0,
                          EncodeAll(F::Size(store.placement), records.size(),
                                    [&](std::size_t i) { return F::Encode(records[i], store.placement); }),
                          true);
}

// Order and view lists: 16-bit little-endian entries.
std::optional<std::vector<std::uint16_t>> ReadOrderList(const WorkingStore& store, std::string_view name);
bool WriteOrderList(const WorkingStore& store, std::string_view name, std::span<const std::uint16_t> entries);

// Removes record n (1-based) of `name` by copying the others through the scratch
// file and renaming it over the record file. False when a step failed.
bool RemoveRecordFromFile(const WorkingStore& store, std::string_view name, std::size_t recordSize, std::uint32_t n);

}  // namespace velk
