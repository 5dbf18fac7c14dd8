#pragma once
// File helpers. Replacing a file always goes through a scratch file in the same
// directory that is renamed over the target once it is complete, so a failure
// leaves either the old or the new file, never a half-written one.
#include "common/bytes.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

namespace velk {

namespace fs = std::filesystem;

// The whole file, or nullopt when it cannot be opened or read.
std::optional<Bytes> ReadFileBytes(const fs::path& path);

// Writes `data` to `path` through a scratch file and rename. False on any failure;
// the previous file at `path` is then untouched.
bool WriteFileAtomic(const fs::path& path, ByteView data);

// Copies `from` over `to` through a scratch file and rename.
bool CopyFileAtomic(const fs::path& from, const fs::path& to);

// Removes a file if it exists; false only when it exists and could not be removed.
bool RemoveFileIfExists(const fs::path& path);

// Size of a file, or nullopt when it does not exist.
std::optional<std::uintmax_t> FileSize(const fs::path& path);

// A scratch file beside `target` with a unique name. Write through Stream(),
// then Commit() renames it over the target; destruction without Commit()
// removes the scratch file.
class AtomicFile {
public:
    explicit AtomicFile(fs::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    std::FILE* Stream() { return file_.get(); }
    bool Write(ByteView data);
    const fs::path& ScratchPath() const { return scratch_; }
    bool Commit();

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    fs::path target_;
    fs::path scratch_;
    std::unique_ptr<std::FILE, Closer> file_;
    bool committed_ = false;
};

}  // namespace velk
