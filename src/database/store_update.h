#pragma once
// Replaces several files of the store as one step. Every new file is written
// completely beside its target first; only then are they renamed in, and if a
// rename fails the files already replaced are put back. Either all files change
// or none does, so the store's relations never go half-updated.
#include "common/bytes.h"
#include "database/working_store.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

class StoreUpdate {
public:
    explicit StoreUpdate(const WorkingStore& store) : dir_(store.dir) {}

    // The file `name` gets `content` at Commit (a later call for the same name wins).
    void Replace(std::string_view name, Bytes content);
    // The file `name` is deleted at Commit (it need not exist).
    void Remove(std::string_view name);

    // True when every change took effect; false when none did.
    bool Commit();

private:
    struct Change {
        std::string name;
        bool remove = false;
        Bytes content;
    };
    std::filesystem::path dir_;
    std::vector<Change> changes_;
};

}  // namespace velk
