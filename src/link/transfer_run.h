#pragma once
// One serial transfer from open to close: opens the port, runs the machine with
// the reader thread and a worker, and closes everything again, also when the
// user cancels through the Ui's progress.
#include "common/ui.h"
#include "link/line_settings.h"
#include "link/protocol_machine.h"

#include <string>

namespace velk::link {

enum class TransferEnd { Finished, Cancelled, PortNotAvailable, ReaderNotStarted };

// Runs until the machine finishes or ui.ProgressCancelled(). A cancel ends the
// worker (releasing a write blocked on a full line) before the reader is stopped
// and the port closed; a failed close shows "Port Close API failed".
TransferEnd RunTransfer(const std::string& portName, const LineSettings& line, Ui& ui, ProtocolMachine& machine);

}  // namespace velk::link
