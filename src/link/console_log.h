#pragma once
// The upload console's pieces that need no window: the log file, the receive
// display's byte filter and the command line.
#include "common/bytes.h"
#include "common/ui.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velk::link {

inline constexpr std::string_view kConsoleLogName = "_debugprint.tmp";

// Everything that enters the log view goes through this file first, so the file
// always holds the whole log.
class ConsoleLog {
public:
    // Creates the log file empty in `workDir`.
    ConsoleLog(std::filesystem::path workDir, Ui& ui);

    // Appends the text at the end of the file; false after "WriteFile problem".
    bool Append(std::string_view text);
    // Appends a result or fault row of an upload (shown red by the console).
    bool AppendUploadReport(int code);
    // Empties the file.
    void Clear();
    // Asks for a target and copies the log there; "No data in the buffer to save log file" when empty.
    bool Save();
    std::string Contents() const;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    Ui& ui_;
};

// The receive display: the handshake and control bytes 0x00, 0x04, 0x05, 0x06,
// 0x07, 0x11, 0x13, 0x15, 0x17, 0x91 and 0x99 become blanks.
std::string FilterReceivedBytes(ByteView bytes);

// When the command line's text ends with CR LF: its last complete line, cut at
// the first 0 byte or byte above 0x7F, followed by 0x0D 0x0A. Nullopt otherwise.
std::optional<Bytes> CommandLineToSend(std::string_view text);

}  // namespace velk::link
