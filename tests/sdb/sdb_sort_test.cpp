#include "sample_store.h"

#include "common/files.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_sort.h"
#include "sdb/sdb_writer.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk::test {
namespace {

using namespace velk::sdb;

std::vector<std::string> Names(const auto& records)
{
    std::vector<std::string> names;
    for (const auto& r : records) {
        if constexpr (requires { r.has_value(); })
            names.push_back(r ? r->name.Text() : "");
        else
            names.push_back(r.name.Text());
    }
    return names;
}

SdbContent Sorted(SampleStore& s, const SortSettings& settings)
{
    auto c = ContentFromStore(s.store, s.session).value();
    ScriptedUi ui;
    SortContent(c, settings, ui);
    return c;
}

TEST(SdbSortInsertion, EqualKeysGoRightAfterTheEqualKeyTheSearchMeets)
{
    // Keys by record: 5, 5, 5, 1. Inserting the third 5 into [0, 1] meets
    // record 0 (the lower middle) and goes right after it; the 1 goes first.
    const std::vector<int> keys{5, 5, 5, 1};
    auto less = [&](std::uint16_t a, std::uint16_t b) { return keys[a] < keys[b]; };
    auto equal = [&](std::uint16_t a, std::uint16_t b) { return keys[a] == keys[b]; };
    EXPECT_EQ(InsertionOrder(keys.size(), SortOrder::Ascending, less, equal), (std::vector<std::uint16_t>{3, 0, 2, 1}));
    const std::vector<int> more{2, 2, 2, 2};
    auto lessM = [&](std::uint16_t a, std::uint16_t b) { return more[a] < more[b]; };
    auto equalM = [&](std::uint16_t a, std::uint16_t b) { return more[a] == more[b]; };
    // [0] -> [0,1] -> mid 0 equal: [0,2,1] -> mid 1 (2) equal: [0,2,3,1].
    EXPECT_EQ(InsertionOrder(more.size(), SortOrder::Ascending, lessM, equalM), (std::vector<std::uint16_t>{0, 2, 3, 1}));
    const std::vector<int> desc{1, 3, 2};
    auto lessD = [&](std::uint16_t a, std::uint16_t b) { return desc[a] < desc[b]; };
    auto equalD = [&](std::uint16_t a, std::uint16_t b) { return desc[a] == desc[b]; };
    EXPECT_EQ(InsertionOrder(desc.size(), SortOrder::Descending, lessD, equalD), (std::vector<std::uint16_t>{1, 2, 0}));
}

TEST(SdbSort, SatelliteNamesIgnoreCaseAndCarriersFollow)
{
    SampleStore s;
    s.Fill({MakeLnb(9750, 10600)},
           {MakeSatellite("beta", 0, 10, 1), MakeSatellite("Alpha", 0, 20, 1), MakeSatellite("ALPHA2", 0, 30, 0)},
           {MakeCarrier("onBeta", 0, 1, 1, 0), MakeCarrier("onAlpha", 1, 2, 2, 0)}, {});
    SortSettings settings;
    settings.satellites = {SatelliteSortKey::Name, SortOrder::Ascending};
    const auto c = Sorted(s, settings);
    EXPECT_EQ(Names(c.satellites), (std::vector<std::string>{"Alpha", "ALPHA2", "beta"}));
    EXPECT_EQ(c.carriers[0].satelliteIndex, 2);  // beta is now third
    EXPECT_EQ(c.carriers[1].satelliteIndex, 0);
    settings.satellites.order = SortOrder::Descending;
    EXPECT_EQ(Names(Sorted(s, settings).satellites), (std::vector<std::string>{"beta", "ALPHA2", "Alpha"}));
}

TEST(SdbSort, TwoGroupKeysAndNumbers)
{
    SampleStore s;
    s.Fill({MakeLnb(9750, 10600)},
           {MakeSatellite("W1", 0, 300, 0), MakeSatellite("E1", 0, 100, 0), MakeSatellite("W2", 0, 250, 0), MakeSatellite("E2", 0, 50, 0)},
           {}, {});
    SortSettings settings;
    settings.satellites = {SatelliteSortKey::EastWest, SortOrder::Ascending};
    const auto east = Names(Sorted(s, settings).satellites);
    EXPECT_EQ(east[0].substr(0, 1) + east[1].substr(0, 1) + east[2].substr(0, 1) + east[3].substr(0, 1), "EEWW");
    settings.satellites = {SatelliteSortKey::Angle, SortOrder::Descending};
    EXPECT_EQ(Names(Sorted(s, settings).satellites), (std::vector<std::string>{"W1", "W2", "E1", "E2"}));
}

TEST(SdbSort, CarrierSortRegroupsServicesAndKeepsTheChannelOrder)
{
    SampleStore s;
    s.FillSample();  // A(2 services: One, Two), B(Three), C(none); OSL 2, 0, 1
    SortSettings settings;
    settings.carriers = {CarrierSortKey::Frequency, SortOrder::Ascending};  // C 10800, A 11000, B 12000
    const auto c = Sorted(s, settings);
    EXPECT_EQ(Names(c.carriers), (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_EQ(Names(c.services), (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_EQ(ServiceCarrierPositions(c), (std::vector<std::uint16_t>{1, 1, 2}));
    // Channel order still Three, One, Two.
    std::vector<std::string> channel;
    for (const auto i : c.osl)
        channel.push_back(c.services[i].name.Text());
    EXPECT_EQ(channel, (std::vector<std::string>{"Three", "One", "Two"}));

    settings.carriers = {CarrierSortKey::Name, SortOrder::Descending};  // C, B, A
    const auto d = Sorted(s, settings);
    EXPECT_EQ(Names(d.services), (std::vector<std::string>{"Three", "One", "Two"}));
    EXPECT_EQ(ServiceCarrierPositions(d), (std::vector<std::uint16_t>{1, 2, 2}));
}

TEST(SdbSort, ServiceSortChangesOnlyTheChannelOrder)
{
    SampleStore s;
    s.FillSample();
    SortSettings settings;
    settings.services = {ServiceSortKey::Type, SortOrder::Descending};  // radio first
    const auto c = Sorted(s, settings);
    EXPECT_EQ(Names(c.services), (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_EQ(c.osl[0], 1);
    settings.services = {ServiceSortKey::Name, SortOrder::Ascending};
    EXPECT_EQ(Sorted(s, settings).osl, (std::vector<std::uint16_t>{0, 2, 1}));
    settings.services = {ServiceSortKey::Scrambling, SortOrder::Descending};
    EXPECT_EQ(Sorted(s, settings).osl[0], 1);
}

TEST(SdbSort, SortButtonWritesUndoCopySortsAndReopens)
{
    SampleStore s;
    s.FillSample();
    s.session.currentFile = s.dir / "current.bin";
    ScriptedUi ui;
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, s.session.currentFile, false, false), 1);
    const auto before = ReadBytes(s.session.currentFile);
    SortSettings settings;
    settings.satellites = {SatelliteSortKey::Name, SortOrder::Descending};
    ASSERT_EQ(SortButton(s.store, s.session, ui, settings), 1);
    EXPECT_EQ(ReadBytes(s.dir / "UndoSorting.bin"), before);
    EXPECT_EQ(Names(s.Satellites()), (std::vector<std::string>{"Hotbird", "Astra"}));
    ASSERT_EQ(UndoSorting(s.store, s.session, ui), 1);
    EXPECT_EQ(ReadBytes(s.session.currentFile), before);
    EXPECT_EQ(Names(s.Satellites()), (std::vector<std::string>{"Astra", "Hotbird"}));
    EXPECT_TRUE(ui.Texts().empty());
}

TEST(SdbSort, SaveAsCancelledAfterTheUndoCopyAndNothingToSort)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    EXPECT_EQ(SortSaveAsButton(s.store, s.session, ui, {}), 0);
    EXPECT_TRUE(std::filesystem::exists(s.dir / "UndoSorting.bin"));
    EXPECT_EQ(ui.fileChoices.at(0).title, "Save As");
    SampleStore empty;
    EXPECT_FALSE(CanSort(empty.store, ui));
    EXPECT_EQ(ui.messages.back().text, "Add the information to sort");
    EXPECT_EQ(ui.messages.back().icon, Icon::Warning);
    // One record per level: nothing to reorder.
    empty.store.satelliteCount = empty.store.carrierCount = empty.store.serviceCount = 1;
    EXPECT_FALSE(CanSort(empty.store, ui));
    empty.store.serviceCount = 2;
    EXPECT_TRUE(CanSort(empty.store, ui));
}

}  // namespace
}  // namespace velk::test
