// velk find / duplicates / apply-order / export-csv / import-csv: working on the
// services of a database as one list.
#include "command_files.h"
#include "commands.h"
#include "console_ui.h"
#include "sdb/opened_database.h"
#include "sdb/reference_list.h"

#include "common/charset.h"
#include "common/files.h"
#include "common/format.h"
#include "database/delete_records.h"
#include "database/duplicates.h"
#include "database/reference_order.h"
#include "database/service_csv.h"
#include "database/service_find.h"
#include "sdb/sdb_writer.h"

#include <memory>
#include <string>

namespace velk::cli {
namespace {

namespace fs = std::filesystem;
using sdb::OpenDatabase;
using sdb::OpenedDatabase;

// "  12  Astra 19.2E  11836 H  Das Erste" for a channel.
std::string ChannelLine(const ServiceCatalog& catalog, std::uint32_t channel)
{
    const auto& e = catalog.channels[channel];
    const auto& carrier = catalog.Carrier(e);
    return Format("%6u  %-19s %6u %c  %5u  %s", channel + 1, DatabaseToUtf8(catalog.Satellite(e).name.Text()).c_str(),
                  carrier.frequencyMhz, "HVLR"[carrier.polarization & 3], catalog.Service(e).programNumber,
                  DatabaseToUtf8(catalog.Service(e).name.Text()).c_str());
}

std::optional<ServiceCatalog> Catalog(Ui& ui, const OpenedDatabase& db)
{
    auto catalog = LoadServiceCatalog(db.store);
    if (!catalog)
        ShowError(ui, kFileAccessError);
    return catalog;
}

// The database in the new layout, which keeps what these commands change.
bool Save(Ui& ui, OpenedDatabase& db, const fs::path& out)
{
    return sdb::WriteSdbBinFile(db.store, db.session, ui, out, true, false) == 1;
}

void AddFind(CLI::App& app)
{
    auto* cmd = app.add_subcommand("find", "List the services whose name, program number, PID or frequency matches TEXT");
    struct Options {
        std::string file, text;
        bool hex = false;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("FILE", o->file, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("TEXT", o->text, "Name part (case and accents ignored) or number")->required();
    cmd->add_flag("--hex", o->hex, "PIDs are given in hexadecimal");
    cmd->callback([o] {
        ConsoleUi ui;
        const auto db = OpenDatabase(ui, o->file, 0);
        const auto catalog = db ? Catalog(ui, *db) : std::nullopt;
        if (!catalog)
            return Fail();
        NameConversion names;
        const ServiceFinder finder(*catalog);
        for (const auto& match : finder.Find(names.ToDatabase(o->text), o->hex))
            std::printf("%s\n", ChannelLine(*catalog, match.channel).c_str());
    });
}

void PrintGroups(const ServiceCatalog& catalog, const DuplicateGroups& groups)
{
    for (const auto& group : groups.services) {
        std::printf("Same channel:\n");
        for (const auto ch : group)
            std::printf("%s\n", ChannelLine(catalog, ch).c_str());
    }
    for (const auto& group : groups.carriers) {
        std::printf("Same transponder:\n");
        for (const auto k : group) {
            const auto& c = catalog.image.carriers[k];
            std::printf("        %-19s %6u %c %5u\n", DatabaseToUtf8(c.name.Text()).c_str(), c.frequencyMhz,
                        "HVLR"[c.polarization & 3], c.symbolRateKs);
        }
    }
}

void AddDuplicates(CLI::App& app)
{
    auto* cmd = app.add_subcommand("duplicates", "List services that are the same channel and carriers that are the same transponder");
    struct Options {
        std::string file, remove;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("FILE", o->file, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("--remove", o->remove, "Write the database without the duplicate services (the first of each group stays) to this file (new layout)");
    cmd->callback([o] {
        ConsoleUi ui;
        if (!o->remove.empty() && !CheckCommandFiles(ui, {o->file}, o->remove))
            return;
        auto db = OpenDatabase(ui, o->file, 0);
        const auto catalog = db ? Catalog(ui, *db) : std::nullopt;
        if (!catalog)
            return Fail();
        const auto groups = FindDuplicates(*catalog);
        PrintGroups(*catalog, groups);
        if (o->remove.empty())
            return;
        // Rows of the unfiltered all-services view are 1-based channel positions.
        std::vector<std::uint32_t> rows = DuplicatesToDelete(groups);
        for (auto& row : rows)
            ++row;
        if (!rows.empty() && !DeleteServices(db->store, ui, ServiceView{}, rows))
            return Fail();
        if (!Save(ui, *db, o->remove))
            return Fail();
        std::fprintf(stderr, "%zu duplicate services removed.\n", rows.size());
    });
}

// The reference's services; unreadable CSV rows are listed.
std::optional<std::vector<ServiceKey>> ReferenceKeys(Ui& ui, const fs::path& path)
{
    std::vector<std::string> problems;
    auto keys = sdb::ReadReferenceList(ui, path, problems);
    for (const auto& problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    return keys;
}

void AddApplyOrder(CLI::App& app)
{
    auto* cmd = app.add_subcommand("apply-order", "Give the services of DB the channel order of REF (an SDB BIN file or a CSV list)");
    struct Options {
        std::string db, reference, out;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("DB", o->db, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("REF", o->reference, "Reference: SDB BIN file or .csv list")->required()->check(CLI::ExistingFile);
    cmd->add_option("OUT", o->out, "Reordered database (new layout)")->required();
    cmd->callback([o] {
        ConsoleUi ui;
        if (!CheckCommandFiles(ui, {o->db, o->reference}, o->out))
            return;
        auto db = OpenDatabase(ui, o->db, 0);
        const auto reference = db ? ReferenceKeys(ui, o->reference) : std::nullopt;
        if (!reference)
            return Fail();
        const auto summary = ApplyReferenceOrder(db->store, *reference);
        if (!summary || !Save(ui, *db, o->out))
            return Fail();
        std::fprintf(stderr, "%s\n", OrderSummaryText(*summary, *reference).c_str());
    });
}

void AddExportCsv(CLI::App& app)
{
    auto* cmd = app.add_subcommand("export-csv", "Write the services as a CSV list (UTF-8, one row per service in channel order)");
    struct Options {
        std::string db, out;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("DB", o->db, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("OUT", o->out, "CSV file, or - for standard output")->required();
    cmd->callback([o] {
        ConsoleUi ui;
        if (o->out != "-" && !CheckCommandFiles(ui, {o->db}, o->out))
            return;
        const auto db = OpenDatabase(ui, o->db, 0);
        const auto catalog = db ? Catalog(ui, *db) : std::nullopt;
        if (!catalog)
            return Fail();
        if (o->out == "-") {
            const auto text = ExportServiceCsv(*catalog);
            std::fwrite(text.data(), 1, text.size(), stdout);
        } else if (const auto written = WriteServiceCsvFile(*catalog, o->out); !written) {
            FailWith(ui, kFileAccessError, written.error());
        }
    });
}

void AddImportCsv(CLI::App& app)
{
    auto* cmd = app.add_subcommand("import-csv", "Apply the names, order and deleted rows of an edited CSV list to a database");
    struct Options {
        std::string db, csv, out;
    };
    auto o = std::make_shared<Options>();
    cmd->add_option("DB", o->db, "SDB BIN file (either layout)")->required()->check(CLI::ExistingFile);
    cmd->add_option("CSV", o->csv, "The edited list")->required()->check(CLI::ExistingFile);
    cmd->add_option("OUT", o->out, "Updated database (new layout)")->required();
    cmd->callback([o] {
        ConsoleUi ui;
        if (!CheckCommandFiles(ui, {o->db, o->csv}, o->out))
            return;
        auto db = OpenDatabase(ui, o->db, 0);
        if (!db)
            return Fail();
        const auto text = ReadCsvFile(o->csv);
        if (!text)
            return FailWith(ui, kFileAccessError, text.error());
        NameConversion names;
        const auto result = ImportServiceCsv(db->store, *text, names);
        if (!result) {
            ShowError(ui, kFileAccessError);
            return Fail();
        }
        names.TellUser(ui);
        std::fprintf(stderr, "%s\n", CsvImportText(*result).c_str());
        if (!result->problems.empty() || !Save(ui, *db, o->out))
            Fail();
    });
}

}  // namespace

void AddListCommands(CLI::App& app)
{
    AddFind(app);
    AddDuplicates(app);
    AddApplyOrder(app);
    AddExportCsv(app);
    AddImportCsv(app);
}

}  // namespace velk::cli
