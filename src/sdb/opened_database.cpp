#include "sdb/opened_database.h"

#include "common/files.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_reader.h"

namespace velk::sdb {

namespace fs = std::filesystem;

FileRun RunOfImage(ByteView newLayout)
{
    FileRun run;
    if (newLayout.size() >= kNewHeaderSize && newLayout[15] <= 2)
        run.placement = static_cast<Placement>(newLayout[15]);
    // Read as product type 2, whose LNB limit is the larger one.
    const auto parsed = ParseSdbImage(newLayout, run.placement, 2);
    if (const auto* image = std::get_if<SdbImage>(&parsed); image && image->userBox) {
        const auto type = (*image->userBox)[193];
        if (type == 2 || type == 3)
            run.productType = type;
    }
    return run;
}

std::optional<Bytes> NewLayoutBytes(Ui& ui, const fs::path& path)
{
    const auto data = ReadFile(path);
    if (!data) {
        ShowError(ui, MessageWithCause(kFileAccessError, data.error()));
        return std::nullopt;
    }
    auto converted = ConvertOld2New(ui, *data, 1);
    if (converted.code != kConvertOk)
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
    const auto run = RunOfImage(*data);
    db->store.placement = run.placement;
    db->store.productType = productType != 0 ? static_cast<std::uint8_t>(productType) : run.productType;
    if (OpenSdbBinFile(db->store, db->session, ui, path) != 1)
        return nullptr;
    db->session.currentFile = path;
    return db;
}

}  // namespace velk::sdb
