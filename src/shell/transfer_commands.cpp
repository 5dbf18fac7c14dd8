#include "shell/transfer_commands.h"

#include "common/files.h"
#include "common/format.h"
#include "database/store_queries.h"
#include "image/image_urt_commands.h"
#include "image/resource_image.h"
#include "image/urt_file.h"
#include "link/adb_layout.h"
#include "link/adb_parsing.h"
#include "link/adb_upload_files.h"
#include "link/download_machine.h"
#include "link/serial_port.h"
#include "link/transfer_run.h"
#include "link/upload_image.h"
#include "link/upload_machine.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_save_layout.h"
#include "sdb/sdb_writer.h"

#include <thread>

namespace velk {
namespace {

constexpr std::uint64_t kSdbUploadLimit = 65440;
constexpr const char* kUploadTitle = "Transfer Data ( PC to STB )";
constexpr const char* kDownloadTitle = "Data from STB ( STB to PC )";

void Status(const LinkContext& ctx, const std::string& text)
{
    if (ctx.status)
        ctx.status(text);
}

// Progress and reports of an upload, for the dialog and the console log.
class UploadProgress final : public link::UploadEvents {
public:
    UploadProgress(Ui& ui, LinkContext& ctx) : ui_(ui), ctx_(ctx) {}
    void Status(const std::string& text) override { velk::Status(ctx_, text); }
    void PacketCount(std::uint32_t count) override { ui_.ProgressBegin(kUploadTitle, count); }
    void PacketsSent(std::uint32_t sent) override { ui_.ProgressSet(sent); }
    void Report(int code) override
    {
        if (ctx_.log)
            ctx_.log->AppendUploadReport(code);
    }

private:
    Ui& ui_;
    LinkContext& ctx_;
};

// Blocks 1 and 4 become the dump files; every block's CRC is checked.
class DownloadProgress final : public link::DownloadEvents {
public:
    DownloadProgress(const WorkingStore& store, Ui& ui, LinkContext& ctx) : store_(store), ui_(ui), ctx_(ctx) {}
    void Title(const std::string& text) override
    {
        if (ctx_.title)
            ctx_.title(text);
    }
    void Status(const std::string& text) override { velk::Status(ctx_, text); }
    void Text(const std::string& text) override { velk::Status(ctx_, text); }
    void Progress(std::uint32_t percent) override { ui_.ProgressSet(percent); }
    void BlockReceived(std::size_t index, ByteView data, bool crcMatches) override
    {
        const std::string_view name = index == 0 ? link::adb::kAdbDump : link::adb::kE2pDump;
        if (index != 0 && index != link::kDownloadBlocks - 1)
            return;
        if (!WriteFileAtomic(store_.File(name), data))
            ShowError(ui_, "File Access Error");
        velk::Status(ctx_, crcMatches ? "CRC Verification - Success" : "CRC Verification - failed \n Retry once again");
    }

private:
    const WorkingStore& store_;
    Ui& ui_;
    LinkContext& ctx_;
};

link::LineSettings UploadLine(LinkContext& ctx)
{
    const auto line = link::LineSettingsFromPort(ctx.config.port);
    ctx.lastParity = line.parity;
    return line;
}

// Checks 1 to 3 shared by both uploads (the carrier check only for SDB).
bool CheckCounts(const WorkingStore& store, Ui& ui, bool needCarrier)
{
    if (store.lnbCount == 0) {
        ShowError(ui, "LNB Information should be entered");
        return false;
    }
    if (store.lnbCount > LnbLimit(store.productType)) {
        ShowError(ui, sdb::LnbLimitMessage(store.productType));
        return false;
    }
    if (store.satelliteCount == 0) {
        ShowError(ui, "Satellite Information should be entered");
        return false;
    }
    if (needCarrier && store.carrierCount == 0) {
        ShowError(ui, "Carrier Information should be entered");
        return false;
    }
    return true;
}

bool HasFactoryDefaultSatellite(const WorkingStore& store)
{
    for (std::uint32_t i = 0; i < store.satelliteCount; ++i)
        if (IsSatelliteFactoryDefault(store, i))
            return true;
    return false;
}

// Opens and closes the port to see that it is free.
bool PortIsFree(LinkContext& ctx, Ui& ui)
{
    auto port = link::OpenCommPort(ctx.config.port.port, UploadLine(ctx), ui);
    if (!port)
        return false;
    if (link::CloseCommPort(std::move(port)) != 1) {
        ShowError(ui, "Port Close API failed - Upload as SDB");
        return false;
    }
    return true;
}

// Steps 7 to 10: the SDB image, merged, compressed and wrapped as "TempURTFile.eut".
bool PrepareSdbUrt(WorkingStore& store, sdb::SdbSession& session, Ui& ui, const LinkContext& ctx)
{
    auto image = store.File("StaticBIN.bin");
    // The receiver reads the old layout; the padding becomes the store's own records.
    if (sdb::WritePaddedSdbFile(store, session, ui, image, sdb::SdbLayout::Old) != 1) {
        ShowError(ui, "Error No: -11 \n Save as BIN File");
        return false;
    }
    if (ctx.config.mergeResource) {
        const auto merged = store.File("UploadBIN.bin");
        if (MergeResourceImage(store.File(link::kResourceImageName), image, merged) != kMergeDone) {
            ShowError(ui, "Error No: -11 \n Resource & Static BIN Merging");
            return false;
        }
        image = merged;
    }
    if (ctx.config.compressImage && AskYesNo(ui, "Do you want to compress the image")) {
        const auto compressed = store.File(link::kCompressedImageName);
        if (link::CompressUploadImage(ui, ctx.config, image, compressed) != 1)
            return false;
        image = compressed;
    }
    if (ctx.urtGenerationOff)
        return true;
    const auto settings = SetUrtSettings({});
    if (GenerateUrtFile(*settings, image, store.File(link::kUploadUrtName), Bin2UrtDefaultParams()) != kUrtOk) {
        ShowError(ui, "URT File generation process failed");
        return false;
    }
    return true;
}

}  // namespace

std::uint64_t SdbUploadSize(const WorkingStore& store)
{
    return 28ull * (store.satelliteCount + 11) + 12ull * (store.lnbCount + 3ull * store.carrierCount) + 34ull * store.serviceCount;
}

bool PrepareSdbUpload(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx)
{
    if (!CheckCounts(store, ui, true))
        return false;
    if (!HasFactoryDefaultSatellite(store)) {
        ShowError(ui, "Minimum one satellite should be factory default to upload as sdb");
        return false;
    }
    if (!PortIsFree(ctx, ui))
        return false;
    const auto size = SdbUploadSize(store);
    if (size > kSdbUploadLimit) {
        ShowError(ui, Format("Upload as SDB process failed.\nFile size exceeds the limit 65440 Bytes [ %d Bytes ]", static_cast<int>(size)));
        return false;
    }
    return PrepareSdbUrt(store, session, ui, ctx);
}

std::vector<std::filesystem::path> SdbUploadFiles(const WorkingStore& store) { return {store.File(link::kUploadUrtName)}; }

std::optional<std::vector<std::filesystem::path>> PrepareAdbUpload(WorkingStore& store, sdb::SdbSession& session, Ui& ui,
                                                                   LinkContext& ctx)
{
    if (!CheckCounts(store, ui, false))
        return std::nullopt;
    const UrtImageParams base = ctx.config.imageRecord ? link::ImageParamsFromRecord(*ctx.config.imageRecord) : UrtImageParams{};
    std::vector<std::filesystem::path> files;
    if (link::CreateADBBINFilesToUpload(store, ui, ctx.receiver, session.userSettings.For(store.productType), base, files) != 1)
        return std::nullopt;
    return files;
}

int SendUploadFiles(link::UploadKind kind, const std::vector<std::filesystem::path>& files, Ui& ui, LinkContext& ctx)
{
    // An unreadable file is reported before the port is touched.
    auto images = link::ReadUploadFiles(ui, files);
    if (!images)
        return 0;
    UploadProgress progress(ui, ctx);
    link::UploadMachine machine(kind, std::move(*images), progress);
    Status(ctx, "Wait...");
    const auto end = link::RunTransfer(ctx.config.port.port, UploadLine(ctx), ui, machine);
    ui.ProgressEnd();
    if (end != link::TransferEnd::Finished || machine.Outcome() != link::UploadOutcome::Completed)
        return 0;
    for (const auto& file : files)
        RemoveFileIfExists(file);
    return 1;
}

int ReceiveDumps(const WorkingStore& store, Ui& ui, LinkContext& ctx)
{
    DownloadProgress progress(store, ui, ctx);
    link::DownloadMachine machine(progress);
    ui.ProgressBegin(kDownloadTitle, 100);
    const auto end = link::RunTransfer(ctx.config.port.port, link::DownloadLineSettings(ctx.lastParity), ui, machine);
    ui.ProgressEnd();
    return end == link::TransferEnd::Finished && machine.Outcome() == link::DownloadOutcome::Completed ? 1 : 0;
}

int ParseReceivedDumps(const WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx)
{
    return link::ADBParsing(store, ui, ctx.receiver, session);
}

int OpenReceivedDatabase(WorkingStore& store, sdb::SdbSession& session, Ui& ui)
{
    sdb::OpenSdbOptions options;
    options.deleteFileRead = false;
    if (sdb::OpenSdbBinFile(store, session, ui, store.File(link::adb::kDumpSdb), options) != 1) {
        ShowError(ui, "Opening SDB File \n Close the Application and Retry !!!");
        return 0;
    }
    // The received database has no file of its own yet: WorkDir goes at exit.
    session.currentFile.clear();
    return 1;
}

int UploadAsSdb(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx)
{
    if (!PrepareSdbUpload(store, session, ui, ctx))
        return 0;
    std::this_thread::sleep_for(kSdbSettle);
    return SendUploadFiles(link::UploadKind::Sdb, SdbUploadFiles(store), ui, ctx);
}

int UploadAsAdb(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx)
{
    const auto files = PrepareAdbUpload(store, session, ui, ctx);
    return files ? SendUploadFiles(link::UploadKind::Adb, *files, ui, ctx) : 0;
}

int DownloadFromReceiver(WorkingStore& store, sdb::SdbSession& session, Ui& ui, LinkContext& ctx)
{
    if (ReceiveDumps(store, ui, ctx) != 1 || ParseReceivedDumps(store, session, ui, ctx) != 1)
        return 0;
    return OpenReceivedDatabase(store, session, ui);
}

}  // namespace velk
