// velk send, upload-sdb, upload-adb, adb and download: the receiver link.
#include "command_files.h"
#include "commands.h"
#include "console_ui.h"
#include "stop_signals.h"

#include "common/files.h"
#include "common/scratch_dir.h"
#include "image/compress_image.h"
#include "image/urt_file.h"
#include "link/adb_layout.h"
#include "link/adb_upload_files.h"
#include "link/transfer_run.h"
#include "link/upload_errors.h"
#include "link/upload_machine.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"
#include "shell/transfer_commands.h"

#include <chrono>
#include <cstdio>
#include <optional>

namespace velk::cli {
namespace {

namespace fs = std::filesystem;

// A working store of its own for one command, in a scratch folder.
struct ScratchStore {
    explicit ScratchStore(std::uint8_t productType) : dir(ScratchDir::Create("velk-link"))
    {
        if (dir)
            store.dir = dir->Path();
        store.productType = productType;
    }
    bool Ok() const { return static_cast<bool>(dir); }
    // Opens an SDB BIN file of either layout into the store.
    bool Open(Ui& ui, const fs::path& file) { return Ok() && sdb::OpenSdbBinFile(store, session, ui, file) == 1; }

    Expected<ScratchDir> dir;
    WorkingStore store;
    sdb::SdbSession session;
};

struct LinkOptions {
    std::string port;
    int productType = 1;
    std::string config;
    std::string entry;  // "G,E"
    unsigned timeout = 0;  // seconds without progress; 0 waits for ever
};

// A console for a transfer: it says it is waiting for the receiver, and gives
// up after --timeout seconds without progress.
void WatchReceiver(ConsoleUi& ui, const LinkOptions& o)
{
    ui.WatchReceiver(o.timeout ? std::optional(std::chrono::seconds(o.timeout)) : std::nullopt);
}

bool TransferGivenUp(const ConsoleUi& ui) { return StopRequested() || ui.TimedOut(); }

// After a transfer that did not complete: the outcome the receiver's operator expects.
void ReportUnfinishedTransfer(const ConsoleUi& ui, const LinkOptions& o)
{
    if (StopRequested()) {
        std::fputs(link::UploadErrorText(link::kUploadTerminated).c_str(), stderr);
        NoteStopAnnounced();
    } else if (ui.TimedOut()) {
        std::fprintf(stderr, "\nerror: the receiver did not answer for %u s; given up\n", o.timeout);
    }
    Fail();
}

// "--config FILE.ecf --entry G,E": the entry's image values for the URT headers.
bool ApplyConfiguration(Ui& ui, const LinkOptions& o, LinkContext& ctx, const fs::path& workDir)
{
    if (o.config.empty())
        return true;
    ctx.config.configurationFile = o.config;
    unsigned group = 0, entry = 0;
    if (!o.entry.empty() && std::sscanf(o.entry.c_str(), "%u,%u", &group, &entry) != 2) {
        ShowError(ui, "--entry takes GROUP,ENTRY");
        return false;
    }
    return link::ReadUploadSettingsFromCfgFile(ui, ctx.config, workDir, group, entry) == 1;
}

void AddCommonOptions(CLI::App* sub, LinkOptions& o, bool withPort)
{
    if (withPort) {
        sub->add_option("--port", o.port, "Serial device (COM1..COM4 or a path)")->required();
        sub->add_option("--timeout", o.timeout, "Give up after SECONDS without progress from the receiver (default: wait)");
    }
    sub->add_option("--product-type", o.productType, "Product type 1, 2 or 3")->check(CLI::Range(1, 3));
}

void AddSend(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto file = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("send", "Send a URT file (a BIN file is converted first) as the upload console does");
    AddCommonOptions(sub, *o, true);
    sub->add_option("--config", o->config, "Configuration file (*.ECF) for a BIN file's image values");
    sub->add_option("--entry", o->entry, "Configuration entry GROUP,ENTRY");
    sub->add_option("FILE", *file, "URT or BIN file")->required()->check(CLI::ExistingFile);
    sub->callback([o, file] {
        ConsoleUi ui(true);
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        fs::path urt = *file;
        if (fs::path(*file).extension() == ".bin" || fs::path(*file).extension() == ".BIN") {
            if (!scratch.Ok() || !ApplyConfiguration(ui, *o, ctx, scratch.store.dir))
                return Fail();
            const auto params = ctx.config.imageRecord ? link::ImageParamsFromRecord(*ctx.config.imageRecord) : UrtImageParams{};
            urt = scratch.store.File("TempURTFile.eut");
            if (GenerateUrtFile(*SetUrtSettings({}), *file, urt, params) != kUrtOk) {
                ShowError(ui, "URT File generation process failed");
                return Fail();
            }
        }
        struct Events : link::UploadEvents {
            explicit Events(Ui& u) : ui(u) {}
            void PacketCount(std::uint32_t n) override { ui.ProgressBegin("Upload", n); }
            void PacketsSent(std::uint32_t n) override { ui.ProgressSet(n); }
            void Report(int code) override { std::fputs(link::UploadErrorText(code).c_str(), stderr); }
            Ui& ui;
        } events(ui);
        link::UploadMachine machine(link::UploadKind::Console, {urt}, events);
        WatchReceiver(ui, *o);
        const auto end = link::RunTransfer(o->port, link::LineSettingsFromPort(PortSettings{o->port}), ui, machine);
        ui.ProgressEnd();
        if (machine.Outcome() == link::UploadOutcome::FileNotOpened)
            ShowError(ui, "File access error - UploadURTPacketThread");
        if (end == link::TransferEnd::Cancelled)
            ReportUnfinishedTransfer(ui, *o);
        else if (machine.Outcome() != link::UploadOutcome::Completed)
            Fail();
    });
}

// "zlib[:LEVEL]" or "bin2cod".
bool ApplyCompression(Ui& ui, const std::string& choice, LinkContext& ctx)
{
    if (choice.empty())
        return true;
    ctx.config.compressImage = true;
    if (choice == "bin2cod") {
        ctx.config.compressionType = 1;
        return true;
    }
    int level = 6;
    if (choice != "zlib" && (std::sscanf(choice.c_str(), "zlib:%d", &level) != 1 || level < 1 || level > 9)) {
        ShowError(ui, "--compress takes zlib[:LEVEL] (1..9) or bin2cod");
        return false;
    }
    ctx.config.compressionType = 0;
    ctx.config.compressionLevel = static_cast<std::uint8_t>(level - 1);
    return true;
}

void AddUploadSdb(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto db = std::make_shared<std::string>();
    auto resource = std::make_shared<std::string>();
    auto compress = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("upload-sdb", "Upload a database to the receiver as a static database image");
    AddCommonOptions(sub, *o, true);
    sub->add_option("DB", *db, "SDB BIN file")->required()->check(CLI::ExistingFile);
    sub->add_option("--resource", *resource, "Resource image to merge the database into")->check(CLI::ExistingFile);
    sub->add_option("--compress", *compress, "zlib[:LEVEL] or bin2cod");
    sub->callback([o, db, resource, compress] {
        ConsoleUi ui(true);
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        ctx.config.port.port = o->port;
        ctx.status = [](const std::string& s) { std::fprintf(stderr, "%s\n", s.c_str()); };
        if (!scratch.Open(ui, *db) || !ApplyCompression(ui, *compress, ctx))
            return Fail();
        if (!resource->empty()) {
            ctx.config.mergeResource = true;
            if (!CopyFileAtomic(*resource, scratch.store.File(link::kResourceImageName)))
                return Fail();
        }
        WatchReceiver(ui, *o);
        if (UploadAsSdb(scratch.store, scratch.session, ui, ctx) != 1)
            TransferGivenUp(ui) ? ReportUnfinishedTransfer(ui, *o) : Fail();
    });
}

void AddUploadAdb(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto db = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("upload-adb", "Upload a database to the receiver as ADB and E2P images");
    AddCommonOptions(sub, *o, true);
    sub->add_option("DB", *db, "SDB BIN file")->required()->check(CLI::ExistingFile);
    sub->add_option("--config", o->config, "Configuration file (*.ECF)")->check(CLI::ExistingFile);
    sub->add_option("--entry", o->entry, "Configuration entry GROUP,ENTRY");
    sub->callback([o, db] {
        ConsoleUi ui(true);
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        ctx.config.port.port = o->port;
        ctx.status = [](const std::string& s) { std::fprintf(stderr, "%s\n", s.c_str()); };
        if (!scratch.Open(ui, *db) || !ApplyConfiguration(ui, *o, ctx, scratch.store.dir))
            return Fail();
        WatchReceiver(ui, *o);
        if (UploadAsAdb(scratch.store, scratch.session, ui, ctx) != 1)
            TransferGivenUp(ui) ? ReportUnfinishedTransfer(ui, *o) : Fail();
    });
}

void AddAdb(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto db = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("adb", "Build the ADB and E2P images and their URT files without sending them");
    AddCommonOptions(sub, *o, false);
    sub->add_option("DB", *db, "SDB BIN file")->required()->check(CLI::ExistingFile);
    sub->add_option("OUTDIR", *out, "Directory for the images (existing images there are updated)")->required()->check(CLI::ExistingDirectory);
    sub->callback([o, db, out] {
        ConsoleUi ui;
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        if (!scratch.Open(ui, *db))
            return Fail();
        const std::array<std::string_view, 4> names{link::adb::kAdbDump, link::adb::kE2pDump, link::adb::kAdbUrt, link::adb::kHovoUrt};
        for (const auto name : {link::adb::kAdbDump, link::adb::kE2pDump})
            if (fs::exists(fs::path(*out) / name))
                CopyFileAtomic(fs::path(*out) / name, scratch.store.File(name));
        auto records = link::ReceiverRecords::Initial();
        std::vector<fs::path> files;
        if (link::CreateADBBINFilesToUpload(scratch.store, ui, records, scratch.session.userSettings.For(scratch.store.productType),
                                            {}, files) != 1)
            return Fail();
        for (const auto name : names)
            if (!CopyFileAtomic(scratch.store.File(name), fs::path(*out) / name)) {
                ShowError(ui, "File access error");
                return Fail();
            }
    });
}

void AddDownload(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto out = std::make_shared<std::string>();
    auto dumps = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("download", "Download the receiver's database and save it as an SDB BIN file");
    AddCommonOptions(sub, *o, true);
    sub->add_option("OUT", *out, "SDB BIN file to write")->required();
    sub->add_option("--dumps", *dumps, "Directory to keep the dump files in")->check(CLI::ExistingDirectory);
    sub->callback([o, out, dumps] {
        ConsoleUi ui(true);
        if (!CheckCommandFiles(ui, {}, *out))
            return;
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        ctx.config.port.port = o->port;
        ctx.status = [](const std::string& s) { std::fprintf(stderr, "\n%s\n", s.c_str()); };
        WatchReceiver(ui, *o);
        const int ok = scratch.Ok() ? DownloadFromReceiver(scratch.store, scratch.session, ui, ctx) : 0;
        if (ok != 1 && TransferGivenUp(ui))
            return ReportUnfinishedTransfer(ui, *o);
        if (!dumps->empty())
            for (const auto name : {link::adb::kAdbDump, link::adb::kE2pDump, link::adb::kDumpSdb})
                if (fs::exists(scratch.store.File(name)))
                    CopyFileAtomic(scratch.store.File(name), fs::path(*dumps) / name);
        if (ok != 1 || sdb::WriteSdbBinFile(scratch.store, scratch.session, ui, *out, false, false) != 1)
            Fail();
    });
}

}  // namespace

void AddLinkCommands(CLI::App& app)
{
    AddSend(app);
    AddUploadSdb(app);
    AddUploadAdb(app);
    AddAdb(app);
    AddDownload(app);
}

}  // namespace velk::cli
