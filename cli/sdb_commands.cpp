// velk info / convert / report / sort / merge: the SDB BIN file tools.
#include "command_files.h"
#include "commands.h"
#include "console_ui.h"
#include "layout_option.h"
#include "standard_output.h"

#include "sdb/opened_database.h"

#include "common/files.h"
#include "common/format.h"
#include "common/scratch_dir.h"
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
#include <string>
#include <vector>

namespace velk::cli {
namespace {

namespace fs = std::filesystem;
using namespace velk::sdb;

Placement PlacementOf(ByteView data)
{
    return data.size() > 15 && data[15] <= 2 ? static_cast<Placement>(data[15]) : Placement::Lnb;
}

// A new-layout file the reader would open: the merge itself would take one cut short.
bool ReadableDatabase(Ui& ui, ByteView data)
{
    const auto parsed = ParseSdbImage(data, PlacementOf(data), 2);
    if (const auto* text = std::get_if<std::string>(&parsed)) {
        ShowError(ui, *text);
        return false;
    }
    return true;
}


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
        std::string in, out;
        SdbLayout layout = SdbLayout::Old;
        int productType = 0;
    };
    auto o = std::make_shared<Options>();
    AddLayoutOption(cmd, o->layout, SdbLayout::Old, "--layout,--to");
    cmd->add_option("IN", o->in, "Input file")->required();
    cmd->add_option("OUT", o->out, "Output file")->required();
    cmd->add_option("--product-type", o->productType, "Product type 1, 2 or 3 (default: from a new-layout file, else 1)")
        ->check(CLI::Range(1, 3));
    cmd->callback([o] {
        ConsoleUi ui;
        if (!CheckCommandFiles(ui, {o->in}, o->out))
            return;
        const auto data = ReadFileBytes(o->in);
        const bool toOld = o->layout == SdbLayout::Old;
        // A file already in the target layout is written unchanged.
        if (!toOld || !data || data->size() < 2 || (*data)[0] != 'e' || (*data)[1] != 'E') {
            const auto type = static_cast<std::uint8_t>(o->productType ? o->productType : 1);
            const auto code = toOld ? StaticDB_ConvertNew2Old(o->in, o->out, type) : StaticDB_ConvertOld2New(ui, o->in, o->out, type);
            if (code != kConvertOk) {
                std::fprintf(stderr, "error: conversion failed (0x%X)\n", code);
                Fail();
            }
            return;
        }
        auto run = RunOfImage(*data);
        if (o->productType)
            run.productType = static_cast<std::uint8_t>(o->productType);
        if (!WriteImageInLayout(ui, *data, o->out, SdbLayout::Old, run))
            Fail();
    });
}

void AddReport(CLI::App& app)
{
    auto* cmd = app.add_subcommand("report", "Write the text report of an SDB BIN file");
    auto file = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    cmd->add_option("FILE", *file, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("OUT", *out, "Text report (*.txt), - for standard output")->required();
    cmd->callback([file, out] {
        ConsoleUi ui;
        if (!CheckCommandFiles(ui, {*file}, *out))
            return;
        const auto db = OpenDatabase(ui, *file, 0);
        if (!db)
            return Fail();
        if (IsStandardOutput(*out) ? !WriteToStandardOutput(BuildTextReport(db->store)) : WriteTextReport(db->store, *out) != 1) {
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
    auto* cmd = app.add_subcommand("sort", "Sort an SDB BIN file into OUT");
    struct Options {
        std::string in, out, satellites, carriers, services;
        SdbLayout layout = SdbLayout::Old;
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
    AddLayoutOption(cmd, o->layout, SdbLayout::Old);  // as the Sort button writes
    cmd->callback([o] {
        ConsoleUi ui;
        if (!CheckCommandFiles(ui, {o->in}, o->out))
            return;
        const auto db = OpenDatabase(ui, o->in, 0);
        if (!db || !CanSort(db->store, ui))
            return Fail();
        const SortSettings settings{ParseKey(o->satellites, kSatellite), ParseKey(o->carriers, kCarrier), ParseKey(o->services, kService)};
        auto content = ContentFromStore(db->store, db->session);
        if (!content) {
            ShowError(ui, kFileAccessError);
            return Fail();
        }
        SortContent(*content, settings, ui);
        const auto image = EncodeNewLayout(*content, HeaderForSave(db->session));
        if (!WriteImageInLayout(ui, image, o->out, o->layout, {db->store.placement, db->store.productType}))
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
        SdbLayout layout = SdbLayout::New;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("FILE1", o->file1, "File 1 (either layout; an old-layout file is converted first)")->required();
    cmd->add_option("FILE2", o->file2, "File 2 (either layout; an old-layout file is converted first)")->required();
    cmd->add_option("OUT", o->out, "Merged file")->required();
    cmd->add_option("--lnb-from", o->lnbFrom, "Take the LNB table from file 1 or 2 when asked")->check(CLI::Range(1, 2));
    cmd->add_option("--keep", o->keep,
                    "Which copy of a satellite in both files to keep: 1 or 2 for all (default 1), "
                    "or NAME=1 / NAME=2 for one satellite; repeatable");
    AddLayoutOption(cmd, o->layout, SdbLayout::New);
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
        if (!CheckCommandFiles(ui, {o->file1, o->file2}, o->out))
            return;
        auto dir = ScratchDir::Create("velk-merge");
        if (!dir)
            return FailWith(ui, kFileAccessError, dir.error());
        // Either layout: both inputs are merged in the new layout.
        const auto f1 = NewLayoutBytes(ui, o->file1);
        const auto f2 = f1 ? NewLayoutBytes(ui, o->file2) : std::nullopt;
        if (!f2 || !ReadableDatabase(ui, *f1) || !ReadableDatabase(ui, *f2))
            return Fail();
        const auto in1 = dir->Path() / "file1.bin";
        const auto in2 = dir->Path() / "file2.bin";
        const auto merged = dir->Path() / "merged.bin";
        for (const auto& [path, data] : {std::pair{in1, &*f1}, std::pair{in2, &*f2}})
            if (const Outcome written = WriteFile(path, *data); !written)
                return FailWith(ui, kFileAccessError, written.error());
        const auto run = RunOfImage(*f1);
        const int code = MergeSdbFiles(ui, {in1, in2, merged, run.placement});
        const auto message = MergeResultMessage(code, o->file1, o->file2, o->out);
        if (code != kMergeDone) {
            ShowError(ui, message);
            return Fail();
        }
        // A merged file has no "UserBox" section: the old layout is written from the opened database.
        const auto db = OpenDatabase(ui, merged, run.productType);
        if (!db || !WriteStoreInLayout(ui, db->store, db->session, o->out, o->layout))
            return Fail();
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
