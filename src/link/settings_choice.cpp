#include "link/settings_choice.h"

#include "common/files.h"
#include "database/default_values.h"

namespace velk::link {
namespace {

// The group and entry of the n-th name of the configuration list.
std::optional<std::pair<std::size_t, std::size_t>> EntryAt(const EcfFile& file, std::size_t n)
{
    for (std::size_t g = 0; g < file.groups.size(); ++g) {
        const auto count = file.groups[g].entries.size();
        if (n < count)
            return std::pair{g, n};
        n -= count;
    }
    return std::nullopt;
}

bool ApplyConfigurationEntry(Ui& ui, UploadConfig& config, const std::filesystem::path& workDir, std::size_t n)
{
    const auto data = ReadFileBytes(config.configurationFile);
    const auto file = data ? ParseEcf(*data) : std::nullopt;
    const auto at = file ? EntryAt(*file, n) : std::nullopt;
    if (!at) {
        ShowError(ui, "Configuration setting problem");
        return false;
    }
    return ReadUploadSettingsFromCfgFile(ui, config, workDir, at->first, at->second) == 1;
}

}  // namespace

SettingsChoice CurrentSettings(const UploadConfig& config)
{
    SettingsChoice c;
    c.port = config.port;
    c.pidsDecimal = config.pidsDecimal;
    c.productType = config.productType;
    c.compressImage = config.compressImage;
    c.compressionType = config.compressionType;
    c.compressionLevel = config.compressionLevel;
    c.configurationFile = config.configurationFile;
    c.parserFile = config.parserFile;
    return c;
}

std::optional<std::vector<std::string>> ConfigurationList(Ui& ui, const std::filesystem::path& file)
{
    if (const auto problem = ConfigurationPathProblem(file)) {
        ShowWarning(ui, *problem);
        return std::nullopt;
    }
    const auto data = ReadFileBytes(file);
    const auto parsed = data ? ParseEcf(*data) : std::nullopt;
    if (!parsed)
        return std::nullopt;
    return EcfDisplayNames(*parsed);
}

bool ApplySettings(Ui& ui, const SettingsChoice& choice, UploadConfig& config, WorkingStore& store, bool dvRead)
{
    config.port = choice.port;
    config.pidsDecimal = choice.pidsDecimal;
    config.compressImage = choice.compressImage;
    config.compressionType = choice.compressionType;
    config.compressionLevel = choice.compressionLevel;
    config.parserFile = choice.parserFile;
    config.configurationFile = choice.configurationFile;
    config.productType = store.productType;
    const bool changed = ChangeProductType(config, store.dir, choice.productType);
    if (changed) {
        // Factory defaults follow the type (the LNB kind); defaults read or edited stay.
        if (!dvRead && store.defaults == FactoryDefaults(store.productType))
            store.defaults = FactoryDefaults(choice.productType);
        store.productType = choice.productType;
    }
    if (choice.configurationEntry && !config.configurationFile.empty())
        ApplyConfigurationEntry(ui, config, store.dir, *choice.configurationEntry);
    return changed;
}

}  // namespace velk::link
