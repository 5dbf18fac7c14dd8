#pragma once
// Resource images: a chain of 32-byte entry headers ("Vx") with bodies, the first
// being the root block that counts the entries after it. All numbers little-endian.
#include <filesystem>

namespace velk {

enum ResourceMergeResult : int {
    kMergeSourceError = 0,   // the resource or SDB image cannot be opened
    kMergeInvalid = 1,       // the resource image is not a chain of "Vx" entries
    kMergeDone = 2,
    kMergeOutputError = 3,   // the output cannot be created or written
};

// Copies the resource image to `output` and appends the SDB image as a new data entry
// "DAT_RES_<number of data entries>", raising the root block's entry count. Entry
// header words of 0xFFFFFFFF at offset 28 take the resource image's length. Entries
// whose size runs outside the file make the image invalid. `output` is replaced only
// on success.
int MergeResourceImage(const std::filesystem::path& resource, const std::filesystem::path& sdb,
                       const std::filesystem::path& output);

}  // namespace velk
