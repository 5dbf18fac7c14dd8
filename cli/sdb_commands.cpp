// velk info / convert / report / sort / merge: the SDB BIN file tools.
#include "commands.h"
#include "console_ui.h"
#include "sdb/opened_database.h"

#include "common/files.h"
#include "common/format.h"
#include "sdb/sdb_commands.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_merge.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_sort.h"
#include "sdb/text_report.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

namespace velk::cli {
namespace {

namespace fs = std::filesystem;
using namespace velk::sdb;

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

void AddMerge(CLI::App& app)
{
    auto* cmd = app.add_subcommand("merge", "Merge two SDB BIN files into OUT (new layout)");
    struct Options {
        std::string file1, file2, out;
        int lnbFrom = 1, keep = 1;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("FILE1", o->file1, "File 1 (either layout)")->required();
    cmd->add_option("FILE2", o->file2, "File 2 (either layout)")->required();
    cmd->add_option("OUT", o->out, "Merged file")->required();
    cmd->add_option("--lnb-from", o->lnbFrom, "Take the LNB table from file 1 or 2 when asked")->check(CLI::Range(1, 2));
    cmd->add_option("--keep", o->keep, "Keep file 1's or file 2's copy of a satellite in both")->check(CLI::Range(1, 2));
    cmd->callback([o] {
        ConsoleUi ui;
        ui.SetAnswerer([o](const std::string& text, Buttons) {
            const bool lnbQuestion = text.find("LNB") != std::string::npos;
            const bool yes = lnbQuestion ? o->lnbFrom == 2 : o->keep == 1;
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
}

}  // namespace velk::cli
