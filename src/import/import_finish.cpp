#include "import/import_finish.h"

#include "common/files.h"
#include "import/import_database.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"

namespace velk {
namespace {

std::filesystem::path ChooseBinName(Ui& ui, const std::filesystem::path& list)
{
    const FileChoice choice{kSaveAsBinTitle, "StaticDatabase BIN Files ( *.BIN )|*.bin", "bin", {}};
    if (auto chosen = ui.ChooseSaveFile(choice))
        return *chosen;
    return DefaultBinName(list);
}

// Saves the store under `path` as the Save command writes it.
bool SaveAs(Ui& ui, WorkingStore& store, sdb::SdbSession& session, const std::filesystem::path& path)
{
    return sdb::WriteSdbBinFile(store, session, ui, path, false, true) == 1;
}

// No database open: the import file, copied under the chosen name, becomes the database.
bool OpenAsNewDatabase(Ui& ui, WorkingStore& store, sdb::SdbSession& session, const std::filesystem::path& importFile,
                       const std::filesystem::path& list)
{
    const auto name = ChooseBinName(ui, list);
    if (!CopyFileAtomic(importFile, name)) {
        ShowError(ui, kFileAccessError);
        return false;
    }
    ClearStore(store);
    session.currentFile = name;
    return sdb::OpenSdbBinFile(store, session, ui, name) == 1 && SaveAs(ui, store, session, name);
}

// A database open: it is saved and the import file merged into it; an open
// database without LNB or satellite is replaced by the import file instead.
bool MergeIntoOpenDatabase(Ui& ui, WorkingStore& store, sdb::SdbSession& session,
                           const std::filesystem::path& importFile, const std::filesystem::path& list)
{
    if (session.currentFile.empty())
        session.currentFile = ChooseBinName(ui, list);
    const bool empty = store.lnbCount == 0 || store.satelliteCount == 0;
    if (!empty && !SaveAs(ui, store, session, session.currentFile))
        return false;
    ClearStore(store);
    sdb::OpenSdbOptions options;
    options.mode = empty ? sdb::OpenMode::Open : sdb::OpenMode::Merge;
    return sdb::OpenSdbBinFile(store, session, ui, importFile, options) == 1
        && SaveAs(ui, store, session, session.currentFile);
}

}  // namespace

std::filesystem::path DefaultBinName(const std::filesystem::path& list)
{
    auto text = list.string();
    text.resize(text.size() >= 4 ? text.size() - 4 : 0);
    return text + ".bin";
}

bool WriteImportDatabase(Ui& ui, const ImportWizard& wizard, const WorkingStore& store,
                         const sdb::SdbSession& session, const std::filesystem::path& target)
{
    const auto content = SelectImportDatabase(ui, wizard.Staging(), wizard.LnbList(), store, session);
    if (!content)
        return false;
    if (!WriteFileAtomic(target, sdb::EncodeNewLayout(*content, sdb::HeaderForSave(session)))) {
        ShowError(ui, kImportCreationError);
        return false;
    }
    return true;
}

int BuildImportDatabase(Ui& ui, const ImportWizard& wizard, WorkingStore& store, sdb::SdbSession& session,
                        bool databaseOpen)
{
    const auto importFile = store.File(databaseOpen ? kImportMergeFileName : kImportFileName);
    if (!WriteImportDatabase(ui, wizard, store, session, importFile))
        return 0;
    const auto& list = wizard.Session().list;
    const bool ok = databaseOpen ? MergeIntoOpenDatabase(ui, store, session, importFile, list)
                                 : OpenAsNewDatabase(ui, store, session, importFile, list);
    RemoveFileIfExists(importFile);
    return ok ? 1 : 0;
}

int FinishImportWizard(Ui& ui, const ImportWizard& wizard, WorkingStore& store, sdb::SdbSession& session,
                       bool databaseOpen)
{
    const int result = BuildImportDatabase(ui, wizard, store, session, databaseOpen);
    DeleteStagingFiles(store.dir);
    return result;
}

}  // namespace velk
