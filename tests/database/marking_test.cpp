#include "edit_fixture.h"

#include "database/factory_default.h"
#include "database/marking.h"

namespace velk::test {
namespace {

using Names = std::vector<std::string>;
using Rows = std::vector<std::uint32_t>;

std::vector<int> Flags(const WorkingStore& store)
{
    // Satellite flags, then carrier flags, then service flags, in record order.
    const auto image = LoadStoreImage(store, image_part::kSatellites | image_part::kCarriers | image_part::kServices);
    std::vector<int> out;
    for (const auto& s : image->satellites)
        out.push_back(s.factoryDefault);
    for (const auto& c : image->carriers)
        out.push_back(c.factoryDefault);
    for (const auto& s : image->services)
        out.push_back(s.factoryDefault);
    return out;
}

TEST_F(EditTest, FactoryDefaultFollowsTheHierarchy)
{
    Build({{1, 1}, {1}});
    const ServiceView all{};
    const Rows second{2};
    // Marking one service sets its carrier and satellite.
    const auto set = MarkServices(store, ui, all, second, ServiceMark::FactoryDefault);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->carriers, Rows{2});
    EXPECT_EQ(set->satellites, Rows{1});
    EXPECT_EQ(Flags(store), (std::vector<int>{1, 0, 0, 1, 0, 0, 1, 0}));
    // F4 on a carrier of a satellite that is not factory default is refused.
    EXPECT_FALSE(ToggleCarrierFactoryDefault(store, ui, 2, 1));
    ASSERT_TRUE(ToggleCarrierFactoryDefault(store, ui, 1, 1));
    EXPECT_EQ(Flags(store), (std::vector<int>{1, 0, 1, 1, 0, 0, 1, 0}));
    // Clearing the satellite clears everything below it; F4 twice restores only the satellite.
    const auto cleared = ToggleSatelliteFactoryDefault(store, ui, 1);
    ASSERT_TRUE(cleared);
    EXPECT_EQ(cleared->carriers, (Rows{1, 2}));
    ASSERT_TRUE(ToggleSatelliteFactoryDefault(store, ui, 1));
    EXPECT_EQ(Flags(store), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ui.Texts(), Names{"Not possible to set factory default.\nBecause satellite factory default is not set."});
}

TEST_F(EditTest, CarrierMarksTouchExactlyTheSelectedRows)
{
    Build({{0, 0, 0, 0}, {0}});
    const Rows picked{1, 3, 4};
    ASSERT_TRUE(MarkCarriers(store, ui, 1, picked, CarrierField::Polarization, 1));
    const Rows second{2};
    ASSERT_TRUE(MarkCarriers(store, ui, 1, second, CarrierField::Fec, 3));
    EXPECT_EQ(SelectCarriers(store, ui, 1, CarrierField::Polarization, 1), (RowSelection{true, false, true, true}));
    EXPECT_EQ(SelectCarriers(store, ui, 1, CarrierField::Fec, 3), (RowSelection{false, true, false, false}));
    EXPECT_EQ(SelectCarriers(store, ui, 0, CarrierField::Polarization, 0), (RowSelection{false, true, false, false, true}));
    EXPECT_EQ(InvertSelection(RowSelection(3, false)), SelectAllRows(3));
    // In "All Carrier(s)", carriers of satellites that are not factory default are refused.
    EXPECT_FALSE(CanMarkCarrierFactoryDefault(store, 1, picked));
    const Rows first{1};
    ASSERT_TRUE(MarkSatellites(store, ui, first, SatelliteField::FactoryDefault, 1));
    EXPECT_TRUE(CanMarkCarrierFactoryDefault(store, 1, picked));
    const Rows mixed{1, 5};
    EXPECT_TRUE(CanMarkCarrierFactoryDefault(store, 0, mixed));
    const auto marked = MarkCarriers(store, ui, 0, mixed, CarrierField::FactoryDefault, 1);
    ASSERT_TRUE(marked);
    EXPECT_EQ(marked->carriers, Rows{1});
    EXPECT_EQ(SelectCarriers(store, ui, 0, CarrierField::FactoryDefault, 1), (RowSelection{true, false, false, false, false}));
    EXPECT_EQ(ui.Texts(), Names{"This process is failed for some carrier(s) \nBecause satellite of those carrier(s) are not set Factory Default"});
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
}

TEST_F(EditTest, MarkingRadioInATvViewRebuildsTheView)
{
    Build({{4}});
    const ServiceView tv{ViewKind::AllServices, 0, 0, ServiceFilter::Tv};
    ASSERT_EQ(BuildServiceView(store, ui, tv)->size(), 4u);
    const Rows rows{2, 3};
    const auto marked = MarkServices(store, ui, tv, rows, ServiceMark::Radio);
    ASSERT_TRUE(marked);
    EXPECT_TRUE(marked->rowsChanged);
    EXPECT_EQ(ReadOrderList(store, store_file::kAllServicesView), (std::vector<std::uint16_t>{0, 3}));
    EXPECT_EQ(ReadRecord<ServiceRecord>(store, ui, 2)->videoPid, kNoPid);
    const ServiceView all{};
    EXPECT_EQ(SelectServices(store, ui, all, ServiceTest::Radio), (RowSelection{false, true, true, false}));
    const Rows last{4};
    ASSERT_TRUE(MarkServices(store, ui, all, last, ServiceMark::FavouriteGroup, 3));
    ASSERT_TRUE(MarkServices(store, ui, all, last, ServiceMark::Scrambled));
    EXPECT_EQ(SelectServices(store, ui, all, ServiceTest::Group, 3), (RowSelection{false, false, false, true}));
    EXPECT_EQ(SelectServices(store, ui, all, ServiceTest::NoGroup), (RowSelection{true, true, true, false}));
    EXPECT_EQ(SelectServices(store, ui, all, ServiceTest::Scrambled), (RowSelection{false, false, false, true}));
    const auto kept = MarkServices(store, ui, all, last, ServiceMark::Tv);
    EXPECT_FALSE(kept->rowsChanged);
}

TEST_F(EditTest, LnbAndSatelliteMarksWriteTheirFields)
{
    Build({{0}, {0}});
    ASSERT_TRUE(AddLnbRecord(store, ui));
    const Rows second{2};
    ASSERT_TRUE(MarkLnbs(store, ui, second, LnbField::Diseqc10, 1));
    ASSERT_TRUE(MarkLnbs(store, ui, second, LnbField::Power, 0));
    ASSERT_TRUE(MarkLnbs(store, ui, second, LnbField::Type, 2));
    const auto lnb = *ReadRecord<LnbRecord>(store, ui, 2);
    EXPECT_EQ(lnb.switchBlock.diseqc10, 1);
    EXPECT_FALSE(lnb.PowerOn());
    EXPECT_EQ(lnb.Type(), 2u);
    EXPECT_EQ(lnb.LowMhz(), 9750u);
    EXPECT_EQ(SelectLnbs(store, ui, LnbField::Power, 1), (RowSelection{true, false}));
    ASSERT_TRUE(MarkSatellites(store, ui, second, SatelliteField::LnbIndex, 1));
    ASSERT_TRUE(MarkSatellites(store, ui, second, SatelliteField::LnbIndex, 2));  // past the LNBs: ignored
    ASSERT_TRUE(MarkSatellites(store, ui, second, SatelliteField::EastWest, 1));
    EXPECT_EQ(SelectSatellites(store, ui, SatelliteField::LnbIndex, 1), (RowSelection{false, true}));
    EXPECT_EQ(SelectSatellites(store, ui, SatelliteField::EastWest, 0), (RowSelection{true, false}));
    const Rows beyond{3};
    EXPECT_FALSE(MarkSatellites(store, ui, beyond, SatelliteField::EastWest, 1));
    EXPECT_EQ(ui.Texts(), Names{"File access error ( Markas Carrier )"});
}

}  // namespace
}  // namespace velk::test
