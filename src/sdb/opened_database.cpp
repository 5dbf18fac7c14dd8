#include "sdb/opened_database.h"

#include "common/files.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_reader.h"

#include <cstdlib>
#include <stdexcept>

namespace velk::sdb {
namespace {

namespace fs = std::filesystem;

// The run a file belongs to: its placement and the product type of its
// user-settings block (1 unless the block names 2 or 3), unless given.
void TakeRunFromFile(WorkingStore& store, ByteView data, int productTypeOption)
{
    if (data.size() >= kNewHeaderSize && data[15] <= 2)
        store.placement = static_cast<Placement>(data[15]);
    store.productType = 1;
    if (productTypeOption != 0) {
        store.productType = static_cast<std::uint8_t>(productTypeOption);
        return;
    }
    const auto parsed = ParseSdbImage(data, store.placement, 2);
    if (const auto* image = std::get_if<SdbImage>(&parsed); image && image->userBox) {
        const auto type = (*image->userBox)[193];
        if (type == 2 || type == 3)
            store.productType = type;
    }
}

}  // namespace

ScratchWorkDir::ScratchWorkDir()
{
    auto pattern = (fs::temp_directory_path() / "velk-sdb-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a working directory");
    path_ = pattern;
}

ScratchWorkDir::~ScratchWorkDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

// The file in the new layout (old files converted in memory), or nullopt after a message.
std::optional<Bytes> NewLayoutBytes(Ui& ui, const fs::path& path)
{
    const auto data = ReadFileBytes(path);
    if (!data) {
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    auto converted = ConvertOld2New(ui, *data, 1);
    if (converted.code != kConvertOk)
        return std::nullopt;
    return std::move(converted.data);
}

std::unique_ptr<OpenedDatabase> OpenDatabase(Ui& ui, const fs::path& path, int productType)
{
    auto db = std::make_unique<OpenedDatabase>();
    db->store.dir = db->dir.Path();
    const auto data = NewLayoutBytes(ui, path);
    if (!data)
        return nullptr;
    TakeRunFromFile(db->store, *data, productType);
    if (OpenSdbBinFile(db->store, db->session, ui, path) != 1)
        return nullptr;
    db->session.currentFile = path;
    return db;
}

}  // namespace velk::sdb
