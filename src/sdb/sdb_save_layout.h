#pragma once
// Which layout Save writes, and a padded save whose padding becomes part of
// the database.
//
// Save writes the receiver's old layout unless the user prefers the new one.
// When the old layout would lose values the user entered, the user is asked
// first: keep the old layout (those values renumbered or reset), write the new
// layout, which opens again exactly as saved, or save nothing.
#include "common/ui.h"
#include "database/working_store.h"
#include "sdb/sdb_layout_check.h"
#include "sdb/sdb_session.h"

#include <filesystem>
#include <optional>
#include <string>

namespace velk::sdb {

// The user's preference.
struct SaveLayoutChoice {
    SdbLayout layout = SdbLayout::Old;
    bool askWhenOldLoses = true;  // ask before the old layout loses values
};

// The question: the warning, then what each answer does.
std::string OldLayoutQuestion(const OldLayoutLoss& loss);

// The layout to write the open database in, asking when the old layout would
// lose values and the preference says so; nullopt when the user cancels.
// Placements 1 and 2 always get the new layout.
std::optional<SdbLayout> ChooseSaveLayout(const WorkingStore& store, const SdbSession& session, Ui& ui,
                                          const SaveLayoutChoice& choice);

// WriteSdbBinFile padded to the full tables in `layout`. The padding LNBs (and
// satellites of product type 2) then become records of the store, as the saved
// file gives them back when it is opened, so the editor shows what the file
// holds. Result as WriteSdbBinFile.
int WritePaddedSdbFile(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                       SdbLayout layout);

}  // namespace velk::sdb
