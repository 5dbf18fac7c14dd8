#pragma once
// The upload console without its window: the connection to the loader, the
// receive display into the log, command lines, and the console upload of a
// URT file whose handshake rides on the console's receive display.
#include "link/console_log.h"
#include "link/serial_port.h"
#include "link/transfer_driver.h"
#include "link/upload_machine.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace velk::link {

class ConsoleSession {
public:
    // Text for the log view as it is appended; `report` marks an upload row (red).
    // Called from the reader and upload threads, one call at a time.
    using LogView = std::function<void(const std::string& text, bool report)>;

    ConsoleSession(std::filesystem::path workDir, Ui& ui, LogView view = {});
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    // Connects when disconnected, disconnects when connected. Returns 1, or 0
    // when the port or the reader could not be started (the console stays disconnected).
    int ConnectDisConnectWithPort(const PortSettings& settings);
    bool Connected() const { return port_ != nullptr; }

    // Sends the last complete line once the command line's text ends with CR LF.
    bool SendCommandLine(std::string_view text);

    // "&Upload" of a URT file read beforehand (PrepareConsoleUpload): only while
    // connected and no transfer runs. `events` also sees the progress.
    // False also when no thread could be started for it.
    bool StartUpload(Bytes urtFile, UploadEvents* events = nullptr);
    bool UploadRunning() const;
    // "Ca&ncel": ends the upload; with packets left it reports code 23.
    void CancelUpload();

    ConsoleLog& Log() { return log_; }

private:
    class Events;
    int OnReceived(ByteView bytes);
    void Append(const std::string& text, bool report);
    void EndUpload();

    Ui& ui_;
    ConsoleLog log_;
    LogView view_;
    std::unique_ptr<CommPort> port_;
    std::unique_ptr<ReaderThread> reader_;
    mutable std::mutex uploadMutex_;
    std::mutex appendMutex_;  // the reader and the upload thread both append
    std::unique_ptr<Events> events_;
    std::unique_ptr<UploadMachine> machine_;
    std::unique_ptr<TransferDriver> driver_;
    ReceiveCallback uploadCallback_;
};

}  // namespace velk::link
