#include "import/import_database.h"
#include "import/import_wizard.h"
#include "import/staging_files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using namespace filter_bit;

// Two satellites; satellite 1 has a C-band carrier at 5000 MHz (horizontal)
// and a Ku carrier at 5001 MHz (vertical); satellite 2 one Ku carrier.
ImportSession SmallSession(std::uint8_t selected)
{
    ImportSession session;
    auto& st = session.staging;
    st.satellites = {{1, "Sat A", 0, selected, 192.0}, {1, "Sat B", 1, selected, 130.0}};
    st.carriers = {{1, 27500, 1, 5000, 0, "C1", 3, 1, selected},
                   {2, 27500, 1, 5001, 1, "C2", 3, 1, selected},
                   {3, 22000, 2, 11000, 1, "C3", 2, 1, selected}};
    st.services = {{1, "tv fta", selected, 101, 102, 101, 1, 0, 1},
                   {1, "radio scr", selected, kImportNoPid, 103, 103, 2, 1, 2},
                   {2, "tv scr", selected, 201, 202, 201, 3, 1, 1},
                   {3, "radio fta", selected, kImportNoPid, 302, 302, 4, 0, 2}};
    return session;
}

struct WizardTest : ::testing::Test {
    test::ScriptedUi ui;
    test::TempDir dir;

    std::vector<int> Selected(const ImportWizard& w) const
    {
        std::vector<int> s;
        for (const auto& c : w.Staging().carriers)
            s.push_back(c.selected);
        for (const auto& v : w.Staging().services)
            s.push_back(v.selected);
        return s;
    }
};

TEST_F(WizardTest, LnbListOperationsAndChecks)
{
    ImportWizard w(ui, dir.Path(), SmallSession(1));
    EXPECT_TRUE(w.SetLnbCount(2));
    ASSERT_EQ(w.LnbRows().size(), 2u);
    EXPECT_EQ(w.LnbRows()[1], (ImportLnb{1, 5150, 5150, 1}));
    EXPECT_FALSE(w.AddLnb(3499, 10600));
    EXPECT_FALSE(w.AddLnb(9750, 12751));
    EXPECT_TRUE(w.AddLnb(3500, 12750));
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>(2, kLnbRangeWarning)));
    EXPECT_EQ(w.LnbCount(), 3u);
    EXPECT_FALSE(w.DeleteLnb(std::nullopt));
    EXPECT_TRUE(w.DeleteLnb(0));
    EXPECT_EQ(w.LnbRows().back(), (ImportLnb{0, 12750, 3500, 1}));
    EXPECT_FALSE(w.SetLnbCount(256));
    // Growing the list counts live LNBs, not the deleted record kept in the file.
    EXPECT_TRUE(w.SetLnbCount(4));
    EXPECT_EQ(w.LnbRows().size(), 4u);
    EXPECT_TRUE(w.SetLnbCount(1));
    EXPECT_EQ(w.LnbRows().size(), 1u);
    EXPECT_EQ(test::ReadBytes(dir / staging_file::kLnb).size(), 5 * ImportLnb::kSize);
    EXPECT_TRUE(w.LeaveLnbStep());
    EXPECT_TRUE(w.DeleteLnb(0));
    EXPECT_FALSE(w.LeaveLnbStep());
    EXPECT_EQ(ui.Texts().back(), kNoLnbWarning);
}

TEST_F(WizardTest, OpenDatabaseLnbsAndSatelliteLnbNumbers)
{
    ImportWizard w(ui, dir.Path(), SmallSession(1));
    LnbRecord l;
    l.SetLowMhz(9750);
    l.SetHighMhz(10600);
    l.SetType(3);
    w.StartWithOpenDatabase(std::vector<LnbRecord>{l, l});
    EXPECT_EQ(w.LnbRows()[0], (ImportLnb{1, 10600, 9750, 3}));
    w.SetSatelliteLnb(1, 2);
    w.SetSatelliteLnb(0, 3);  // beyond the count: ignored
    EXPECT_EQ(w.Staging().satellites[0].lnbNumber, 1u);
    EXPECT_EQ(w.Staging().satellites[1].lnbNumber, 2u);
    EXPECT_FALSE(w.SetDefaultLnbToAll(0));
    EXPECT_TRUE(w.SetDefaultLnbToAll(2));
    EXPECT_EQ(w.Staging().satellites[0].lnbNumber, 2u);

    ImportWizard empty(ui, dir.Path(), SmallSession(1));
    empty.StartWithOpenDatabase({});
    EXPECT_EQ(empty.LnbRows(), (std::vector<ImportLnb>{{0, 5150, 5150, 0}}));
}

TEST_F(WizardTest, UncheckedSatelliteDropsItsCarriersAndServices)
{
    ImportWizard w(ui, dir.Path(), SmallSession(1));
    w.SetSatelliteSelected(0, false);
    EXPECT_TRUE(w.LeaveSatelliteStep());
    EXPECT_EQ(Selected(w), (std::vector<int>{0, 0, 1, 0, 0, 0, 1}));
    w.SelectAllSatellites(false);
    EXPECT_FALSE(w.LeaveSatelliteStep());
    EXPECT_EQ(ui.Texts().back(), kNoSatelliteWarning);
}

TEST_F(WizardTest, CarrierFilterBandsAndPolarisations)
{
    ImportWizard w(ui, dir.Path(), SmallSession(1));
    w.SetCarrierFilter(0, {0, kCBand, 0});
    EXPECT_EQ(Selected(w), (std::vector<int>{1, 0, 1, 1, 1, 0, 1}));
    w.SetCarrierFilter(0, {0, kKuBand, 0});
    EXPECT_EQ(Selected(w)[0], 0);
    EXPECT_EQ(Selected(w)[1], 1);
    w.SetCarrierFilter(0, {kHorizontal, 0, 0});
    EXPECT_EQ(Selected(w)[0], 1);
    EXPECT_EQ(Selected(w)[1], 0);
    w.SetCarrierFilter(std::nullopt, {0, 0, 0});  // no box at all: nothing passes
    EXPECT_EQ(Selected(w), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
    w.SetCarrierFilter(std::nullopt, {kVertical, kCBand, 1});  // Select All wins and clears the boxes
    EXPECT_EQ(w.SatelliteFilters().back(), (FilterRecord{0, 0, 1}));
    EXPECT_EQ(test::ReadBytes(dir / staging_file::kSatelliteFilters), (Bytes{0, 0, 1, 0, 0, 1, 0, 0, 1}));
}

TEST_F(WizardTest, FiltersAppliedOnStepChange)
{
    ImportWizard w(ui, dir.Path(), SmallSession(0));
    w.SelectAllSatellites(true);
    // The "all" carrier filter: Ku vertical; satellite 1 keeps its own C-band filter.
    w.SetCarrierFilter(std::nullopt, {kVertical, kKuBand, 0});
    w.SetCarrierFilter(0, {0, kCBand, 0});
    for (std::size_t c = 0; c < 3; ++c)
        w.SetCarrierSelected(c, false);
    ASSERT_TRUE(w.LeaveSatelliteStep());
    EXPECT_EQ(Selected(w), (std::vector<int>{1, 0, 1, 0, 0, 0, 0}));
    w.SetServiceFilter(std::nullopt, {kFta, 0, 0});
    for (std::size_t s = 0; s < 4; ++s)
        w.SetServiceSelected(s, false);
    w.LeaveCarrierStep();
    EXPECT_EQ(Selected(w), (std::vector<int>{1, 0, 1, 1, 0, 0, 1}));
    w.SetServiceFilter(2, {0, kRadio, 0});
    w.SetServiceFilter(0, {kScrambled, kTv, 0});
    EXPECT_EQ(Selected(w), (std::vector<int>{1, 0, 1, 0, 0, 0, 1}));
}

TEST(ImportFilters, Boundaries)
{
    EXPECT_TRUE(CarrierPassesFilter({0, kCBand, 0}, 5000, 0));
    EXPECT_FALSE(CarrierPassesFilter({0, kCBand, 0}, 5001, 0));
    EXPECT_TRUE(CarrierPassesFilter({0, kKuBand, 0}, 5001, 0));
    EXPECT_TRUE(CarrierPassesFilter({0, kCBand | kKuBand, 0}, 1, 3));
    EXPECT_TRUE(CarrierPassesFilter({kVertical, 0, 0}, 1, 2));  // anything but horizontal
    EXPECT_FALSE(CarrierPassesFilter({0, 0, 0}, 11000, 1));
    EXPECT_TRUE(CarrierPassesFilter({0, 0, 1}, 11000, 1));
    EXPECT_TRUE(ServicePassesFilter({kFta, 0, 0}, 1, 0));
    EXPECT_FALSE(ServicePassesFilter({kFta, 0, 0}, 1, 1));
    EXPECT_TRUE(ServicePassesFilter({0, kTv | kRadio, 0}, 2, 1));
    EXPECT_FALSE(ServicePassesFilter({0, 0, 0}, 1, 0));
}

TEST_F(WizardTest, ImportDatabaseFromTheSelection)
{
    auto session = SmallSession(1);
    // Services in list order across carriers: 1, 3, 1.
    session.staging.services[1].carrier = 3;
    session.staging.services[2].carrier = 1;
    ImportWizard w(ui, dir.Path(), std::move(session));
    ASSERT_TRUE(w.SetLnbCount(2));
    w.SetSatelliteLnb(1, 2);
    w.SetCarrierSelected(1, false);
    WorkingStore store;
    const auto db = SelectImportDatabase(ui, w.Staging(), w.LnbList(), store, sdb::SdbSession{});
    ASSERT_TRUE(db);
    ASSERT_EQ(db->lnbs.size(), 2u);
    EXPECT_EQ(db->lnbs[0]->word, 0xD0000000u | (5150u << 14) | 5150u);
    ASSERT_EQ(db->satellites.size(), 2u);
    EXPECT_EQ(db->satellites[0]->carrierCount, 1u);
    EXPECT_EQ(db->satellites[1]->lnbIndex, 1u);
    EXPECT_EQ(db->satellites[1]->west, 1u);
    EXPECT_EQ(db->satellites[1]->angle, 130);
    ASSERT_EQ(db->carriers.size(), 2u);
    EXPECT_EQ(db->carriers[0].serviceCount, 2u);
    EXPECT_EQ(db->carriers[1].satelliteIndex, 1u);
    EXPECT_EQ(db->carriers[1].skew, 90u);
    EXPECT_EQ(db->carriers[1].name.Text(), "C3");
    // Grouped by carrier: tv fta, tv scr (carrier 1), radio scr, radio fta (carrier 3).
    ASSERT_EQ(db->services.size(), 4u);
    EXPECT_EQ(db->services[1].name.Text(), "tv scr");
    EXPECT_EQ(db->services[2].name.Text(), "radio scr");
    EXPECT_EQ(db->services[2].programNumber, 2u);
    EXPECT_EQ(db->services[0].flagA, 1u);
    EXPECT_EQ(db->services[0].flagB + db->services[0].nameUnchanged + db->services[0].pidsUnchanged, 0);
    // The channel order is the list's.
    EXPECT_EQ(db->osl, (std::vector<std::uint16_t>{0, 2, 1, 3}));
}

TEST(ImportDatabase, RefusesMoreServicesThanTheFileHolds)
{
    test::ScriptedUi ui;
    ImportStaging st;
    st.satellites = {{1, "S", 0, 1, 0}};
    st.carriers = {{1, 27500, 1, 11000, 0, "C", 0, 0, 1}};
    st.services.assign(70000, ImportService{1, "x", 1, 1, 2, 1, 1, 0, 1});
    EXPECT_FALSE(SelectImportDatabase(ui, st, {}, WorkingStore{}, sdb::SdbSession{}));
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Too many services selected ( 70000 ); a BIN file holds at most 65535."});
}

}  // namespace
}  // namespace velk
