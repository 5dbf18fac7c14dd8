#include "shell/preferences.h"

#include "common/build_info.h"
#include "common/c_number.h"
#include "common/format.h"

#include <algorithm>

namespace velk {
namespace {

const std::string kRecently = "Recently";
const std::string kColor = "Color";
const std::string kPortSettings = "PortSettings";
const std::string kSaveLayout = "SaveLayout";

std::string RecentName(std::size_t n) { return Format("FileName%zu", n); }

struct ColourValue {
    const char* name;
    std::uint32_t ColourTable::*field;
};
constexpr std::array<ColourValue, 6> kColours{{
    {"ActSatellite", &ColourTable::activeSatellite},
    {"InactSatellite", &ColourTable::inactiveSatellite},
    {"ActCarrier", &ColourTable::activeCarrier},
    {"InactCarrier", &ColourTable::inactiveCarrier},
    {"TVService", &ColourTable::tvService},
    {"RadioService", &ColourTable::radioService},
}};

struct PortIndex {
    const char* name;
    std::uint8_t PortSettings::*field;
    const char* defaultText;
};
constexpr std::array<PortIndex, 4> kPortIndexes{{
    {"BaudRate", &PortSettings::baudRateIndex, "12"},
    {"DataBits", &PortSettings::dataBitsIndex, "4"},
    {"Parity", &PortSettings::parityIndex, "0"},
    {"StopBits", &PortSettings::stopBitsIndex, "0"},
}};

}  // namespace

std::string PreferenceKey(const std::string& subKey)
{
    return Format("Software\\Kym\\VelkEditor\\%s\\Version%d.%d.%d\\", build::kProjectId, build::kMajor, build::kMinor, build::kBuild) + subKey;
}

void RecentFiles::Load(const KeyValueStore& store)
{
    count_ = 0;
    const auto key = PreferenceKey(kRecently);
    for (std::size_t n = 1; n <= kRecentSlots; ++n) {
        const auto value = store.Read(key, RecentName(n));
        if (!value)
            break;
        slots_[count_++] = value->substr(0, 259);
    }
}

void RecentFiles::Add(const std::string& path)
{
    const auto end = slots_.begin() + static_cast<std::ptrdiff_t>(count_);
    const auto found = std::find(slots_.begin(), end, path);
    if (found != end) {
        std::rotate(found, found + 1, end);
        --count_;
    }
    std::rotate(slots_.rbegin(), slots_.rbegin() + 1, slots_.rend());  // slot 3 drops out when full
    slots_[0] = path;
    count_ = std::min(count_ + 1, kRecentSlots);
    for (std::size_t i = count_; i < kRecentSlots; ++i)
        slots_[i].clear();
}

void RecentFiles::Store(KeyValueStore& store) const
{
    const auto key = PreferenceKey(kRecently);
    for (std::size_t i = 0; i < count_ && !slots_[i].empty(); ++i)
        store.Write(key, RecentName(i + 1), slots_[i]);
}

std::vector<RecentFiles::MenuItem> RecentFiles::MenuItems() const
{
    std::vector<MenuItem> items;
    for (std::size_t i = 0; i < count_; ++i)
        items.push_back({Format("&%zu  %s", i + 1, slots_[i].c_str()), kFirstRecentCommand + static_cast<int>(i)});
    return items;
}

void ColourTable::Load(const KeyValueStore& store)
{
    const auto key = PreferenceKey(kColor);
    if (!store.HasKey(key))
        return;
    for (const auto& c : kColours) {
        const auto text = store.Read(key, c.name);
        const auto value = text ? ParseDecimal(*text) : 0;
        if (value != 0)
            this->*c.field = static_cast<std::uint32_t>(value);
    }
}

void ColourTable::Store(KeyValueStore& store) const
{
    const auto key = PreferenceKey(kColor);
    for (const auto& c : kColours)
        store.Write(key, c.name, std::to_string(this->*c.field));
}

int ReadWriteCOMPortValuesToReg(KeyValueStore& store, PortSettings& settings, int mode)
{
    const auto key = PreferenceKey(kPortSettings);
    if (!store.HasKey(key)) {
        store.Write(key, "Port", "COM1");
        for (const auto& p : kPortIndexes)
            store.Write(key, p.name, p.defaultText);
        return 1;
    }
    if (mode == 1) {
        if (const auto port = store.Read(key, "Port"))
            settings.port = *port;
        for (const auto& p : kPortIndexes)
            if (const auto text = store.Read(key, p.name))
                settings.*p.field = static_cast<std::uint8_t>(ParseDecimal(*text));
    } else if (mode == 2) {
        store.Write(key, "Port", settings.port);
        for (const auto& p : kPortIndexes)
            store.Write(key, p.name, std::to_string(settings.*p.field));
    }
    return 1;
}

void LoadSaveLayout(const KeyValueStore& store, sdb::SaveLayoutChoice& choice)
{
    const auto key = PreferenceKey(kSaveLayout);
    if (const auto layout = store.Read(key, "Layout"))
        choice.layout = sdb::LayoutFromName(*layout).value_or(choice.layout);
    if (const auto ask = store.Read(key, "Ask"); ask == "0" || ask == "1")
        choice.askWhenOldLoses = *ask == "1";
}

void StoreSaveLayout(KeyValueStore& store, const sdb::SaveLayoutChoice& choice)
{
    const auto key = PreferenceKey(kSaveLayout);
    store.Write(key, "Layout", sdb::LayoutName(choice.layout));
    store.Write(key, "Ask", choice.askWhenOldLoses ? "1" : "0");
}

void StoreRegistryValues(KeyValueStore& store, const std::string& parserPath, const std::string& configurationPath, const RecentFiles& recent)
{
    if (!parserPath.empty())
        store.Write(PreferenceKey("Parser"), "FileName", parserPath);
    if (!configurationPath.empty())
        store.Write(PreferenceKey("Configuration"), "FileName", configurationPath);
    recent.Store(store);
}

}  // namespace velk

namespace velk {

void Preferences::Load(KeyValueStore& store)
{
    recent.Load(store);
    colours.Load(store);
    LoadSaveLayout(store, saveLayout);
    ReadWriteCOMPortValuesToReg(store, port, 1);
}

void Preferences::StoreAtExit(KeyValueStore& store) const
{
    StoreRegistryValues(store, parserPath, configurationPath, recent);
}

}  // namespace velk
