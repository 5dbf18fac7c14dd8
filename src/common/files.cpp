#include "common/files.h"

#include "common/file_failure_watch.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velk {
namespace {

// Owns a file descriptor.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

Error NotRegular(const fs::path& path, mode_t mode)
{
    if (S_ISDIR(mode))
        return SystemError(path, EISDIR);
    return {ErrorKind::Io, path, "not a regular file"};
}

// Reads up to `count` bytes of an open regular file of `size` bytes.
Expected<Bytes> ReadOpenFile(int fd, const fs::path& path, std::size_t count)
{
    try {
        Bytes data(count);
        std::size_t done = 0;
        while (done < data.size()) {
            const ssize_t got = ::read(fd, data.data() + done, data.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return SystemError(path, errno);
            if (got == 0)
                break;  // the file shrank while it was read
            done += static_cast<std::size_t>(got);
        }
        data.resize(done);
        return data;
    } catch (const std::bad_alloc&) {
        return SystemError(path, ENOMEM);  // a file larger than memory
    }
}

}  // namespace

Expected<Bytes> ReadFileHead(const fs::path& path, std::size_t count)
{
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0)
        return SystemError(path, errno);
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0)
        return SystemError(path, errno);
    if (!S_ISREG(st.st_mode))
        return NotRegular(path, st.st_mode);
    const auto size = static_cast<std::uintmax_t>(st.st_size);
    return ReadOpenFile(fd.Get(), path, static_cast<std::size_t>(std::min<std::uintmax_t>(size, count)));
}

Expected<Bytes> ReadFile(const fs::path& path)
{
    auto data = ReadFileHead(path, SIZE_MAX);
    if (!data)
        NoteFileFailure(data.error());
    return data;
}

std::optional<Bytes> ReadFileBytes(const fs::path& path)
{
    auto data = ReadFile(path);
    if (!data)
        return std::nullopt;
    return std::move(*data);
}

Outcome CheckInputFile(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return SystemError(path, errno);
    if (!S_ISREG(st.st_mode))
        return NotRegular(path, st.st_mode);
    if (::access(path.c_str(), R_OK) != 0)
        return SystemError(path, errno);
    return {};
}

fs::path FinalTarget(const fs::path& path)
{
    fs::path current = path;
    for (int hop = 0; hop < 40; ++hop) {  // the kernel's own limit on a chain
        std::error_code ec;
        if (!fs::is_symlink(current, ec))
            return current;
        const fs::path link = fs::read_symlink(current, ec);
        if (ec)
            return current;
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    return current;
}

Outcome CheckOutputFile(const fs::path& path)
{
    const fs::path target = FinalTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return errno == ENOENT ? Outcome{} : Outcome{SystemError(path, errno)};
    if (!S_ISREG(st.st_mode))
        return NotRegular(path, st.st_mode);
    // Checked on the mode too: access() lets root write anything.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return Error{ErrorKind::Io, path, "read-only file, not replaced"};
    if (::access(target.c_str(), W_OK) != 0)
        return SystemError(path, errno);
    return {};
}

Outcome CheckDistinctFiles(const fs::path& input, const fs::path& output)
{
    struct stat in {}, out {};
    if (::stat(input.c_str(), &in) != 0 || ::stat(output.c_str(), &out) != 0)
        return {};
    if (in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        return Error{ErrorKind::Io, output, "the output is the input file " + input.string()};
    return {};
}

Outcome WriteFile(const fs::path& path, ByteView data)
{
    AtomicFile file(path);
    if (file.IsOpen() && file.Write(data) && file.Commit())
        return {};
    return file.Failure();
}

bool WriteFileAtomic(const fs::path& path, ByteView data) { return static_cast<bool>(WriteFile(path, data)); }

bool CopyFileAtomic(const fs::path& from, const fs::path& to)
{
    const auto data = ReadFile(from);
    return data && WriteFileAtomic(to, *data);
}

bool RemoveFileIfExists(const fs::path& path)
{
    std::error_code ec;
    fs::remove(path, ec);
    return !ec;
}

std::optional<std::uintmax_t> FileSize(const fs::path& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec)
        return std::nullopt;
    return size;
}

}  // namespace velk
