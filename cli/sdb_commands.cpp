// velk info / convert / report / sort / merge: the SDB BIN file tools.
#include "commands.h"
#include "console_ui.h"

#include "common/files.h"
#include "common/format.h"
#include "sdb/sdb_commands.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_merge.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_sort.h"
#include "sdb/sdb_writer.h"
#include "sdb/text_report.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace velk::cli {
namespace {

namespace fs = std::filesystem;
using namespace velk::sdb;

// A private working directory for one command, removed afterwards.
class ScratchWorkDir {
public:
    ScratchWorkDir()
    {
        auto pattern = (fs::temp_directory_path() / "velk-sdb-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a working directory");
        path_ = pattern;
    }
    ~ScratchWorkDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchWorkDir(const ScratchWorkDir&) = delete;
    ScratchWorkDir& operator=(const ScratchWorkDir&) = delete;
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

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

// A database opened from a file of either layout into a private store.
struct OpenedDatabase {
    ScratchWorkDir dir;
    WorkingStore store;
    SdbSession session;
};

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

void Fail() { ExitCode() = 1; }

void AddInfo(CLI::App& app)
{
    auto* cmd = app.add_subcommand("info", "Show the counts and old-layout size of an SDB BIN file");
    auto file = std::make_shared<std::string>();
    auto productType = std::make_shared<int>(0);
    cmd->add_option("FILE", *file, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("--product-type", *productType, "Product type 1, 2 or 3 (default: from the file)")->check(CLI::Range(1, 3));
    cmd->callback([file, productType] {
        ConsoleUi ui;
        const auto db = OpenDatabase(ui, *file, *productType);
        if (!db)
            return Fail();
        std::printf("%s\n", SdbInformationText(db->store).c_str());
        std::printf(" SDB Version\t: %d.%d \n User Initial\t: %s \n Product Type\t: %d \n", db->session.sdbMajor,
                    db->session.sdbMinor, db->session.userInitial.c_str(), db->store.productType);
    });
}

void AddConvert(CLI::App& app)
{
    auto* cmd = app.add_subcommand("convert", "Convert an SDB BIN file between the old and the new layout");
    struct Options {
        std::string to, in, out;
        int productType = 1;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("--to", o->to, "Target layout")->required()->check(CLI::IsMember({"old", "new"}));
    cmd->add_option("IN", o->in, "Input file")->required();
    cmd->add_option("OUT", o->out, "Output file")->required();
    cmd->add_option("--product-type", o->productType, "Product type 1, 2 or 3")->check(CLI::Range(1, 3));
    cmd->callback([o] {
        ConsoleUi ui;
        const auto type = static_cast<std::uint8_t>(o->productType);
        const auto code = o->to == "old" ? StaticDB_ConvertNew2Old(o->in, o->out, type) : StaticDB_ConvertOld2New(ui, o->in, o->out, type);
        if (code != kConvertOk) {
            std::fprintf(stderr, "error: conversion failed (0x%X)\n", code);
            Fail();
        }
    });
}

void AddReport(CLI::App& app)
{
    auto* cmd = app.add_subcommand("report", "Write the text report of an SDB BIN file");
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("OUT", *out, "Text report (*.txt)")->required();
    cmd->callback([file, out] {
        ConsoleUi ui;
        const auto db = OpenDatabase(ui, *file, 0);
        if (!db)
            return Fail();
        if (WriteTextReport(db->store, *out) != 1) {
            ShowError(ui, "Export process failed");
            Fail();
        }
    });
}

template <typename Key>
LevelSort<Key> ParseKey(const std::string& text, const std::map<std::string, LevelSort<Key>>& keys)
{
    return text.empty() ? LevelSort<Key>{} : keys.at(text);
}

void AddSort(CLI::App& app)
{
    auto* cmd = app.add_subcommand("sort", "Sort an SDB BIN file into OUT (old layout, as the Sort button writes)");
    struct Options {
        std::string in, out, satellites, carriers, services;
    };
    using S = SatelliteSortKey;
    using C = CarrierSortKey;
    using V = ServiceSortKey;
    constexpr auto A = SortOrder::Ascending;
    constexpr auto D = SortOrder::Descending;
    static const std::map<std::string, LevelSort<S>> kSatellite{{"name", {S::Name, A}}, {"name-desc", {S::Name, D}},
        {"east-first", {S::EastWest, A}}, {"west-first", {S::EastWest, D}}, {"angle", {S::Angle, A}}, {"angle-desc", {S::Angle, D}}};
    static const std::map<std::string, LevelSort<C>> kCarrier{{"name", {C::Name, A}}, {"name-desc", {C::Name, D}},
        {"freq", {C::Frequency, A}}, {"freq-desc", {C::Frequency, D}}, {"symbol-rate", {C::SymbolRate, A}},
        {"symbol-rate-desc", {C::SymbolRate, D}}};
    static const std::map<std::string, LevelSort<V>> kService{{"name", {V::Name, A}}, {"name-desc", {V::Name, D}},
        {"fta-first", {V::Scrambling, A}}, {"scrambled-first", {V::Scrambling, D}}, {"tv-first", {V::Type, A}},
        {"radio-first", {V::Type, D}}};
    auto names = [](const auto& keys) {
        std::vector<std::string> out;
        for (const auto& [name, key] : keys)
            out.push_back(name);
        return out;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("IN", o->in, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("OUT", o->out, "Sorted SDB BIN file")->required();
    cmd->add_option("--satellites", o->satellites, "Satellite key")->check(CLI::IsMember(names(kSatellite)));
    cmd->add_option("--carriers", o->carriers, "Carrier key")->check(CLI::IsMember(names(kCarrier)));
    cmd->add_option("--services", o->services, "Service key")->check(CLI::IsMember(names(kService)));
    cmd->callback([o] {
        ConsoleUi ui;
        const auto db = OpenDatabase(ui, o->in, 0);
        if (!db || !CanSort(db->store, ui))
            return Fail();
        const SortSettings settings{ParseKey(o->satellites, kSatellite), ParseKey(o->carriers, kCarrier), ParseKey(o->services, kService)};
        if (SortIntoFile(db->store, db->session, ui, settings, o->out) != 1)
            Fail();
    });
}

void AddExtract(CLI::App& app)
{
    auto* cmd = app.add_subcommand("extract", "Write some satellites of an SDB BIN file, with their carriers and services, as a file of their own");
    struct Options {
        std::string in, out;
        std::vector<std::uint32_t> satellites;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("IN", o->in, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("OUT", o->out, "SDB BIN file to write (old layout)")->required();
    cmd->add_option("--satellites", o->satellites, "Satellite numbers (1-based, as the editor shows them)")
        ->required()->delimiter(',')->check(CLI::PositiveNumber);
    cmd->callback([o] {
        ConsoleUi ui;
        const auto db = OpenDatabase(ui, o->in, 0);
        if (!db)
            return Fail();
        std::vector<std::uint32_t> selected;
        for (const auto number : o->satellites) {
            if (number > db->store.satelliteCount) {
                std::fprintf(stderr, "error: the file has %u satellites: %u\n", db->store.satelliteCount, number);
                return Fail();
            }
            selected.push_back(number - 1);
        }
        if (WriteSdbSelection(db->store, db->session, ui, o->out, selected) != 1)
            Fail();
    });
}

// The answers to the duplicate-satellite questions: "1" or "2" for every
// satellite, "NAME=1" or "NAME=2" for one (its name compared ignoring case).
class KeepChoices {
public:
    // False when a value is not of these forms.
    bool Parse(const std::vector<std::string>& values)
    {
        for (const auto& value : values) {
            const auto eq = value.rfind('=');
            const auto file = eq == std::string::npos ? value : value.substr(eq + 1);
            if (file != "1" && file != "2")
                return false;
            if (eq == std::string::npos)
                all_ = file == "1";
            else
                byName_[Lower(value.substr(0, eq))] = file == "1";
        }
        return true;
    }
    // Yes keeps file 1's copy of the satellite the question names.
    bool KeepFile1(const std::string& question) const
    {
        const auto open = question.find('"');
        const auto close = open == std::string::npos ? open : question.find('"', open + 1);
        if (close == std::string::npos)
            return all_;
        const auto it = byName_.find(Lower(question.substr(open + 1, close - open - 1)));
        return it == byName_.end() ? all_ : it->second;
    }

private:
    static std::string Lower(std::string text)
    {
        for (auto& c : text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return text;
    }
    bool all_ = true;
    std::map<std::string, bool> byName_;
};

void AddMerge(CLI::App& app)
{
    auto* cmd = app.add_subcommand("merge", "Merge two SDB BIN files into OUT (new layout)");
    cmd->footer("Inputs in the old layout (\"SB\") are converted to the new layout before the merge.");
    struct Options {
        std::string file1, file2, out;
        int lnbFrom = 1;
        std::vector<std::string> keep;
        KeepChoices choices;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("FILE1", o->file1, "File 1 (either layout; an old-layout file is converted first)")->required();
    cmd->add_option("FILE2", o->file2, "File 2 (either layout; an old-layout file is converted first)")->required();
    cmd->add_option("OUT", o->out, "Merged file")->required();
    cmd->add_option("--lnb-from", o->lnbFrom, "Take the LNB table from file 1 or 2 when asked")->check(CLI::Range(1, 2));
    cmd->add_option("--keep", o->keep,
                    "Which copy of a satellite in both files to keep: 1 or 2 for all (default 1), "
                    "or NAME=1 / NAME=2 for one satellite; repeatable");
    cmd->callback([o] {
        if (!o->choices.Parse(o->keep)) {
            std::fprintf(stderr, "error: --keep takes 1, 2, NAME=1 or NAME=2\n");
            return Fail();
        }
        ConsoleUi ui;
        ui.SetAnswerer([o](const std::string& text, Buttons) {
            const bool lnbQuestion = text.find("LNB") != std::string::npos;
            const bool yes = lnbQuestion ? o->lnbFrom == 2 : o->choices.KeepFile1(text);
            return yes ? Answer::Yes : Answer::No;
        });
        ScratchWorkDir dir;
        // Either layout: both inputs are merged in the new layout.
        const auto f1 = NewLayoutBytes(ui, o->file1);
        const auto f2 = f1 ? NewLayoutBytes(ui, o->file2) : std::nullopt;
        const auto in1 = dir.Path() / "file1.bin";
        const auto in2 = dir.Path() / "file2.bin";
        if (!f2 || !WriteFileAtomic(in1, *f1) || !WriteFileAtomic(in2, *f2))
            return Fail();
        const auto placement = f1->size() > 15 && (*f1)[15] <= 2 ? static_cast<Placement>((*f1)[15]) : Placement::Lnb;
        const int code = MergeSdbFiles(ui, {in1, in2, o->out, placement});
        const auto message = MergeResultMessage(code, o->file1, o->file2, o->out);
        if (code != kMergeDone) {
            ShowError(ui, message);
            return Fail();
        }
        std::printf("%s\n", message.c_str());
    });
}

}  // namespace

void AddSdbCommands(CLI::App& app)
{
    AddInfo(app);
    AddConvert(app);
    AddReport(app);
    AddSort(app);
    AddMerge(app);
    AddExtract(app);
}

}  // namespace velk::cli
