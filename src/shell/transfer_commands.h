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
#include "sdb/sdb_session.h"

#include <functional>
#include <optional>
#include <string>

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
    // The transfer dialog's status line and text field.
    std::function<void(const std::string&)> status;
};

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
