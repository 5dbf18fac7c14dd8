#include "link/transfer_run.h"

#include "link/transfer_driver.h"

#include <thread>

namespace velk::link {

TransferEnd RunTransfer(const std::string& portName, const LineSettings& line, Ui& ui, ProtocolMachine& machine)
{
    auto port = OpenCommPort(portName, line, ui);
    if (!port)
        return TransferEnd::PortNotAvailable;
    TransferEnd end = TransferEnd::Finished;
    {
        TransferDriver driver(*port, machine);
        auto reader = StartReaderThread(*port, driver.Callback());
        if (!reader) {
            CloseCommPort(std::move(port));
            return TransferEnd::ReaderNotStarted;
        }
        driver.Start();
        while (!driver.Finished()) {
            if (ui.ProgressCancelled()) {
                // Joining the worker replaces the dialog's 500 ms grace: it has surely ended.
                end = TransferEnd::Cancelled;
                driver.Cancel(true);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        driver.Wait();
        StopReaderThread(std::move(reader));
    }
    if (CloseCommPort(std::move(port)) != 1)
        ui.Message("Port Close API failed", {}, Icon::Error, Buttons::Ok);
    return end;
}

}  // namespace velk::link
