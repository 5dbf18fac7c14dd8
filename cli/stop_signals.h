#pragma once
// SIGINT, SIGTERM and SIGHUP ask velk to stop: the handler only notes the
// signal; long work polls StopRequested() (through ConsoleUi's progress) and
// unwinds, so scratch files and folders are removed and the old output stays.
namespace velk::cli {

void InstallStopSignals();

// The signal that asked to stop, 0 while none came.
int StopSignal();
inline bool StopRequested() { return StopSignal() != 0; }

// The command has already said it was stopped (e.g. "Terminated by user").
void NoteStopAnnounced();

// After a stopped command: the one line saying so (unless the command said it)
// and the exit code 128 + signal (130 for SIGINT, 143 for SIGTERM).
int AnnounceStop();

}  // namespace velk::cli
