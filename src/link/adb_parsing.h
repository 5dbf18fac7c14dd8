#pragma once
// Turns the downloaded dumps "KymE2PDump.dbi" and "KymADBDump.dbi" into the
// new-layout SDB file "kymDumpSDB.sdb", which is then opened like any other.
#include "common/ui.h"
#include "database/working_store.h"
#include "link/receiver_records.h"
#include "sdb/sdb_content.h"
#include "sdb/sdb_session.h"

#include <optional>

namespace velk::link {

// The database held by a pair of images, unpacked into records. Nullopt after a
// reported product-type mismatch or images too short. Counts are bounded by what
// the image can hold.
std::optional<sdb::SdbContent> UnpackAdbImages(ByteView adbImage, ByteView e2pImage, std::uint8_t productType, Ui& ui);

// Reads the dumps in the store's directory, replaces the Hovo, carrier parameter
// and user settings records in memory with the receiver's, and writes
// "kymDumpSDB.sdb". Returns 1, or 0 after a reported failure.
int ADBParsing(const WorkingStore& store, Ui& ui, ReceiverRecords& records, sdb::SdbSession& session);

}  // namespace velk::link
