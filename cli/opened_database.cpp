#include "opened_database.h"

#include "layout_option.h"

#include "common/files.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_reader.h"

namespace velk::cli {
namespace {

namespace fs = std::filesystem;

// The run a file belongs to (RunOfImage), the product type unless given.
void TakeRunFromFile(WorkingStore& store, ByteView data, int productTypeOption)
{
    const auto run = RunOfImage(data);
    store.placement = run.placement;
    store.productType = productTypeOption != 0 ? static_cast<std::uint8_t>(productTypeOption) : run.productType;
}

}  // namespace

std::optional<Bytes> NewLayoutBytes(Ui& ui, const fs::path& path)
{
    const auto data = ReadFile(path);
    if (!data) {
        ShowError(ui, MessageWithCause(kFileAccessError, data.error()));
        return std::nullopt;
    }
    auto converted = sdb::ConvertOld2New(ui, *data, 1);
    if (converted.code != sdb::kConvertOk)
        return std::nullopt;
    return std::move(converted.data);
}

std::unique_ptr<OpenedDatabase> OpenDatabase(Ui& ui, const fs::path& path, int productType)
{
    auto dir = ScratchDir::Create("velk-sdb");
    if (!dir) {
        ShowError(ui, CauseText(dir.error()));
        return nullptr;
    }
    auto db = std::make_unique<OpenedDatabase>(std::move(*dir));
    const auto data = NewLayoutBytes(ui, path);
    if (!data)
        return nullptr;
    TakeRunFromFile(db->store, *data, productType);
    if (sdb::OpenSdbBinFile(db->store, db->session, ui, path) != 1)
        return nullptr;
    db->session.currentFile = path;
    return db;
}

}  // namespace velk::cli
