#include "common/files.h"

#include <fstream>
#include <new>
#include <system_error>

#include <unistd.h>

namespace velk {

std::optional<Bytes> ReadFileBytes(const fs::path& path)
{
    // A directory opens as a stream on Linux but has no bytes to give.
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    if (size < 0)
        return std::nullopt;
    in.seekg(0, std::ios::beg);
    try {
        Bytes data(static_cast<std::size_t>(size));
        if (!data.empty() && !in.read(reinterpret_cast<char*>(data.data()), size))
            return std::nullopt;
        return data;
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // a file larger than memory
    }
}

bool WriteFileAtomic(const fs::path& path, ByteView data)
{
    AtomicFile file(path);
    return file.IsOpen() && file.Write(data) && file.Commit();
}

bool CopyFileAtomic(const fs::path& from, const fs::path& to)
{
    const auto data = ReadFileBytes(from);
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

AtomicFile::AtomicFile(fs::path target) : target_(std::move(target))
{
    const fs::path dir = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    std::string name = ".";
    name += target_.filename().string();
    name += ".XXXXXX";
    std::string pattern = (dir / name).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return;
    scratch_ = pattern;
    file_.reset(::fdopen(fd, "wb"));
    if (!file_) {
        ::close(fd);
        RemoveFileIfExists(scratch_);
    }
}

AtomicFile::~AtomicFile()
{
    if (!committed_ && !scratch_.empty()) {
        file_.reset();
        RemoveFileIfExists(scratch_);
    }
}

bool AtomicFile::Write(ByteView data)
{
    return file_ && std::fwrite(data.data(), 1, data.size(), file_.get()) == data.size();
}

bool AtomicFile::Commit()
{
    if (!file_)
        return false;
    const bool flushed = std::fflush(file_.get()) == 0 && ::fsync(::fileno(file_.get())) == 0;
    const bool closed = std::fclose(file_.release()) == 0;
    if (!flushed || !closed)
        return false;
    // mkstemp creates the file 0600; a replaced user file gets ordinary permissions.
    std::error_code ec;
    fs::permissions(scratch_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read, ec);
    fs::rename(scratch_, target_, ec);
    if (ec)
        return false;
    committed_ = true;
    return true;
}

}  // namespace velk
