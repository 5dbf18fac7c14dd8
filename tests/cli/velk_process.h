#pragma once
// The velk binary run as a child process, for what only a process shows:
// signals, exit codes and a file-size limit standing in for a full disk.
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace velk::test {

struct VelkRun {
    int exitCode = -1;   // 128 + signal when the process was killed by one
    std::string errors;  // its standard error
};

struct VelkStart {
    std::filesystem::path tmpDir;                 // the child's $TMPDIR
    std::optional<std::uint64_t> fileSizeLimit;   // bytes; writes past it fail with EFBIG
    unsigned timeLimitSeconds = 120;              // a hang ends in SIGALRM (exit 142)
};

// A running velk; Wait() collects its exit code and standard error.
class VelkProcess {
public:
    VelkProcess(const std::vector<std::string>& args, const VelkStart& start);
    ~VelkProcess();
    VelkProcess(const VelkProcess&) = delete;
    VelkProcess& operator=(const VelkProcess&) = delete;

    void Signal(int signal) const;
    // Reads its standard error until `text` shows (false when it ended first).
    bool AwaitErrorText(const std::string& text);
    VelkRun Wait();

private:
    // One read of its standard error; false at the end.
    bool ReadErrors();

    std::string errorsSoFar_;
    pid_t pid_ = -1;
    int errors_ = -1;
};

inline VelkRun RunVelkProcess(const std::vector<std::string>& args, const VelkStart& start)
{
    return VelkProcess(args, start).Wait();
}

}  // namespace velk::test
