#include "cli/velk_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velk::test {
namespace {

[[noreturn]] void ExecVelk(const std::vector<std::string>& args, const VelkStart& start, int errorsFd)
{
    ::dup2(errorsFd, STDERR_FILENO);
    ::setenv("TMPDIR", start.tmpDir.c_str(), 1);
    ::alarm(start.timeLimitSeconds);
    if (start.fileSizeLimit) {
        const rlimit limit{*start.fileSizeLimit, *start.fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(VELK_BINARY)};
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(VELK_BINARY, argv.data());
    ::_exit(127);
}

}  // namespace

VelkProcess::VelkProcess(const std::vector<std::string>& args, const VelkStart& start)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(pipeFds[0]);
        ExecVelk(args, start, pipeFds[1]);
    }
    ::close(pipeFds[1]);
    errors_ = pipeFds[0];
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
}

VelkProcess::~VelkProcess()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        Wait();
    }
    if (errors_ >= 0)
        ::close(errors_);
}

void VelkProcess::Signal(int signal) const { ::kill(pid_, signal); }

bool VelkProcess::ReadErrors()
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(errors_, buffer, sizeof buffer);
        if (got > 0) {
            errorsSoFar_.append(buffer, static_cast<std::size_t>(got));
            return true;
        }
        if (got == 0 || errno != EINTR)
            return false;
    }
}

bool VelkProcess::AwaitErrorText(const std::string& text)
{
    while (errorsSoFar_.find(text) == std::string::npos)
        if (!ReadErrors())
            return false;
    return true;
}

VelkRun VelkProcess::Wait()
{
    VelkRun run;
    while (ReadErrors()) {
    }
    run.errors = std::move(errorsSoFar_);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

}  // namespace velk::test
