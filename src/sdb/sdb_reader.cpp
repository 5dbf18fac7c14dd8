#include "sdb/sdb_reader.h"

#include "common/files.h"
#include "common/format.h"
#include "database/record_io.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_diagnostic.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_merge.h"
#include "sdb/sdb_new_records.h"
#include "sdb/sdb_section_walker.h"

#include <algorithm>

namespace velk::sdb {
namespace {

using Failure = std::string;

template <typename Record, typename Read>
std::optional<std::vector<Record>> ReadSection(SectionWalker& walker, std::size_t recordSize, Read read)
{
    const auto s = walker.Next();
    if (!s || !CheckRecordSize(*s, recordSize))
        return std::nullopt;
    std::vector<Record> records;
    records.reserve(s->header.count);
    for (std::size_t i = 0; i < s->header.count; ++i)
        records.push_back(read(s->Record(i)));
    return records;
}

bool Consistent(const SdbImage& image)
{
    std::size_t services = 0;
    std::vector<std::size_t> carriersOf(image.satellites.size());
    for (const auto& c : image.carriers) {
        if (c.satelliteIndex >= image.satellites.size()) {
            Diagnose(__LINE__, "%s %d> Carrier of satellite [%d] beyond the %zu satellites", int{c.satelliteIndex}, image.satellites.size());
            return false;
        }
        ++carriersOf[c.satelliteIndex];
        services += c.serviceCount;
    }
    // The editor finds a satellite's carriers through these counts.
    for (std::size_t s = 0; s < carriersOf.size(); ++s)
        if (carriersOf[s] != image.satellites[s].carrierCount) {
            Diagnose(__LINE__, "%s %d> Satellite [%zu] counts %d carriers, %zu point to it", s,
                     int{image.satellites[s].carrierCount}, carriersOf[s]);
            return false;
        }
    if (services != image.services.size()) {
        Diagnose(__LINE__, "%s %d> Carriers hold %zu services, the file %zu", services, image.services.size());
        return false;
    }
    if (image.osl.size() != image.services.size()) {
        Diagnose(__LINE__, "%s %d> Channel order of %zu entries for %zu services", image.osl.size(), image.services.size());
        return false;
    }
    for (const auto entry : image.osl)
        if (entry >= image.services.size()) {
            Diagnose(__LINE__, "%s %d> Channel order entry [%d] beyond the services", int{entry});
            return false;
        }
    return true;
}

std::string InitialText(ByteView header)
{
    std::string text;
    for (std::size_t i = 0; i < kUserInitialSize && header[new_header::kUserInitialAt + i] != 0; ++i)
        text.push_back(static_cast<char>(header[new_header::kUserInitialAt + i]));
    return text;
}

std::vector<std::uint16_t> CarrierOrder(const SdbImage& image)
{
    std::vector<std::uint16_t> order;
    order.reserve(image.carriers.size());
    for (std::size_t s = 0; s < image.satellites.size(); ++s)
        for (std::size_t c = 0; c < image.carriers.size(); ++c)
            if (image.carriers[c].satelliteIndex == s)
                order.push_back(static_cast<std::uint16_t>(c));
    return order;
}

template <typename Record>
bool WriteLevel(const WorkingStore& store, const std::vector<Record>& records)
{
    if (!records.empty())
        return WriteAllRecords<Record>(store, records);
    return RemoveFileIfExists(store.File(RecordFile<Record>::kName));
}

// Reads the file (converting it when asked) into a new-layout image in memory.
std::optional<Bytes> LoadFileBytes(Ui& ui, const std::filesystem::path& path, std::uint8_t productType, bool convert)
{
    const auto data = ReadFileBytes(path);
    if (!convert) {
        if (!data)
            ShowError(ui, kFileAccessError);
        return data;
    }
    if (!data) {
        // The converter only reports this on stderr; the user is told too.
        Diagnose(__LINE__, "%s %d> Could not open Files [%s] [%s]", path.c_str(), kConvertedName);
        ShowError(ui, kFileAccessError);
        return std::nullopt;
    }
    auto converted = ConvertOld2New(ui, *data, productType);
    if (converted.code != kConvertOk)
        return std::nullopt;
    return std::move(converted.data);
}

// Merge mode: the current file (File 1) and the opened file (File 2) into the
// current file. Both are taken in the new layout, since saved files are old.
bool MergeIntoCurrent(const WorkingStore& store, const SdbSession& session, Ui& ui, ByteView opened)
{
    const auto current = LoadFileBytes(ui, session.currentFile, store.productType, true);
    if (!current)
        return false;
    const auto file1 = store.File("cursdbfile.nsf");
    const auto file2 = store.File(kConvertedName);
    const auto output = store.File(kMergeOutputName);
    const bool staged = WriteFileAtomic(file1, *current) && WriteFileAtomic(file2, opened);
    const int code = staged ? MergeSdbFiles(ui, {file1, file2, output, store.placement}) : kMergeOutputNotCreated;
    bool ok = code == kMergeDone;
    if (!ok)
        ShowInfo(ui, MergeResultMessage(code, file1, file2, output));
    else if (!CopyFileAtomic(output, session.currentFile)) {
        ShowError(ui, kFileAccessError);
        ok = false;
    }
    RemoveFileIfExists(file1);
    RemoveFileIfExists(file2);
    RemoveFileIfExists(output);
    return ok;
}

}  // namespace

std::string LnbLimitMessage(std::uint8_t productType)
{
    return Format("LNB records exceeds the limit %d", static_cast<int>(LnbLimit(productType)));
}

std::variant<SdbImage, std::string> ParseSdbImage(ByteView data, Placement placement, std::uint8_t productType)
{
    using namespace new_header;
    if (data.size() < kNewHeaderSize || data[kMagicAt] != 'e' || data[kMagicAt + 1] != 'E' || (data[kFlagsAt] & 1) != 0)
        return Failure(kMagicMismatch);
    if (data[kFormatAt] != kFormat)
        return Failure(kMajorVersionInvalid);
    if (data[kPlacementAt] != static_cast<std::uint8_t>(placement))
        return Failure(kPlacementMismatch);
    SdbImage image;
    image.sdbMajor = data[kSdbMajorAt];
    image.sdbMinor = data[kSdbMinorAt];
    image.userInitial = InitialText(data);

    SectionWalker walker(data, kNewHeaderSize);
    auto lnbs = ReadSection<LnbRecord>(walker, NewLnbSize(placement), [&](ByteView r) { return LoadNewLnb(r, placement); });
    if (lnbs && lnbs->size() > LnbLimit(productType))
        return LnbLimitMessage(productType);
    auto sats = lnbs ? ReadSection<SatelliteRecord>(walker, NewSatelliteSize(placement), [&](ByteView r) { return LoadNewSatellite(r, placement); }) : std::nullopt;
    auto carriers = sats ? ReadSection<CarrierRecord>(walker, NewCarrierSize(placement), [&](ByteView r) { return LoadNewCarrier(r, placement); }) : std::nullopt;
    auto services = carriers ? ReadSection<ServiceRecord>(walker, kServiceSize, LoadNewService) : std::nullopt;
    auto osl = services ? ReadSection<std::uint16_t>(walker, kOslEntrySize, [](ByteView r) { return LoadLe16(r, 0); }) : std::nullopt;
    if (!osl)
        return Failure(kFileAccessError);
    image.lnbs = std::move(*lnbs);
    image.satellites = std::move(*sats);
    image.carriers = std::move(*carriers);
    image.services = std::move(*services);
    image.osl = std::move(*osl);
    if (!Consistent(image))
        return Failure(kFileAccessError);
    // A merged file has no "UserBox" section: the current settings stay.
    if (walker.Position() < data.size()) {
        const auto box = walker.Next();
        if (!box)
            return Failure(kFileAccessError);
        if (box->header.count != 0) {
            if (!CheckRecordSize(*box, kUserBoxSize))
                return Failure(kFileAccessError);
            image.userBox.emplace();
            std::copy_n(box->records.begin(), kUserBoxSize, image.userBox->begin());
        }
    }
    return image;
}

bool LoadImageIntoStore(WorkingStore& store, SdbSession& session, Ui& ui, const SdbImage& image)
{
    ui.ProgressBegin(kOpeningTitle, 100);
    const bool ok = WriteLevel(store, image.lnbs) && (ui.ProgressSet(16), WriteLevel(store, image.satellites))
        && (ui.ProgressSet(32), WriteLevel(store, image.carriers))
        && WriteOrderList(store, store_file::kCarrierOrder, CarrierOrder(image))
        && (ui.ProgressSet(64), WriteLevel(store, image.services))
        && WriteOrderList(store, store_file::kServiceOrder, image.osl);
    if (ok) {
        store.lnbCount = static_cast<std::uint32_t>(image.lnbs.size());
        store.satelliteCount = static_cast<std::uint32_t>(image.satellites.size());
        store.carrierCount = static_cast<std::uint32_t>(image.carriers.size());
        store.serviceCount = static_cast<std::uint32_t>(image.services.size());
        session.sdbMajor = image.sdbMajor;
        session.sdbMinor = image.sdbMinor;
        session.userInitial = image.userInitial;
        if (image.userBox)
            session.userSettings.For(store.productType) = *image.userBox;
        ui.ProgressSet(100);
    }
    ui.ProgressEnd();
    if (!ok)
        ShowError(ui, kFileAccessError);
    return ok;
}

int OpenSdbBinFile(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& path,
                   const OpenSdbOptions& options)
{
    if (path.empty()) {
        ShowError(ui, kInvalidFileToOpen);
        return 0;
    }
    auto data = LoadFileBytes(ui, path, store.productType, options.convertFirst);
    if (!data)
        return 0;
    auto fileRead = path;
    if (options.mode == OpenMode::Merge) {
        if (!MergeIntoCurrent(store, session, ui, *data))
            return 0;
        fileRead = session.currentFile;
        data = ReadFileBytes(fileRead);
        if (!data) {
            ShowError(ui, kFileAccessError);
            return 0;
        }
    }
    auto parsed = ParseSdbImage(*data, store.placement, store.productType);
    if (const auto* message = std::get_if<std::string>(&parsed)) {
        ShowError(ui, *message);
        return 0;
    }
    if (!LoadImageIntoStore(store, session, ui, std::get<SdbImage>(parsed)))
        return 0;
    if (options.deleteFileRead && options.mode == OpenMode::Open)
        RemoveFileIfExists(fileRead);
    return 1;
}

}  // namespace velk::sdb
