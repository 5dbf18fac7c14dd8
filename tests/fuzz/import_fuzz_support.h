#pragma once
// Shared by the list-parser fuzzers: the whole road from the list's bytes to
// the import database's bytes.
#include "import/import_database.h"
#include "import/list_parsers.h"
#include "quiet_ui.h"

namespace velk::fuzz {

template <typename Parser>
void ParseAndBuild(Parser parse, const std::uint8_t* data, std::size_t size)
{
    QuietUi ui(Answer::No);
    ImportStaging staging;
    parse(ui, ByteView(data, size), 1, staging);
    const std::vector<WizardLnb> lnbs{{ImportLnb{}, true}};
    WorkingStore store;
    if (const auto content = SelectImportDatabase(ui, staging, lnbs, store, sdb::SdbSession{}))
        sdb::EncodeNewLayout(*content, sdb::SdbHeaderInfo{});
}

}  // namespace velk::fuzz
