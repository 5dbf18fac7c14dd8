#include "link/upload_config.h"

#include "common/byte_reader.h"
#include "common/files.h"
#include "common/format.h"
#include "link/adb_layout.h"

#include <algorithm>

namespace velk::link {
namespace {

constexpr std::size_t kFlagExtra = 128, kFlagPartitions = 129, kFlagImage = 130;
constexpr std::size_t kResourceFlagAt = 49, kResourceSizeAt = 88;

// One optional part: its block header, then `size` bytes; the header names where the next part begins.
struct Part {
    Bytes header;
    Bytes body;
    std::size_t next = 0;
};

std::optional<Part> ReadPart(ByteView data, std::size_t at, std::size_t bodySize)
{
    if (at > data.size() || data.size() - at < kEcfBlockHeaderSize)
        return std::nullopt;
    Part part;
    part.header = Slice(data, at, kEcfBlockHeaderSize);
    part.next = LoadLe32(part.header, 12);
    const std::size_t bodyAt = at + kEcfBlockHeaderSize;
    if (data.size() - bodyAt < bodySize)
        return std::nullopt;
    part.body = Slice(data, bodyAt, bodySize);
    return part;
}

// The next part must begin at or after `end`, the first byte past what was just read:
// an offset that points back would read the same bytes again, entry after entry.
std::optional<std::size_t> ForwardOffset(std::size_t next, std::size_t end)
{
    return next >= end ? std::optional{next} : std::nullopt;
}

// Reads an entry and its parts at `at`; returns where the next entry begins, or nullopt on damage.
// Every step moves forward, so the work of a whole file is bounded by its size.
std::optional<std::size_t> ReadEntry(ByteView data, std::size_t at, EcfEntry& entry)
{
    if (at > data.size() || data.size() - at < kEcfEntrySize)
        return std::nullopt;
    const auto record = data.subspan(at, kEcfEntrySize);
    const auto nameEnd = std::find(record.begin(), record.begin() + kFlagExtra, 0);
    entry.name.assign(record.begin(), nameEnd);
    entry.headerValue1 = record[131];
    entry.headerValue2 = record[132];
    std::optional<std::size_t> next = at + kEcfEntrySize;
    if (record[kFlagImage] != 0) {
        auto part = ReadPart(data, *next, kImageRecordSize);
        if (!part)
            return std::nullopt;
        std::size_t end = *next + kEcfBlockHeaderSize + kImageRecordSize;
        if (part->body[kResourceFlagAt] != 0) {
            const std::size_t size = LoadLe32(part->body, kResourceSizeAt);
            if (data.size() - end < size)
                return std::nullopt;
            entry.resource = Slice(data, end, size);
            end += size;
        }
        entry.imageRecord = std::move(part->body);
        if (!(next = ForwardOffset(part->next, end)))
            return std::nullopt;
    }
    if (record[kFlagPartitions] != 0) {
        const auto header = ReadPart(data, *next, 0);
        if (!header)
            return std::nullopt;
        const std::size_t size = std::size_t{header->header[9]} * kPartitionRecordSize;
        const auto part = ReadPart(data, *next, size);
        if (!part)
            return std::nullopt;
        entry.partitions = part->body;
        if (!(next = ForwardOffset(part->next, *next + kEcfBlockHeaderSize + size)))
            return std::nullopt;
    }
    if (record[kFlagExtra] != 0) {
        auto part = ReadPart(data, *next, kExtraRecordSize);
        if (!part)
            return std::nullopt;
        entry.extraRecord = std::move(part->body);
        if (!(next = ForwardOffset(part->next, *next + kEcfBlockHeaderSize + kExtraRecordSize)))
            return std::nullopt;
    }
    return next;
}

std::optional<EcfFile> ReadEcfFile(const std::filesystem::path& path)
{
    const auto data = ReadFileBytes(path);
    return data ? ParseEcf(*data) : std::nullopt;
}

// Makes an entry's image record current; its resource image goes to "kymRes.bin".
void TakeImageRecord(UploadConfig& config, const EcfEntry& entry, const std::filesystem::path& workDir)
{
    if (!entry.imageRecord)
        return;
    config.imageRecord = entry.imageRecord;
    config.mergeResource = entry.resource.has_value();
    if (entry.resource)
        WriteFileAtomic(workDir / kResourceImageName, *entry.resource);
}

}  // namespace

std::optional<EcfFile> ParseEcf(ByteView data)
{
    if (data.size() < 2 || data[0] != 'e' || data[1] != 'C')
        return std::nullopt;
    EcfFile file;
    if (data.size() < kEcfHeaderSize) {
        file.complete = false;
        return file;
    }
    const std::size_t groups = LoadLe16(data, 14);
    std::size_t at = kEcfHeaderSize;
    for (std::size_t g = 0; g < groups; ++g) {
        if (data.size() - std::min(at, data.size()) < kEcfGroupHeaderSize) {
            file.complete = false;
            return file;
        }
        EcfGroup group;
        group.product = data[at];
        const std::size_t entries = LoadLe16(data, at + 2);
        at += kEcfGroupHeaderSize;
        for (std::size_t e = 0; e < entries; ++e) {
            EcfEntry entry;
            const auto next = ReadEntry(data, at, entry);
            if (!next) {
                file.groups.push_back(std::move(group));
                file.complete = false;
                return file;
            }
            group.entries.push_back(std::move(entry));
            at = *next;
        }
        file.groups.push_back(std::move(group));
    }
    return file;
}

std::vector<std::string> EcfDisplayNames(const EcfFile& file)
{
    std::vector<std::string> names;
    for (const auto& group : file.groups)
        for (const auto& entry : group.entries)
            names.push_back(entry.name);
    return names;
}

UrtImageParams ImageParamsFromRecord(ByteView record)
{
    ByteReader r(record);
    UrtImageParams p;
    p.imageType = r.Le16();
    p.destinationCode = r.Le16();
    p.manufacturerId = r.Le16();
    const auto text = r.Span(16);
    p.loaderText.assign(text.begin(), std::find(text.begin(), text.end(), 0));
    r.Skip(2);
    p.startAddress = r.Le32();
    p.endAddress = r.Le32();
    p.swMajor = r.Le16();
    p.swMinor = r.Le16();
    p.hwMajor = r.Le16();
    p.hwMinor = r.Le16();
    p.decompressStart = r.Le32();
    p.compressed = r.U8() != 0;
    return p;
}

Bytes ImageRecordFromParams(const UrtImageParams& p, std::optional<std::uint32_t> resourceSize)
{
    Bytes record(kImageRecordSize, 0);
    StoreLe16(record, 0, p.imageType);
    StoreLe16(record, 2, p.destinationCode);
    StoreLe16(record, 4, p.manufacturerId);
    std::copy_n(p.loaderText.begin(), std::min<std::size_t>(p.loaderText.size(), 15), record.begin() + 6);
    StoreLe32(record, 24, p.startAddress);
    StoreLe32(record, 28, p.endAddress);
    StoreLe16(record, 32, p.swMajor);
    StoreLe16(record, 34, p.swMinor);
    StoreLe16(record, 36, p.hwMajor);
    StoreLe16(record, 38, p.hwMinor);
    StoreLe32(record, 40, p.decompressStart);
    record[44] = p.compressed ? 1 : 0;
    record[kResourceFlagAt] = resourceSize ? 1 : 0;
    StoreLe32(record, kResourceSizeAt, resourceSize.value_or(0));
    return record;
}

void LoadUploadConfiguration(UploadConfig& config, const std::filesystem::path& workDir)
{
    if (config.configurationFile.empty())
        return;
    const auto file = ReadEcfFile(config.configurationFile);
    if (!file)
        return;
    for (const auto& group : file->groups)
        for (const auto& entry : group.entries) {
            TakeImageRecord(config, entry, workDir);
            if (entry.partitions)
                config.partitions = entry.partitions;
            if (entry.extraRecord)
                config.extraRecord = entry.extraRecord;
        }
}

int ReadUploadSettingsFromCfgFile(Ui& ui, UploadConfig& config, const std::filesystem::path& workDir, std::size_t group,
                                  std::size_t entry)
{
    const auto data = ReadFileBytes(config.configurationFile);
    if (!data) {
        ShowError(ui, "File access error - ReadUploadSettingsFromCfgFile");
        return 0;
    }
    const auto file = ParseEcf(*data);
    if (file && group < file->groups.size() && entry < file->groups[group].entries.size())
        TakeImageRecord(config, file->groups[group].entries[entry], workDir);
    return 1;
}

bool ChangeProductType(UploadConfig& config, const std::filesystem::path& workDir, std::uint8_t productType)
{
    if (config.productType == productType)
        return false;
    config.productType = productType;
    RemoveFileIfExists(workDir / adb::kAdbDump);
    RemoveFileIfExists(workDir / adb::kE2pDump);
    return true;
}

std::optional<std::string> ConfigurationPathProblem(const std::filesystem::path& path)
{
    const auto text = path.string();
    if (text.find(' ') == std::string::npos)
        return std::nullopt;
    return Format("%s\nFolder or Filename is having SPACE. Rename it and try", text.c_str());
}

}  // namespace velk::link
