#include "shell/preferences.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(Preferences, KeyPathCarriesProjectAndVersion)
{
    const auto key = PreferenceKey("Recently");
    EXPECT_EQ(key.rfind("Software\\Kym\\VelkEditor\\", 0), 0u);
    EXPECT_NE(key.find("\\Version"), std::string::npos);
    EXPECT_EQ(key.substr(key.size() - 9), "\\Recently");
}

TEST(RecentFiles, DeduplicatesAndKeepsFourMostRecentFirst)
{
    RecentFiles recent;
    recent.Add("/a.bin");
    recent.Add("/a.bin");
    EXPECT_EQ(recent.Count(), 1u);
    for (auto p : {"/b.bin", "/c.bin", "/d.bin", "/e.bin"})
        recent.Add(p);
    ASSERT_EQ(recent.Count(), 4u);
    EXPECT_EQ(recent.At(0), "/e.bin");
    EXPECT_EQ(recent.At(3), "/b.bin");
    recent.Add("/c.bin");
    EXPECT_EQ(recent.At(0), "/c.bin");
    EXPECT_EQ(recent.At(1), "/e.bin");
    EXPECT_EQ(recent.At(2), "/d.bin");
    EXPECT_EQ(recent.At(3), "/b.bin");
    const auto items = recent.MenuItems();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "&1  /c.bin");
    EXPECT_EQ(items[0].command, 40051);
    EXPECT_EQ(items[3].command, 40054);
}

TEST(RecentFiles, StoreAndLoadStopAtTheFirstGap)
{
    MemoryKeyValueStore store;
    RecentFiles recent;
    recent.Add("/x.bin");
    recent.Add("/y.bin");
    recent.Store(store);
    RecentFiles loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.Count(), 2u);
    EXPECT_EQ(loaded.At(0), "/y.bin");
    store.Write(PreferenceKey("Recently"), "FileName4", "/orphan.bin");
    loaded.Load(store);
    EXPECT_EQ(loaded.Count(), 2u);
}

TEST(Preferences, FirstRunWritesPortDefaultsAndNoRecentFiles)
{
    MemoryKeyValueStore store;
    Preferences prefs;
    prefs.port.baudRateIndex = 3;
    prefs.Load(store);
    const auto key = PreferenceKey("PortSettings");
    EXPECT_EQ(store.Read(key, "Port"), "COM1");
    EXPECT_EQ(store.Read(key, "BaudRate"), "12");
    EXPECT_EQ(store.Read(key, "DataBits"), "4");
    EXPECT_EQ(store.Read(key, "Parity"), "0");
    EXPECT_EQ(store.Read(key, "StopBits"), "0");
    EXPECT_EQ(prefs.port.baudRateIndex, 3);  // a new key leaves memory alone
    EXPECT_EQ(prefs.recent.Count(), 0u);
}

TEST(Preferences, PortSettingsRoundTrip)
{
    MemoryKeyValueStore store;
    PortSettings port;
    ReadWriteCOMPortValuesToReg(store, port, 1);
    port = PortSettings{"/dev/ttyUSB0", 7, 2, 3, 1};
    EXPECT_EQ(ReadWriteCOMPortValuesToReg(store, port, 2), 1);
    PortSettings back;
    ReadWriteCOMPortValuesToReg(store, back, 1);
    EXPECT_EQ(back, port);
}

TEST(Preferences, ColourZeroCountsAsAbsent)
{
    MemoryKeyValueStore store;
    ColourTable colours;
    colours.tvService = 0x123456;
    colours.Store(store);
    store.Write(PreferenceKey("Color"), "InactCarrier", "0");
    ColourTable loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.tvService, 0x123456u);
    EXPECT_EQ(loaded.inactiveCarrier, 0xFF0000u);
}

TEST(Preferences, ParserAndConfigurationAreWrittenOnlyWhenSet)
{
    MemoryKeyValueStore store;
    Preferences prefs;
    prefs.configurationPath = "/etc/box.ecf";
    prefs.StoreAtExit(store);
    EXPECT_EQ(store.Read(PreferenceKey("Configuration"), "FileName"), "/etc/box.ecf");
    EXPECT_FALSE(store.HasKey(PreferenceKey("Parser")));
}

TEST(Preferences, SaveLayoutDefaultsToTheOldLayoutAskingAndRoundTrips)
{
    MemoryKeyValueStore store;
    Preferences prefs;
    prefs.Load(store);
    EXPECT_EQ(prefs.saveLayout.layout, sdb::SdbLayout::Old);
    EXPECT_TRUE(prefs.saveLayout.askWhenOldLoses);
    StoreSaveLayout(store, {sdb::SdbLayout::New, false});
    EXPECT_EQ(store.Read(PreferenceKey("SaveLayout"), "Layout"), "new");
    Preferences loaded;
    loaded.Load(store);
    EXPECT_EQ(loaded.saveLayout.layout, sdb::SdbLayout::New);
    EXPECT_FALSE(loaded.saveLayout.askWhenOldLoses);
    // Values this build does not know keep the defaults.
    store.Write(PreferenceKey("SaveLayout"), "Layout", "newest");
    store.Write(PreferenceKey("SaveLayout"), "Ask", "maybe");
    Preferences unknown;
    unknown.Load(store);
    EXPECT_EQ(unknown.saveLayout.layout, sdb::SdbLayout::Old);
    EXPECT_TRUE(unknown.saveLayout.askWhenOldLoses);
}

}  // namespace
}  // namespace velk
