// velk compress / urt / urt-multi / merge-resource: the image tools.
#include "command_files.h"
#include "commands.h"
#include "console_ui.h"
#include "number_options.h"

#include "common/files.h"
#include "common/format.h"
#include "image/compress_image.h"
#include "image/flash_image.h"
#include "image/image_checks.h"
#include "image/image_verifier.h"
#include "image/image_urt_commands.h"
#include "image/multiple_image.h"
#include "image/resource_image.h"
#include "image/urt_file.h"
#include "sdb/sdb_commands.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>

namespace velk::cli {
namespace {

using Version = HexVersion;

Version ParseVersion(const std::string& text) { return CheckedHexVersion(text); }

std::uint8_t HexByte(const std::string& text) { return static_cast<std::uint8_t>(CheckedHex(text)); }

void Refuse(Ui& ui, const std::string& text)
{
    ShowError(ui, text);
    Fail();
}

// An empty image would come out as a URT file of padding only.
bool HasImageData(Ui& ui, const std::filesystem::path& image)
{
    if (FileSize(image).value_or(0) > 0)
        return true;
    Refuse(ui, "The image file is empty: " + image.string());
    return false;
}

// The SDB image of a resource merge is an SDB BIN file in the old layout that
// the receiver's database region can hold.
bool IsSdbImage(Ui& ui, const std::filesystem::path& sdb)
{
    const auto head = ReadFileHead(sdb, 2);
    const auto size = FileSize(sdb).value_or(0);
    if (head && head->size() == 2 && (*head)[0] == 'S' && (*head)[1] == 'B' && size <= sdb::kSdbUploadLimit)
        return true;
    Refuse(ui, Format("Not an SDB image of at most %d bytes (\"SB\" layout): %s", static_cast<int>(sdb::kSdbUploadLimit),
                      sdb.string().c_str()));
    return false;
}

const CLI::Validator kBlockSize = CLI::Validator(
    [](std::string& value) -> std::string {
        const std::string accepted = "512, 1024 or 2048";
        if (value == "4096")
            return "a block size of 4096 cannot be expressed in the 12-bit length fields; use " + accepted;
        return value == "512" || value == "1024" || value == "2048" ? std::string() : "the block size must be " + accepted;
    },
    "512|1024|2048");

void AddCompress(CLI::App& app)
{
    struct Options {
        int level = 6;
        bool bin2cod = false;
        std::string input, output;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("compress", "Compress a binary image into an \"HWC$\" compressed image file");
    auto* zlib = cmd->add_flag("--zlib{6}", o->level, "Zlib compression at LEVEL 1-9 (default 6)")->check(CLI::Range(1, 9));
    auto* bin2cod = cmd->add_flag("--bin2cod", o->bin2cod, "Bin2Cod (LZARI) compression");
    zlib->excludes(bin2cod);
    cmd->add_option("IN", o->input, "binary image")->required();
    cmd->add_option("OUT", o->output, "compressed image file")->required();
    cmd->callback([o, zlib, bin2cod] {
        ConsoleUi ui;
        if (!*zlib && !*bin2cod)
            return Refuse(ui, "choose --zlib[=LEVEL] or --bin2cod");
        if (!CheckCommandFiles(ui, {o->input}, o->output))
            return;
        const auto type = o->bin2cod ? CompressionType::Bin2Cod : CompressionType::Zlib;
        ExitCode() = CompressImageFile(ui, o->input, o->output, type, o->level) ? 0 : 1;
    });
}

struct UrtGeneratorOptions {
    std::uint32_t partitionKb = 32;
    std::uint32_t blockSize = 2048;
    std::string headerId = "F1";
    std::string blockId = "F2";
};

void AddGeneratorOptions(CLI::App* cmd, UrtGeneratorOptions& o)
{
    cmd->add_option("--partition-kb", o.partitionKb, "partition size in KB")->check(CLI::IsMember({8, 16, 32, 64, 128, 256}))->capture_default_str();
    cmd->add_option("--block", o.blockSize, "block size in bytes")->check(kBlockSize)->capture_default_str();
    cmd->add_option("--header-id", o.headerId, "image header table ID (hex)")->check(HexNumber(0xFF))->capture_default_str();
    cmd->add_option("--block-id", o.blockId, "block table ID (hex)")->check(HexNumber(0xFF))->capture_default_str();
}

std::optional<UrtSettings> MakeSettings(const UrtGeneratorOptions& o, bool trailer)
{
    return SetUrtSettings({.headerTableId = HexByte(o.headerId), .blockTableId = HexByte(o.blockId),
                           .partitionSize = o.partitionKb * 1024, .blockSize = o.blockSize, .trailer = trailer});
}

void AddUrt(CLI::App& app)
{
    // Defaults: the values the SDB upload uses for its database image.
    struct Options {
        std::string input, output;
        std::uint16_t type = kImageDatabase;
        std::uint16_t dest = 7;
        std::string mfr = "A2", loader = "Database", start = "7FE40000", end = "7FE50000";
        std::string sw = "1.0", hw = "1.0", decompressStart;
        bool compressed = false, noTrailer = false;
        UrtGeneratorOptions generator;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("urt", "Make a URT file from a single flash image");
    cmd->add_option("IN", o->input, "image file")->required();
    cmd->add_option("OUT", o->output, "URT file")->required();
    cmd->add_option("--type", o->type, "image type: 0 Database, 1 Resource, 2 Application, 3 EEPROM Data, 4 FrontEnd SW, 5 RCU Image")
        ->check(CLI::Range(0, 5))->capture_default_str();
    cmd->add_option("--dest", o->dest, "destination memory code")->check(CLI::IsMember({0, 1, 6, 7, 8, 15}))->capture_default_str();
    cmd->add_option("--mfr", o->mfr, "manufacturer ID (hex)")->check(HexNumber(0xFF))->capture_default_str();
    cmd->add_option("--loader", o->loader, "loader text, at most 15 characters")
        ->check([](const std::string& v) { return v.size() <= 15 ? std::string() : "the loader text holds at most 15 characters"; })
        ->capture_default_str();
    cmd->add_option("--start", o->start, "start address (hex)")->check(HexNumber())->capture_default_str();
    cmd->add_option("--end", o->end, "end address, exclusive (hex)")->check(HexNumber())->capture_default_str();
    cmd->add_option("--sw", o->sw, "software version MAJ.MIN (hex digits)")->check(HexVersionNumber(0xFFFF))->capture_default_str();
    cmd->add_option("--hw", o->hw, "hardware version MAJ.MIN (hex digits)")->check(HexVersionNumber(0xFFFF))->capture_default_str();
    auto* decompress = cmd->add_option("--decompress-start", o->decompressStart, "decompress start address (hex)")->check(HexNumber());
    cmd->add_flag("--compressed", o->compressed, "the image is a compressed image")->needs(decompress);
    cmd->add_flag("--no-trailer", o->noTrailer, "pad only, no trailer");
    AddGeneratorOptions(cmd, o->generator);
    cmd->callback([o] {
        ConsoleUi ui;
        SingleImageForm form;
        form.imageFile = o->input;
        UrtImageParams& p = form.params;
        p.imageType = o->type;
        p.destinationCode = o->dest;
        p.manufacturerId = HexByte(o->mfr);
        p.loaderText = o->loader;
        p.startAddress = CheckedHex(o->start);
        p.endAddress = CheckedHex(o->end);
        const Version sw = ParseVersion(o->sw), hw = ParseVersion(o->hw);
        p.swMajor = sw.major;
        p.swMinor = sw.minor;
        p.hwMajor = hw.major;
        p.hwMinor = hw.minor;
        p.compressed = o->compressed;
        p.decompressStart = CheckedHex(o->decompressStart);
        if (!CheckCommandFiles(ui, {o->input}, o->output) || !HasImageData(ui, o->input))
            return;
        ExitCode() = Bin2UrtFile(ui, *MakeSettings(o->generator, !o->noTrailer), form, o->output);
    });
}

// "FILE,START,END[,MAJ.MIN]" of one image of the multiple image.
std::string ReadEntry(const std::string& text, FlashImageEntry& entry)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    if (parts.size() != 3 && parts.size() != 4)
        return "expected FILE,START,END[,MAJ.MIN]";
    const auto start = ReadHex(parts[1]), end = ReadHex(parts[2]);
    if (!start || !end)
        return "START and END must be hexadecimal addresses: " + text;
    if (parts.size() == 4 && !ReadHexVersion(parts[3]))
        return "MAJ.MIN must be hexadecimal digits: " + text;
    entry.file = parts[0];
    entry.startAddress = *start;
    entry.endAddress = *end;
    const Version v = parts.size() == 4 ? ParseVersion(parts[3]) : Version{};
    entry.swMajor = static_cast<std::uint8_t>(v.major);
    entry.swMinor = static_cast<std::uint8_t>(v.minor);
    entry.present = true;
    return {};
}

constexpr std::array<const char*, 3> kImageOptions{"--app", "--res", "--sdb"};

void AddUrtMulti(CLI::App& app)
{
    struct Options {
        std::string output;
        std::array<std::string, 3> images;  // application, resource, SDB
        std::string mfr = "A1", loader, sw = "1.0", hw = "1.0";
        UrtGeneratorOptions generator;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("urt-multi", "Make one URT file from application, resource and SDB flash images");
    cmd->add_option("OUT", o->output, "URT file")->required();
    cmd->add_option(kImageOptions[0], o->images[0], "application image FILE,START,END[,MAJ.MIN] (hex addresses)");
    cmd->add_option(kImageOptions[1], o->images[1], "resource image FILE,START,END[,MAJ.MIN]");
    cmd->add_option(kImageOptions[2], o->images[2], "SDB image FILE,START,END[,MAJ.MIN]");
    cmd->add_option("--mfr", o->mfr, "manufacturer ID (hex)")->check(HexNumber(0xFF))->capture_default_str();
    cmd->add_option("--loader", o->loader, "loader text, at most 15 characters");
    cmd->add_option("--sw", o->sw, "software version MAJ.MIN")->check(HexVersionNumber())->capture_default_str();
    cmd->add_option("--hw", o->hw, "hardware version MAJ.MIN")->check(HexVersionNumber())->capture_default_str();
    cmd->callback([o] {
        ConsoleUi ui;
        MultipleImageForm form = DefaultMultipleImageForm();
        for (std::size_t i = 0; i < form.images.size(); ++i) {
            if (o->images[i].empty())
                continue;
            if (const std::string error = ReadEntry(o->images[i], form.images[i]); !error.empty())
                return Refuse(ui, error);
        }
        if (o->images[0].empty() && o->images[1].empty() && o->images[2].empty())
            return Refuse(ui, "give at least one of --app, --res, --sdb");
        form.manufacturerId = HexByte(o->mfr);
        form.loaderText = o->loader.substr(0, 15);
        const Version sw = ParseVersion(o->sw), hw = ParseVersion(o->hw);
        form.swMajor = static_cast<std::uint8_t>(sw.major);
        form.swMinor = static_cast<std::uint8_t>(sw.minor);
        form.hwMajor = static_cast<std::uint8_t>(hw.major);
        form.hwMinor = static_cast<std::uint8_t>(hw.minor);
        std::vector<std::filesystem::path> inputs;
        for (const auto& image : form.images)
            if (image.present)
                inputs.push_back(image.file);
        if (!CheckCommandFiles(ui, inputs, o->output)
            || !std::ranges::all_of(inputs, [&](const auto& image) { return HasImageData(ui, image); }))
            return;
        if (const auto failure = CheckMultipleImage(form))
            return Refuse(ui, failure->message);
        const int result = GenerateMultipleUrtFile(ui, *MakeSettings(o->generator, true), form, o->output);
        if (result == kUrtOk)
            ShowInfo(ui, UrtGeneratedText(o->output));
        else
            ShowError(ui, "URT File generation process failed");
        ExitCode() = result;
    });
}

void AddMergeResource(CLI::App& app)
{
    struct Options {
        std::string resource, sdb, output;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("merge-resource", "Add an SDB image to a resource image as its next data entry");
    cmd->add_option("RESOURCE", o->resource, "resource image")->required();
    cmd->add_option("SDB", o->sdb, "SDB image")->required();
    cmd->add_option("OUT", o->output, "merged image")->required();
    cmd->callback([o] {
        ConsoleUi ui;
        if (!CheckCommandFiles(ui, {o->resource, o->sdb}, o->output) || !IsSdbImage(ui, o->sdb))
            return;
        if (MergeResourceImage(o->resource, o->sdb, o->output) != kMergeDone)
            Refuse(ui, "Error No: -11 \n Resource & Static BIN Merging");
    });
}

void AddInspect(CLI::App& app)
{
    struct Options {
        std::string file;
        bool json = false;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("inspect", "Check a URT file or an \"HWC$\" compressed image before it is sent");
    cmd->add_option("FILE", o->file, "URT or compressed image file")->required();
    cmd->add_flag("--json", o->json, "print the report as JSON");
    cmd->callback([o] {
        ConsoleUi ui;
        const InspectionReport report = InspectImageFile(o->file);
        std::fputs((o->json ? ReportJson(report) : ReportText(report)).c_str(), stdout);
        if (!report.Sound())
            Refuse(ui, FirstProblemText(report));
    });
}

void AddDecompress(CLI::App& app)
{
    struct Options {
        std::string input, output;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = app.add_subcommand("decompress", "Decode an \"HWC$\" compressed image back to its binary image");
    cmd->add_option("IN", o->input, "compressed image file")->required();
    cmd->add_option("OUT", o->output, "binary image")->required();
    cmd->callback([o] {
        ConsoleUi ui;
        ExitCode() = DecompressImageFile(ui, o->input, o->output) ? 0 : 1;
    });
}

}  // namespace

void AddImageCommands(CLI::App& app)
{
    AddCompress(app);
    AddUrt(app);
    AddUrtMulti(app);
    AddMergeResource(app);
    AddInspect(app);
    AddDecompress(app);
}

}  // namespace velk::cli
