#pragma once
// The three transfer commands: the database to the receiver as an SDB image or
// as ADB and E2P images, and the receiver's data back into the editor. Each runs
// its checks, builds its files in WorkDir and runs the serial transfer to the
// end or until the Ui's progress is cancelled.
#include "common/ui.h"
#include "database/working_store.h"
#include "link/console_log.h"
#include "link/line_settings.h"
#include "link/receiver_records.h"
#include "link/upload_config.h"
#include "link/upload_machine.h"
#include "sdb/sdb_session.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velk {

// What the transfers keep between commands.
struct LinkContext {
    link::UploadConfig config;
    link::ReceiverRecords receiver = link::ReceiverRecords::Initial();
    // Parity of the last line built from the settings; the download keeps it.
    link::Parity lastParity = link::Parity::None;
    // URT generation switched off: the SDB upload sends the "TempURTFile.eut" already in WorkDir.
    bool urtGenerationOff = false;
    // Upload result and fault rows go to the console log when one is open.
    link::ConsoleLog* log = nullptr;
    // The transfer dialog's status line and text field, and its title.
    std::function<void(const std::string&)> status;
    std::function<void(const std::string&)> title;
};

// The pause between building the SDB upload's files and opening the port.
inline constexpr std::chrono::milliseconds kSdbSettle{500};

// The commands in their three stages, so that a window can run the transfer
// itself on a worker thread: the checks and files (refusals come before the
// port is touched), the transfer, and for the download the parsing and opening.

// SDB steps 1 to 10: true when "TempURTFile.eut" is ready to send.
bool PrepareSdbUpload(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx);
std::vector<std::filesystem::path> SdbUploadFiles(const WorkingStore& store);
// ADB steps 1 to 3: the URT files to send.
std::optional<std::vector<std::filesystem::path>> PrepareAdbUpload(WorkingStore& store, sdb::SdbSession& session, Ui& ui,
                                                                   LinkContext& ctx);
// Sends the files to the loader; 1 when all were sent (they are then deleted).
// The files are read before the port is opened: one that cannot be read ends
// the command with "File access error - UploadURTPacketThread" and 0.
// Blocks until the end or ui.ProgressCancelled().
int SendUploadFiles(link::UploadKind kind, const std::vector<std::filesystem::path>& files, Ui& ui, LinkContext& ctx);
// The download's exchange: writes the dump files into WorkDir; 1 when all four blocks arrived.
int ReceiveDumps(const WorkingStore& store, Ui& ui, LinkContext& ctx);
// Turns the dumps into "kymDumpSDB.sdb" (the receiver's user settings into `session`).
int ParseReceivedDumps(const WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx);
// Opens "kymDumpSDB.sdb" into the store, as a database without a file of its own.
int OpenReceivedDatabase(WorkingStore& store, sdb::SdbSession& session, Ui& ui);

// The SDB image's size in bytes for the counts.
std::uint64_t SdbUploadSize(const WorkingStore& store);

// "SDB Data ( PC to STB )". Returns 1 when the transfer ran to its end.
int UploadAsSdb(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx);

// "ADB Data  ( PC to STB )". Returns 1 when the transfer ran to its end.
int UploadAsAdb(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx);

// "Data from S&TB ( STB to PC )": downloads, stores the dumps, parses them and
// opens the result in the store. Returns 1 when the database was opened.
int DownloadFromReceiver(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx);

}  // namespace velk
