// velk import / merge-lists: building an SDB BIN file from a channel list the
// way the import wizard does, and joining channel lists.
#include "commands.h"
#include "console_ui.h"

#include "common/c_number.h"
#include "common/charset.h"
#include "database/default_values.h"
#include "import/import_command.h"
#include "import/import_finish.h"
#include "import/list_merger.h"
#include "import/list_text.h"
#include "sdb/sdb_session.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>

namespace velk::cli {
namespace {

namespace fs = std::filesystem;

struct ImportOptions {
    std::string list;
    std::string output;
    std::vector<std::string> lnbs;      // "LOW,HIGH"
    int productType = 1;
    std::vector<std::string> satelliteLnbs;  // "NAME=N"
    std::vector<std::string> satellites;
    std::string band, polarization, access, type;
};

// A scratch working directory for the staging files, removed afterwards.
class ScratchWorkDir {
public:
    ScratchWorkDir()
    {
        std::random_device rd;
        path_ = fs::temp_directory_path() / ("velk-import-" + std::to_string(rd()));
        fs::create_directories(path_);
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

bool Fail(const std::string& text)
{
    std::fprintf(stderr, "error: %s\n", text.c_str());
    return false;
}

bool AddLnbs(ImportWizard& wizard, const std::vector<std::string>& lnbs)
{
    if (lnbs.empty())
        return wizard.SetLnbCount(1);
    for (const auto& text : lnbs) {
        const auto comma = text.find(',');
        if (comma == std::string::npos)
            return Fail("--lnb takes LOW,HIGH: " + text);
        if (!wizard.AddLnb(static_cast<std::uint32_t>(ParseDecimal(text.substr(0, comma))),
                           static_cast<std::uint32_t>(ParseDecimal(text.substr(comma + 1)))))
            return false;
    }
    return true;
}

std::map<std::string, std::size_t> SatelliteIndexes(const ImportWizard& wizard)
{
    std::map<std::string, std::size_t> byName;
    const auto& sats = wizard.Staging().satellites;
    for (std::size_t i = 0; i < sats.size(); ++i)
        byName.emplace(DatabaseToUtf8(sats[i].name), i);
    return byName;
}

bool ChooseSatellites(ImportWizard& wizard, const ImportOptions& o)
{
    const auto byName = SatelliteIndexes(wizard);
    for (const auto& text : o.satelliteLnbs) {
        const auto eq = text.rfind('=');
        const auto it = eq == std::string::npos ? byName.end() : byName.find(text.substr(0, eq));
        if (it == byName.end())
            return Fail("--sat-lnb names no satellite of the list: " + text);
        const auto number = ParseDecimal(text.substr(eq + 1));
        if (number < 1 || number > wizard.LnbCount())
            return Fail("--sat-lnb names no LNB of the list: " + text);
        wizard.SetSatelliteLnb(it->second, static_cast<std::uint32_t>(number));
    }
    if (o.satellites.empty())
        return true;
    wizard.SelectAllSatellites(false);
    for (const auto& name : o.satellites) {
        const auto it = byName.find(name);
        if (it == byName.end())
            return Fail("--satellites names no satellite of the list: " + name);
        wizard.SetSatelliteSelected(it->second, true);
    }
    return true;
}

// A pair of wizard boxes from an option value.
std::uint8_t Boxes(const std::string& value, const char* first, const char* second)
{
    return value == first ? 1 : value == second ? 2 : 0;
}

bool ApplyFilters(ImportWizard& wizard, const ImportOptions& o)
{
    const FilterRecord carriers{Boxes(o.polarization, "v", "h"), Boxes(o.band, "c", "ku"), 0};
    if (!carriers.Empty())
        wizard.SetCarrierFilter(std::nullopt, carriers);
    if (!wizard.LeaveSatelliteStep())
        return false;
    const FilterRecord services{Boxes(o.access, "fta", "scrambled"), Boxes(o.type, "tv", "radio"), 0};
    if (!services.Empty())
        wizard.SetServiceFilter(std::nullopt, services);
    wizard.LeaveCarrierStep();
    return true;
}

bool RunImport(const ImportOptions& o)
{
    ConsoleUi ui;
    ui.SetAnswerer([](const std::string&, Buttons) { return Answer::No; });  // non-filter mode
    ScratchWorkDir work;
    auto session = RunImportCommand(ui, work.Path(), o.list);
    if (!session)
        return false;
    ImportWizard wizard(ui, work.Path(), std::move(*session));
    if (!AddLnbs(wizard, o.lnbs) || !wizard.LeaveLnbStep() || !ChooseSatellites(wizard, o) || !ApplyFilters(wizard, o))
        return false;
    WorkingStore store;
    store.dir = work.Path();
    store.productType = static_cast<std::uint8_t>(o.productType);
    store.defaults = LoadDefaultValues(std::nullopt, store.productType);
    const sdb::SdbSession sdbSession;
    if (!WriteImportDatabase(ui, wizard, store, sdbSession, o.output))
        return false;
    const auto& st = wizard.Staging();
    std::printf("%s: %zu satellites, %zu carriers, %zu services staged\n", o.output.c_str(), st.satellites.size(),
                st.carriers.size(), st.services.size());
    return true;
}

std::optional<MergedListFormat> FormatOf(const fs::path& file)
{
    const auto ext = file.extension().string();
    if (EqualsIgnoringCase(ext, ".sdx"))
        return MergedListFormat::SatcoDx;
    if (EqualsIgnoringCase(ext, ".dvb"))
        return MergedListFormat::Dvb2000;
    if (EqualsIgnoringCase(ext, ".dat"))
        return MergedListFormat::Lyngsat;
    return std::nullopt;
}

bool RunMergeLists(const std::string& output, const std::vector<std::string>& inputs)
{
    const auto format = inputs.empty() ? std::nullopt : FormatOf(inputs.front());
    if (!format)
        return Fail("the lists must be SatcoDX (.sdx), DVB2000 (.dvb) or Lyngsat (.dat) files");
    ConsoleUi ui;
    ListFileCollection files(*format);
    for (const auto& input : inputs) {
        if (FormatOf(input) != format)
            return Fail("all lists must be of one format: " + input);
        if (!files.AddFile(ui, fs::absolute(input)))
            return false;
    }
    return files.MergeInto(ui, output);
}

}  // namespace

void AddImportCommands(CLI::App& app)
{
    auto options = std::make_shared<ImportOptions>();
    auto* import = app.add_subcommand("import", "Build an SDB BIN file from a SatcoDX, DVB2000 or Lyngsat list");
    import->add_option("LIST", options->list, "Channel list (.sdx, .dvb or .dat)")->required()->check(CLI::ExistingFile);
    import->add_option("OUT", options->output, "SDB BIN file to write (new layout)")->required();
    import->add_option("--lnb", options->lnbs, "An LNB LOW,HIGH in MHz (3500-12750); repeatable. Default: one LNB 5150,5150");
    import->add_option("--product-type", options->productType, "Receiver product type")->check(CLI::Range(1, 3));
    import->add_option("--sat-lnb", options->satelliteLnbs, "NAME=N: the satellite's LNB number (default 1)");
    import->add_option("--satellites", options->satellites, "Select only these satellites")->delimiter(',');
    import->add_option("--band", options->band, "Carrier band")->check(CLI::IsMember({"c", "ku"}));
    import->add_option("--polarization", options->polarization, "Carrier polarization")->check(CLI::IsMember({"h", "v"}));
    import->add_option("--access", options->access, "Service access")->check(CLI::IsMember({"fta", "scrambled"}));
    import->add_option("--type", options->type, "Service type")->check(CLI::IsMember({"tv", "radio"}));
    import->callback([options] {
        if (!RunImport(*options))
            ExitCode() = 1;
    });

    auto output = std::make_shared<std::string>();
    auto inputs = std::make_shared<std::vector<std::string>>();
    auto* merge = app.add_subcommand("merge-lists", "Join channel lists of one format into one file");
    merge->add_option("OUT", *output, "List file to write")->required();
    merge->add_option("IN", *inputs, "Lists to join, in order")->required()->check(CLI::ExistingFile);
    merge->callback([output, inputs] {
        if (!RunMergeLists(*output, *inputs))
            ExitCode() = 1;
    });
}

}  // namespace velk::cli
