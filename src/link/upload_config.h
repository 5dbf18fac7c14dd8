#pragma once
// The upload configuration: the console's settings values and the image values
// of the chosen entry of an ECF configuration file (magic 'e','C').
#include "common/bytes.h"
#include "common/ui.h"
#include "image/urt_settings.h"
#include "link/port_settings.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velk::link {

inline constexpr std::size_t kEcfHeaderSize = 24;
inline constexpr std::size_t kEcfGroupHeaderSize = 8;
inline constexpr std::size_t kEcfEntrySize = 140;
inline constexpr std::size_t kEcfBlockHeaderSize = 16;
inline constexpr std::size_t kImageRecordSize = 92;
inline constexpr std::size_t kPartitionRecordSize = 16;
inline constexpr std::size_t kExtraRecordSize = 8;
inline constexpr std::string_view kResourceImageName = "kymRes.bin";

// One configuration entry and the optional parts that follow it.
struct EcfEntry {
    std::string name;
    std::uint8_t headerValue1 = 0;  // entry byte 131
    std::uint8_t headerValue2 = 0;  // entry byte 132
    std::optional<Bytes> imageRecord;  // 92 bytes
    std::optional<Bytes> resource;     // the embedded resource image
    std::optional<Bytes> partitions;   // 16-byte partition records
    std::optional<Bytes> extraRecord;  // 8 bytes
};

struct EcfGroup {
    std::uint8_t product = 0;
    std::vector<EcfEntry> entries;
};

struct EcfFile {
    std::vector<EcfGroup> groups;
    // False when the file ended or pointed outside itself before the last entry.
    bool complete = true;
};

// Nullopt unless the data begins with 'e','C'. A damaged file yields the entries
// read before the damage.
std::optional<EcfFile> ParseEcf(ByteView data);

// The configuration list's texts: every entry's name, group by group.
std::vector<std::string> EcfDisplayNames(const EcfFile& file);

// The image record's fields as this program lays them out (little-endian):
// 0 image type u16, 2 destination code u16, 4 manufacturer ID u16, 6 loader text
// char[16], 24 start address u32, 28 end address u32, 32..38 software major/minor,
// hardware major/minor u16, 40 decompress start u32, 44 compressed flag u8,
// 49 resource-image flag u8, 88 resource image size u32.
UrtImageParams ImageParamsFromRecord(ByteView record);
Bytes ImageRecordFromParams(const UrtImageParams& params, std::optional<std::uint32_t> resourceSize);

// The console's and uploads' settings values.
struct UploadConfig {
    PortSettings port;
    bool compressImage = false;
    std::uint8_t compressionType = 0;  // 1: the first variant, else the second
    std::uint8_t compressionLevel = 5; // the level used is this + 1
    std::uint16_t hwVersion = 1;
    std::uint16_t swVersion = 0;
    bool pidsDecimal = true;
    std::uint8_t productType = 1;
    std::filesystem::path configurationFile;
    std::filesystem::path parserFile;
    std::optional<Bytes> imageRecord;
    std::optional<Bytes> partitions;
    std::optional<Bytes> extraRecord;
    bool mergeResource = false;  // the current image record carries a resource image
};

// Start-up: reads the named configuration file, if it is one, entry by entry;
// the parts of the last entry that carries them stay current, and a resource
// image is written to "kymRes.bin" in `workDir`.
void LoadUploadConfiguration(UploadConfig& config, const std::filesystem::path& workDir);

// Reads the image record (and resource image) of entry `entry` of group `group`
// into the configuration. Returns 1, or 0 after "File access error - ReadUploadSettingsFromCfgFile".
int ReadUploadSettingsFromCfgFile(Ui& ui, UploadConfig& config, const std::filesystem::path& workDir, std::size_t group,
                                  std::size_t entry);

// The settings dialog's "&Ok" with a product type: a change deletes "KymADBDump.dbi"
// and "KymE2PDump.dbi", so images of one type are never updated as the other.
// Returns true when the type changed.
bool ChangeProductType(UploadConfig& config, const std::filesystem::path& workDir, std::uint8_t productType);

// A configuration path with a blank is refused with this message before it is opened.
std::optional<std::string> ConfigurationPathProblem(const std::filesystem::path& path);

}  // namespace velk::link
