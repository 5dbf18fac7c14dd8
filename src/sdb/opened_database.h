#pragma once
// A database file of either layout opened into a private working store: the
// input of velk's SDB and list commands, and the editor's reference lists.
#include "common/bytes.h"
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_session.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace velk::sdb {

// A private working directory for one command, removed afterwards.
class ScratchWorkDir {
public:
    ScratchWorkDir();
    ~ScratchWorkDir();
    ScratchWorkDir(const ScratchWorkDir&) = delete;
    ScratchWorkDir& operator=(const ScratchWorkDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The file in the new layout (old files converted in memory), or nullopt after a message.
std::optional<Bytes> NewLayoutBytes(Ui& ui, const std::filesystem::path& path);

struct OpenedDatabase {
    ScratchWorkDir dir;
    WorkingStore store;
    sdb::SdbSession session;
};

// nullptr after a message. A product type of 0 takes the file's own.
std::unique_ptr<OpenedDatabase> OpenDatabase(Ui& ui, const std::filesystem::path& path, int productType);

}  // namespace velk::sdb
