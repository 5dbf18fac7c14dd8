#include "sdb/sdb_save_layout.h"

#include "database/record_io.h"
#include "sdb/sdb_content.h"
#include "sdb/sdb_writer.h"

#include <system_error>

namespace velk::sdb {
namespace {

// Records the level's file holds; the counts may run past them after padding.
template <typename Record>
std::size_t RecordsInFile(const WorkingStore& store)
{
    using F = RecordFile<Record>;
    std::error_code error;
    const auto size = std::filesystem::file_size(store.File(F::kName), error);
    return error ? 0 : static_cast<std::size_t>(size / F::Size(store.placement));
}

// Fills the level's file up to its count with the records the file gives back.
template <typename Record>
bool AdoptLevel(const WorkingStore& store, const std::vector<Record>& reopened)
{
    auto records = ReadAllRecords<Record>(store);
    if (!records)
        return false;
    for (auto i = RecordsInFile<Record>(store); i < records->size() && i < reopened.size(); ++i)
        (*records)[i] = reopened[i];
    return WriteAllRecords<Record>(store, *records);
}

bool AdoptPadding(const WorkingStore& store, const SdbSession& session, Ui& ui, SdbLayout layout)
{
    if (RecordsInFile<LnbRecord>(store) >= store.lnbCount && RecordsInFile<SatelliteRecord>(store) >= store.satelliteCount)
        return true;
    const auto content = ContentFromStore(store, session);
    if (!content)
        return false;
    const auto image = EncodeNewLayout(*content, HeaderForSave(session));
    const auto reopened = ReopenedImage(ui, image, layout, store.placement, store.productType);
    return reopened && AdoptLevel(store, reopened->lnbs) && AdoptLevel(store, reopened->satellites);
}

}  // namespace

std::string OldLayoutQuestion(const OldLayoutLoss& loss)
{
    return OldLayoutWarning(loss)
        + "\n\nSave in the receiver's old layout?\n"
          "Yes: the old layout; the values above are renumbered or reset.\n"
          "No: the new layout, which opens again exactly as saved (uploads still send the old layout).\n"
          "Cancel: nothing is saved.";
}

std::optional<SdbLayout> ChooseSaveLayout(const WorkingStore& store, const SdbSession& session, Ui& ui,
                                          const SaveLayoutChoice& choice)
{
    if (choice.layout == SdbLayout::New || store.placement != Placement::Lnb)
        return SdbLayout::New;
    if (!choice.askWhenOldLoses)
        return SdbLayout::Old;
    // A store that cannot be read is reported by the writer.
    const auto loss = OldLayoutLossOfStore(ui, store, session);
    if (!loss || !loss->Any())
        return SdbLayout::Old;
    switch (ui.Message(OldLayoutQuestion(*loss), {}, Icon::Warning, Buttons::YesNoCancel)) {
    case Answer::Yes: return SdbLayout::Old;
    case Answer::No: return SdbLayout::New;
    default: return std::nullopt;
    }
}

int WritePaddedSdbFile(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                       SdbLayout layout)
{
    if (WriteSdbBinFile(store, session, ui, target, layout == SdbLayout::New, true) != 1)
        return 0;
    // The file is saved; a store that cannot take the padding is reported, and
    // opening the file again gives it back.
    if (!AdoptPadding(store, session, ui, layout))
        ShowError(ui, kFileAccessError);
    return 1;
}

}  // namespace velk::sdb
