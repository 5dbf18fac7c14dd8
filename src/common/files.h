#pragma once
// File helpers. Replacing a file always goes through a scratch file in the
// directory of its final target (after symlinks) that is renamed over it once
// complete, so a failure leaves either the old or the new file, never a
// half-written one. The replaced file keeps its mode and, where the process
// may, its owner. Inputs and outputs that are not regular files are refused
// before anything can block on them.
#include "common/bytes.h"
#include "common/error.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

namespace velk {

namespace fs = std::filesystem;

// The whole file. A FIFO, device or directory is refused without opening it
// for a blocking read.
Expected<Bytes> ReadFile(const fs::path& path);
// At most `count` bytes from the start of the file, under the same rules.
Expected<Bytes> ReadFileHead(const fs::path& path, std::size_t count);

// The whole file, or nullopt when it cannot be read (ReadFile without the cause).
std::optional<Bytes> ReadFileBytes(const fs::path& path);

// An existing regular file that can be opened for reading.
Outcome CheckInputFile(const fs::path& path);

// A path a replacing write may go to: missing, or a regular file that is not
// read-only (symlinks are followed to their final target).
Outcome CheckOutputFile(const fs::path& path);

// Refuses an output that is the same file as the input (same device and inode
// after symlinks); a missing output is always distinct.
Outcome CheckDistinctFiles(const fs::path& input, const fs::path& output);

// The file a symlink chain ends at (the path itself when it is no symlink).
fs::path FinalTarget(const fs::path& path);

// Writes `data` to `path` through a scratch file and rename; on failure the
// previous file at `path` is untouched.
Outcome WriteFile(const fs::path& path, ByteView data);
bool WriteFileAtomic(const fs::path& path, ByteView data);

// Copies `from` over `to` through a scratch file and rename.
bool CopyFileAtomic(const fs::path& from, const fs::path& to);

// Removes a file if it exists; false only when it exists and could not be removed.
bool RemoveFileIfExists(const fs::path& path);

// Size of a file, or nullopt when it does not exist.
std::optional<std::uintmax_t> FileSize(const fs::path& path);

// A scratch file beside the final target of `target` with a unique name.
// Write through Stream() or Write(), then Commit() renames it over the target;
// destruction without Commit() removes the scratch file. Failure() holds the
// cause once IsOpen(), Write() or Commit() is false.
class AtomicFile {
public:
    explicit AtomicFile(const fs::path& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    std::FILE* Stream() { return file_.get(); }
    bool Write(ByteView data);
    const fs::path& ScratchPath() const { return scratch_; }
    bool Commit();
    Error Failure() const;

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    bool Fail(int errnoValue);
    void TakeOverOwnership();

    fs::path target_;
    fs::path scratch_;
    std::unique_ptr<std::FILE, Closer> file_;
    std::optional<Error> failure_;
    bool committed_ = false;
};

}  // namespace velk
