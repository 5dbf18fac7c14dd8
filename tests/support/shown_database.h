#pragma once
// The open database as the editor shows it, for save -> reopen comparisons:
// carriers grouped by satellite, each carrier's services in its run, names as
// their text (old files fill the rest of a name with 0xFF), the bits the
// reader sets and the store does not keep set.
#include "database/working_store.h"
#include "sdb/sdb_reader.h"

namespace velk::test {

// Throws when a record file cannot be read or holds fewer records than its count.
sdb::SdbImage ShownDatabase(const WorkingStore& store);

// What a reopened old-layout file gives back for these values: 22 kHz index 3,
// skew byte 255, program numbers counted down in file order.
void DropWhatTheOldLayoutCannotKeep(sdb::SdbImage& shown);

}  // namespace velk::test
