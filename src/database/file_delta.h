#pragma once
// What one step changed in one file, as the runs of bytes that differ, so a
// history holds the few bytes an edit touched rather than whole files.
#include "common/bytes.h"

#include <optional>
#include <string>
#include <vector>

namespace velk {

// A file's content, or nullopt when the file does not exist.
using FileContent = std::optional<Bytes>;

// Bytes at `offset` that were `before` and became `after`. Runs are in ascending
// order and every run but the last keeps its length, so an offset means the same
// place on either side.
struct ByteRun {
    std::size_t offset = 0;
    Bytes before;
    Bytes after;
};

struct FileDelta {
    std::string name;
    bool existedBefore = false;
    bool existsAfter = false;
    std::vector<ByteRun> runs;

    bool Empty() const { return existedBefore == existsAfter && runs.empty(); }
    std::size_t Size() const;  // bytes held
};

// The delta from `before` to `after`. Runs closer than a few bytes are joined.
FileDelta DiffFile(std::string name, const FileContent& before, const FileContent& after);

// `content` taken back (forward = false) or forward again through `delta`.
// nullopt when `content` is not the side the delta starts from.
std::optional<FileContent> ApplyDelta(const FileDelta& delta, const FileContent& content, bool forward);

}  // namespace velk
