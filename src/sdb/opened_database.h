#pragma once
// A database file of either layout opened into a private working store: the
// input of velk's SDB and list commands, and the editor's reference lists.
#include "common/bytes.h"
#include "common/scratch_dir.h"
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_session.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace velk::sdb {

// The run a new-layout file belongs to: its placement and the product type of
// its user-settings block (1 unless the block names 2 or 3).
struct FileRun {
    Placement placement = Placement::Lnb;
    std::uint8_t productType = 1;
};
FileRun RunOfImage(ByteView newLayout);

// The file in the new layout (old files converted in memory), or nullopt after a message.
std::optional<Bytes> NewLayoutBytes(Ui& ui, const std::filesystem::path& path);

struct OpenedDatabase {
    explicit OpenedDatabase(ScratchDir scratch) : dir(std::move(scratch)) { store.dir = dir.Path(); }
    ScratchDir dir;
    WorkingStore store;
    sdb::SdbSession session;
};

// nullptr after a message. A product type of 0 takes the file's own.
std::unique_ptr<OpenedDatabase> OpenDatabase(Ui& ui, const std::filesystem::path& path, int productType);

}  // namespace velk::sdb
