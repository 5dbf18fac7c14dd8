#include "common/files.h"

#include "common/file_failure_watch.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace velk {

AtomicFile::AtomicFile(const fs::path& target) : target_(FinalTarget(target))
{
    if (const Outcome usable = CheckOutputFile(target); !usable) {
        failure_ = usable.error();
        NoteFileFailure(*failure_);
        return;
    }
    const fs::path dir = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    std::string pattern = (dir / ("." + target_.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        Fail(errno);
        return;
    }
    scratch_ = pattern;
    file_.reset(::fdopen(fd, "wb"));
    if (!file_) {
        Fail(errno);
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

bool AtomicFile::Fail(int errnoValue)
{
    if (!failure_) {
        failure_ = SystemError(target_, errnoValue);
        NoteFileFailure(*failure_);
    }
    return false;
}

Error AtomicFile::Failure() const { return failure_ ? *failure_ : SystemError(target_, EIO); }

bool AtomicFile::Write(ByteView data)
{
    if (!file_)
        return false;
    if (std::fwrite(data.data(), 1, data.size(), file_.get()) != data.size())
        return Fail(errno);
    return true;
}

// The replaced file keeps its owner, group and mode; a new file gets the
// ordinary permissions rather than mkstemp's 0600.
void AtomicFile::TakeOverOwnership()
{
    const int fd = ::fileno(file_.get());
    struct stat old {};
    if (::stat(target_.c_str(), &old) != 0) {
        ::fchmod(fd, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH);
        return;
    }
    // Only root may give a file away; anyone else keeps their own ownership.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    ::fchmod(fd, old.st_mode & 07777);
}

bool AtomicFile::Commit()
{
    if (!file_)
        return false;
    if (std::fflush(file_.get()) != 0)
        return Fail(errno);
    TakeOverOwnership();
    if (::fsync(::fileno(file_.get())) != 0)
        return Fail(errno);
    if (std::fclose(file_.release()) != 0)
        return Fail(errno);
    std::error_code ec;
    fs::rename(scratch_, target_, ec);
    if (ec)
        return Fail(ec.value());
    committed_ = true;
    return true;
}

}  // namespace velk
