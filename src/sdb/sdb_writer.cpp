#include "sdb/sdb_writer.h"

#include "common/files.h"
#include "database/record_io.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_old_layout.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace velk::sdb {
namespace {

// `count` records of one level: those the file holds, then nullopt. The file is
// read only when `needFile` (the store says it has records).
template <typename Record>
std::optional<std::vector<std::optional<Record>>> LoadLevel(const WorkingStore& store, std::uint32_t count, bool needFile)
{
    using F = RecordFile<Record>;
    std::vector<std::optional<Record>> records(count);
    if (!needFile)
        return records;
    const auto bytes = ReadFileBytes(store.File(F::kName));
    if (!bytes)
        return std::nullopt;
    const auto size = F::Size(store.placement);
    const auto present = std::min<std::size_t>(count, bytes->size() / size);
    for (std::size_t i = 0; i < present; ++i)
        records[i] = F::Decode(ByteView(*bytes).subspan(i * size, size), store.placement);
    return records;
}

// As LoadLevel, a record past the end of the file reading as zero bytes.
template <typename Record>
std::optional<std::vector<Record>> LoadZeroFilled(const WorkingStore& store, std::uint32_t count)
{
    using F = RecordFile<Record>;
    auto loaded = LoadLevel<Record>(store, count, count > 0);
    if (!loaded)
        return std::nullopt;
    const Bytes zeros(F::Size(store.placement), 0);
    std::vector<Record> out;
    out.reserve(count);
    for (auto& r : *loaded)
        out.push_back(r ? *r : F::Decode(zeros, store.placement));
    return out;
}

// The raised counts stay after the save; records past the end of the store files
// keep being written as padding records.
void RaiseToFullTables(WorkingStore& store)
{
    store.lnbCount = std::max(store.lnbCount, LnbLimit(store.productType));
    if (store.productType == 2)
        store.satelliteCount = std::max<std::uint32_t>(store.satelliteCount, 64);
}

std::uint32_t TotalRecords(const WorkingStore& s) { return s.lnbCount + s.satelliteCount + s.carrierCount + s.serviceCount; }

}  // namespace

std::optional<SdbContent> ContentFromStore(const WorkingStore& store, const SdbSession& session)
{
    SdbContent c;
    c.placement = store.placement;
    c.productType = store.productType;
    // A count raised by padding over an empty level finds no file: all padding.
    const bool lnbFile = std::filesystem::exists(store.File(store_file::kLnb));
    const bool satFile = std::filesystem::exists(store.File(store_file::kSatellite));
    auto lnbs = LoadLevel<LnbRecord>(store, store.lnbCount, store.lnbCount > 0 && lnbFile);
    auto sats = LoadLevel<SatelliteRecord>(store, store.satelliteCount, store.satelliteCount > 0 && satFile);
    auto carriers = LoadZeroFilled<CarrierRecord>(store, store.carrierCount);
    auto services = LoadZeroFilled<ServiceRecord>(store, store.serviceCount);
    if (!lnbs || !sats || !carriers || !services)
        return std::nullopt;
    std::vector<std::uint16_t> osl;
    if (store.serviceCount > 0) {
        const auto bytes = ReadFileRange(store.File(store_file::kServiceOrder), 0, std::size_t{store.serviceCount} * 2);
        if (!bytes)
            return std::nullopt;
        osl.resize(store.serviceCount);
        for (std::size_t i = 0; i < osl.size(); ++i)
            osl[i] = LoadLe16(*bytes, 2 * i);
    }
    c.lnbs = std::move(*lnbs);
    c.satellites = std::move(*sats);
    c.carriers = std::move(*carriers);
    c.services = std::move(*services);
    c.osl = std::move(osl);
    c.userBox = session.userSettings.For(store.productType);
    // Satellite record 1 as the file holds it (zeros when there is none).
    c.carrierLnbByte = !c.satellites.empty() && c.satellites[0] ? c.satellites[0]->lnbIndex : 0;
    return c;
}

int WriteSdbContent(const WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                    const SdbContent& content, bool keepNewLayout)
{
    const auto image = EncodeNewLayout(content, HeaderForSave(session));
    session.lastFileSize = image.size();
    if (keepNewLayout || store.placement != Placement::Lnb) {
        if (WriteFileAtomic(target, image))
            return 1;
        ShowError(ui, kFileAccessError);
        return 0;
    }
    const auto old = OldLayoutOfImage(image, store.productType);
    if (!old) {
        ShowError(ui, kConvertNew2OldError);
        return 0;
    }
    if (!WriteFileAtomic(target, *old)) {
        ShowError(ui, kFileAccessError);
        return 0;
    }
    return 1;
}

int WriteSdbBinFile(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                    bool keepNewLayout, bool padToFullTables)
{
    const char* title = session.sizeInformation ? kSizingTitle : kSavingTitle;
    session.sizeInformation = false;
    if (padToFullTables)
        RaiseToFullTables(store);
    ui.ProgressBegin(title, TotalRecords(store));
    auto content = ContentFromStore(store, session);
    if (!content) {
        ui.ProgressEnd();
        ShowError(ui, kFileAccessError);
        return 0;
    }
    ui.ProgressSet(TotalRecords(store));
    ui.ProgressEnd();
    return WriteSdbContent(store, session, ui, target, *content, keepNewLayout);
}

int WriteSdbSelection(const WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target,
                      std::span<const std::uint32_t> selected)
{
    auto all = ContentFromStore(store, session);
    if (!all) {
        ShowError(ui, kFileAccessError);
        return 0;
    }
    const std::unordered_set<std::uint32_t> chosen(selected.begin(), selected.end());
    SdbContent c = *all;
    c.satellites.clear();
    c.carriers.clear();
    c.services.clear();
    c.osl.clear();

    std::unordered_map<std::uint32_t, std::uint8_t> newSatellite;
    for (std::uint32_t i = 0; i < all->satellites.size(); ++i)
        if (chosen.contains(i)) {
            newSatellite[i] = static_cast<std::uint8_t>(c.satellites.size());
            c.satellites.push_back(all->satellites[i]);
        }
    // Services are grouped by carrier in record order: walk the runs alongside.
    std::size_t firstService = 0;
    for (const auto& carrier : all->carriers) {
        const auto run = std::min<std::size_t>(carrier.serviceCount, all->services.size() - std::min(firstService, all->services.size()));
        if (const auto it = newSatellite.find(carrier.satelliteIndex); it != newSatellite.end()) {
            auto written = carrier;
            written.satelliteIndex = it->second;
            c.carriers.push_back(written);
            for (std::size_t i = 0; i < run; ++i)
                c.services.push_back(all->services[firstService + i]);
        }
        firstService += carrier.serviceCount;
    }
    for (std::size_t i = 0; i < c.services.size(); ++i)
        c.osl.push_back(static_cast<std::uint16_t>(i));
    return WriteSdbContent(store, session, ui, target, c, false);
}

}  // namespace velk::sdb
