// velk send, upload-sdb, upload-adb, adb and download: the receiver link.
#include "command_files.h"
#include "commands.h"
#include "console_ui.h"
#include "layout_option.h"
#include "stop_signals.h"

#include "common/files.h"
#include "common/scratch_dir.h"
#include "link/adb_layout.h"
#include "link/adb_upload_files.h"
#include "link/console_session.h"
#include "link/serial_port_list.h"
#include "link/transfer_run.h"
#include "link/upload_errors.h"
#include "link/upload_image.h"
#include "link/upload_machine.h"
#include "link/user_settings_accept.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"
#include "shell/transfer_commands.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
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

// --baud, --parity, --data-bits, --stop-bits: the line as the Settings dialog's lists offer it.
struct LineOptions {
    std::uint32_t baud = 115200;
    std::string parity = "none";
    int dataBits = 8;
    std::string stopBits = "1";
};

struct LinkOptions {
    std::string port;
    LineOptions line;
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

template <typename Table>
std::uint8_t IndexIn(const Table& table, const typename Table::value_type& value)
{
    return static_cast<std::uint8_t>(std::find(table.begin(), table.end(), value) - table.begin());
}

void AddLineOptions(CLI::App* sub, LineOptions& o)
{
    sub->add_option("--baud", o.baud, "Bits per second (110 .. 256000, as the Settings dialog lists them)")
        ->check(CLI::IsMember(std::vector<std::uint32_t>(link::kBaudRates.begin(), link::kBaudRates.end())));
    sub->add_option("--parity", o.parity, "none, even, odd, mark or space")
        ->check(CLI::IsMember({"none", "even", "odd", "mark", "space"}, CLI::ignore_case));
    sub->add_option("--data-bits", o.dataBits, "Data bits 5 .. 8")->check(CLI::Range(5, 8));
    sub->add_option("--stop-bits", o.stopBits, "Stop bits 1, 1.5 or 2")->check(CLI::IsMember({"1", "1.5", "2"}));
}

// The port settings the options stand for, as list indexes.
PortSettings PortFromOptions(const LinkOptions& o)
{
    static constexpr std::array<std::string_view, 5> kParityNames{"none", "even", "odd", "mark", "space"};
    std::string parity = o.line.parity;
    std::transform(parity.begin(), parity.end(), parity.begin(), [](unsigned char c) { return std::tolower(c); });
    PortSettings port{o.port};
    port.baudRateIndex = IndexIn(link::kBaudRates, o.line.baud);
    port.parityIndex = IndexIn(kParityNames, std::string_view(parity));
    port.dataBitsIndex = IndexIn(link::kDataBits, static_cast<std::uint8_t>(o.line.dataBits));
    port.stopBitsIndex = IndexIn(link::kStopBitsTexts, std::string_view(o.line.stopBits));
    return port;
}

void AddCommonOptions(CLI::App* sub, LinkOptions& o, bool withPort)
{
    if (withPort) {
        sub->add_option("--port", o.port, "Serial device (COM1..COM4 or a path; see velk ports)")->required();
        sub->add_option("--timeout", o.timeout, "Give up after SECONDS without progress from the receiver (default: wait)");
        AddLineOptions(sub, o.line);
    }
    sub->add_option("--product-type", o.productType, "Product type 1, 2 or 3")->check(CLI::Range(1, 3));
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

void AddSend(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto file = std::make_shared<std::string>();
    auto compress = std::make_shared<std::string>();
    auto* sub = app.add_subcommand("send", "Send a URT file (a BIN file is converted first) as the upload console does");
    AddCommonOptions(sub, *o, true);
    sub->add_option("--config", o->config, "Configuration file (*.ECF) for a BIN file's image values");
    sub->add_option("--entry", o->entry, "Configuration entry GROUP,ENTRY");
    sub->add_option("--compress", *compress, "Compress a BIN file first: zlib[:LEVEL] or bin2cod");
    sub->add_option("FILE", *file, "URT or BIN file")->required()->check(CLI::ExistingFile);
    sub->callback([o, file, compress] {
        ConsoleUi ui;
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        if (!scratch.Ok() || !ApplyConfiguration(ui, *o, ctx, scratch.store.dir) || !ApplyCompression(ui, *compress, ctx))
            return Fail();
        auto urt = link::PrepareConsoleUpload(ui, ctx.config, *file, scratch.store.dir);
        if (!urt)
            return Fail();
        struct Events : link::UploadEvents {
            explicit Events(Ui& u) : ui(u) {}
            void PacketCount(std::uint32_t n) override { ui.ProgressBegin("Upload", n); }
            void PacketsSent(std::uint32_t n) override { ui.ProgressSet(n); }
            void Report(int code) override { std::fputs(link::UploadErrorText(code).c_str(), stderr); }
            Ui& ui;
        } events(ui);
        std::vector<Bytes> files;
        files.push_back(std::move(urt->bytes));
        link::UploadMachine machine(link::UploadKind::Console, std::move(files), events);
        WatchReceiver(ui, *o);
        const auto end = link::RunTransfer(o->port, link::LineSettingsFromPort(PortFromOptions(*o)), ui, machine);
        ui.ProgressEnd();
        std::fprintf(stderr, "%u of %u packets sent; %u resend requests, %u requests out of turn\n", machine.Sent(),
                     machine.Count(), machine.ResendRequests(), machine.RequestsOutOfTurn());
        if (end == link::TransferEnd::Cancelled)
            ReportUnfinishedTransfer(ui, *o);
        else if (machine.Outcome() != link::UploadOutcome::Completed)
            Fail();
    });
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
        ConsoleUi ui;
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        ctx.config.port = PortFromOptions(*o);
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
        ConsoleUi ui;
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        ctx.config.port = PortFromOptions(*o);
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
    auto layout = std::make_shared<sdb::SdbLayout>();
    AddLayoutOption(sub, *layout, sdb::SdbLayout::Old);
    sub->callback([o, out, dumps, layout] {
        ConsoleUi ui;
        if (!CheckCommandFiles(ui, {}, *out))
            return;
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        LinkContext ctx;
        ctx.config.port = PortFromOptions(*o);
        ctx.status = [](const std::string& s) { std::fprintf(stderr, "\n%s\n", s.c_str()); };
        // The download's line is 115200 8 1; only the parity comes from the options.
        ctx.lastParity = link::LineSettingsFromPort(ctx.config.port).parity;
        WatchReceiver(ui, *o);
        const int ok = scratch.Ok() ? DownloadFromReceiver(scratch.store, scratch.session, ui, ctx) : 0;
        if (ok != 1 && TransferGivenUp(ui))
            return ReportUnfinishedTransfer(ui, *o);
        if (!dumps->empty())
            for (const auto name : {link::adb::kAdbDump, link::adb::kE2pDump, link::adb::kDumpSdb})
                if (fs::exists(scratch.store.File(name)))
                    CopyFileAtomic(scratch.store.File(name), fs::path(*dumps) / name);
        if (ok != 1 || !WriteStoreInLayout(ui, scratch.store, scratch.session, *out, *layout))
            Fail();
    });
}

void AddPorts(CLI::App& app)
{
    auto* sub = app.add_subcommand("ports", "List the serial devices the Settings dialog offers");
    sub->callback([] {
        for (const auto& port : link::ListSerialPorts())
            std::printf("%s\n", port.c_str());
    });
}

// A plain terminal to the loader: stdin lines go out with CR LF, received bytes
// are shown with the console's blanking, and the log is copied to --log at the end.
void AddConsole(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto log = std::make_shared<std::string>("velk-console.log");
    auto* sub = app.add_subcommand("console", "A terminal to the receiver's loader (end with Ctrl+D)");
    AddCommonOptions(sub, *o, true);
    sub->add_option("--log", *log, "File that keeps the session's log")->capture_default_str();
    sub->callback([o, log] {
        ConsoleUi ui;
        ScratchStore scratch(1);
        if (!scratch.Ok())
            return Fail();
        link::ConsoleSession console(scratch.store.dir, ui, [](const std::string& text, bool) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
        });
        if (console.ConnectDisConnectWithPort(PortFromOptions(*o)) != 1)
            return Fail();
        for (std::string line; std::getline(std::cin, line);)
            console.SendCommandLine(line + "\r\n");
        console.ConnectDisConnectWithPort({});
        if (!CopyFileAtomic(console.Log().Path(), *log)) {
            ShowError(ui, "File access error");
            Fail();
        }
    });
}

// Shows the receiver user settings of a database, or sets them (--set "Label=Value").
void AddUserSettings(CLI::App& app)
{
    auto o = std::make_shared<LinkOptions>();
    auto db = std::make_shared<std::string>();
    auto sets = std::make_shared<std::vector<std::string>>();
    auto* sub = app.add_subcommand("user-settings", "Show or set the receiver user settings kept in a database");
    AddCommonOptions(sub, *o, false);
    sub->add_option("DB", *db, "SDB BIN file")->required()->check(CLI::ExistingFile);
    sub->add_option("--set", *sets, "KEY=VALUE, a field as velk user-settings shows it (repeatable)");
    sub->callback([o, db, sets] {
        ConsoleUi ui;
        ScratchStore scratch(static_cast<std::uint8_t>(o->productType));
        if (!scratch.Open(ui, *db))
            return Fail();
        const auto type = scratch.store.productType;
        auto& record = scratch.session.userSettings.For(type);
        auto texts = link::ReadUserSettings(record, type);
        if (sets->empty()) {
            for (const auto& field : link::UserSettingFields(type))
                std::printf("%s=%s\n", std::string(field.key).c_str(), texts[std::string(field.key)].c_str());
            return;
        }
        for (const auto& set : *sets) {
            const auto eq = set.find('=');
            if (eq == std::string::npos || !link::FindUserSetting(type, set.substr(0, eq))) {
                ShowError(ui, "Unknown user setting: " + set);
                return Fail();
            }
            texts[set.substr(0, eq)] = set.substr(eq + 1);
        }
        if (const auto refusal = link::CheckUserSettings(type, texts)) {
            ShowError(ui, refusal->message);
            return Fail();
        }
        if (!link::AcceptUserSettings(record, type, texts, scratch.store.serviceCount)) {
            ShowError(ui, "A value does not fit its user setting");
            return Fail();
        }
        // The user settings live in the new layout's "UserBox" section.
        if (sdb::WriteSdbBinFile(scratch.store, scratch.session, ui, *db, true, false) != 1)
            Fail();
    });
}

}  // namespace

void AddLinkCommands(CLI::App& app)
{
    AddPorts(app);
    AddConsole(app);
    AddUserSettings(app);
    AddSend(app);
    AddUploadSdb(app);
    AddUploadAdb(app);
    AddAdb(app);
    AddDownload(app);
}

}  // namespace velk::cli
