#pragma once
// Shared by the list-parser fuzzers: a silent UI, and the whole road from the
// list's bytes to the import database's bytes.
#include "import/import_database.h"
#include "import/list_parsers.h"

namespace velk::fuzz {

class QuietUi final : public Ui {
public:
    Answer Message(const std::string&, const std::string&, Icon, Buttons) override { return Answer::No; }
    void ProgressBegin(const std::string&, std::uint32_t) override {}
    void ProgressSet(std::uint32_t) override {}
    void ProgressEnd() override {}
    std::optional<std::filesystem::path> ChooseOpenFile(const FileChoice&) override { return std::nullopt; }
    std::optional<std::filesystem::path> ChooseSaveFile(const FileChoice&) override { return std::nullopt; }
};

template <typename Parser>
void ParseAndBuild(Parser parse, const std::uint8_t* data, std::size_t size)
{
    QuietUi ui;
    ImportStaging staging;
    parse(ui, ByteView(data, size), 1, staging);
    const std::vector<WizardLnb> lnbs{{ImportLnb{}, true}};
    WorkingStore store;
    if (const auto content = SelectImportDatabase(ui, staging, lnbs, store, sdb::SdbSession{}))
        sdb::EncodeNewLayout(*content, sdb::SdbHeaderInfo{});
}

}  // namespace velk::fuzz
