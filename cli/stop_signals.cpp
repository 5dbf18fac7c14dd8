#include "stop_signals.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace velk::cli {
namespace {

std::atomic<int> g_stopSignal{0};
bool g_stopAnnounced = false;

extern "C" void NoteStopSignal(int signal)
{
    int none = 0;
    g_stopSignal.compare_exchange_strong(none, signal);
}

}  // namespace

void InstallStopSignals()
{
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking call returns EINTR and the caller looks at the flag.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    // A write past a file-size limit then fails with EFBIG like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
}

int StopSignal() { return g_stopSignal.load(); }

void NoteStopAnnounced() { g_stopAnnounced = true; }

int AnnounceStop()
{
    const int signal = StopSignal();
    if (!g_stopAnnounced)
        std::fprintf(stderr, "velk: stopped by signal (%s); no output written\n", strsignal(signal));
    return 128 + signal;
}

}  // namespace velk::cli
