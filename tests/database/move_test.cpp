#include "edit_fixture.h"

#include "database/move_dialogs.h"
#include "database/move_records.h"
#include "database/move_services.h"

namespace velk::test {
namespace {

using Names = std::vector<std::string>;

// "<satellite name>/<carrier name>" in carrier order: the tree as the window shows it.
Names Tree(const WorkingStore& store)
{
    const auto image = LoadStoreImage(store, image_part::kSatellites | image_part::kCarriers | image_part::kCarrierOrder);
    Names out;
    for (const auto k : image->carrierOrder)
        out.push_back(image->satellites[image->carriers[k].satelliteIndex].name.Text() + "/" + image->carriers[k].name.Text());
    return out;
}

void SetType(WorkingStore& store, Ui& ui, std::uint32_t r, std::uint8_t type)
{
    auto record = *ReadRecord<ServiceRecord>(store, ui, r);
    record.type = type;
    ASSERT_TRUE(WriteRecord(store, ui, r, record));
}

TEST_F(EditTest, SatellitesMoveAndSwapWithTheirCarriers)
{
    Build({{1}, {2, 1}, {1}});
    const auto services = ServiceCarriers(store);
    const auto channels = ChannelNames(store);
    ASSERT_TRUE(MoveSatellite(store, ui, 1, 3));
    EXPECT_EQ(Tree(store), (Names{"S2/s2c1", "S2/s2c2", "S3/s3c1", "S1/s1c1"}));
    ASSERT_TRUE(SwapSatellites(store, ui, 1, 3));
    EXPECT_EQ(Tree(store), (Names{"S1/s1c1", "S3/s3c1", "S2/s2c1", "S2/s2c2"}));
    ASSERT_TRUE(MoveSatellite(store, ui, 3, 1));
    EXPECT_EQ(Tree(store), (Names{"S2/s2c1", "S2/s2c2", "S1/s1c1", "S3/s3c1"}));
    EXPECT_EQ(ServiceCarriers(store), services);
    EXPECT_EQ(ChannelNames(store), channels);
    EXPECT_FALSE(MoveSatellite(store, ui, 1, 4));
    EXPECT_EQ(ui.Texts(), Names{"Error No: -12 \n Move Satellite Information"});
}

TEST_F(EditTest, CarriersMoveAndSwapWithTheirServicesKeepingTheChannelOrder)
{
    Build({{1}, {2, 0, 3}});
    // A channel order unlike the record order.
    std::vector<std::uint16_t> osl{5, 1, 3, 0, 2, 4};
    ASSERT_TRUE(WriteOrderList(store, store_file::kServiceOrder, osl));
    const auto services = ServiceCarriers(store);
    const auto channels = ChannelNames(store);
    ASSERT_TRUE(SwapCarriers(store, ui, 2, 1, 3));
    EXPECT_EQ(Tree(store), (Names{"S1/s1c1", "S2/s2c3", "S2/s2c2", "S2/s2c1"}));
    EXPECT_EQ(ServiceCarriers(store), services);
    EXPECT_EQ(ChannelNames(store), channels);
    ASSERT_TRUE(MoveCarrier(store, ui, 2, 3, 1));
    EXPECT_EQ(Tree(store), (Names{"S1/s1c1", "S2/s2c1", "S2/s2c3", "S2/s2c2"}));
    ASSERT_TRUE(MoveCarrier(store, ui, 2, 1, 2));
    EXPECT_EQ(Tree(store), (Names{"S1/s1c1", "S2/s2c3", "S2/s2c1", "S2/s2c2"}));
    EXPECT_EQ(ServiceCarriers(store), services);
    EXPECT_EQ(ChannelNames(store), channels);
    EXPECT_EQ(RecordNames(store), (Names{"s1c1v1", "s2c3v1", "s2c3v2", "s2c3v3", "s2c1v1", "s2c1v2"}));
}

TEST_F(EditTest, ServiceBlockMovesNextToTheTargetRowInAFilteredView)
{
    Build({{6}});
    SetType(store, ui, 2, kServiceRadio);
    SetType(store, ui, 5, kServiceRadio);
    const ServiceView tv{ViewKind::Carrier, 1, 1, ServiceFilter::Tv};
    ASSERT_EQ(BuildServiceView(store, ui, tv)->size(), 4u);  // v1 v3 v4 v6
    ASSERT_TRUE(MoveServiceBlock(store, ui, tv, 0, 2, 3));     // v1, v3 after v6
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v2", "s1c1v4", "s1c1v5", "s1c1v6", "s1c1v1", "s1c1v3"}));
    const auto rows = BuildServiceView(store, ui, tv);
    ASSERT_EQ(rows->size(), 4u);
    EXPECT_EQ(rows->at(2).service.name.Text(), "s1c1v1");
    ASSERT_TRUE(MoveServiceBlock(store, ui, tv, 2, 2, 0));  // and back before v4
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v2", "s1c1v1", "s1c1v3", "s1c1v4", "s1c1v5", "s1c1v6"}));
    ASSERT_TRUE(MoveServiceBlock(store, ui, {}, 3, 2, 4));  // a target inside the block changes nothing
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v2", "s1c1v1", "s1c1v3", "s1c1v4", "s1c1v5", "s1c1v6"}));
    // A view list that is not a view of this store is refused, not applied.
    const std::vector<std::uint16_t> stale{3, 3, 5};
    ASSERT_TRUE(WriteOrderList(store, store_file::kCarrierView, stale));
    EXPECT_FALSE(MoveServiceBlock(store, ui, tv, 0, 2, 2));
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v2", "s1c1v1", "s1c1v3", "s1c1v4", "s1c1v5", "s1c1v6"}));
    EXPECT_EQ(ui.Texts(), Names{"Error No: -3 \n File Access Error!!!"});
}

TEST_F(EditTest, ServicesMoveUpDownAndSwapByTheirRows)
{
    Build({{4}});
    const ServiceView all{};
    const std::uint32_t first[] = {1};
    const std::uint32_t last[] = {4};
    EXPECT_EQ(MoveServiceUpDown(store, ui, all, first, true), 1u);
    EXPECT_EQ(MoveServiceUpDown(store, ui, all, last, false), 4u);
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v1", "s1c1v2", "s1c1v3", "s1c1v4"}));
    EXPECT_EQ(MoveServiceUpDown(store, ui, all, first, false), 2u);
    EXPECT_EQ(MoveServiceUpDown(store, ui, all, last, true), 3u);
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v2", "s1c1v1", "s1c1v4", "s1c1v3"}));
    const std::uint32_t pair[] = {1, 4};
    ASSERT_TRUE(SwapServices(store, ui, all, pair));
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v3", "s1c1v1", "s1c1v4", "s1c1v2"}));
    EXPECT_FALSE(MoveServiceUpDown(store, ui, all, {}, true));
    EXPECT_FALSE(MoveServiceUpDown(store, ui, all, pair, true));
    EXPECT_FALSE(SwapServices(store, ui, all, first));
    EXPECT_EQ(ui.Texts(), (Names{"Select Service Information to Move", "Select one Service Information to Move",
                                 "Select two service information to swap"}));
}

TEST(MoveDialogs, RefuseTheSourceZeroAndNumbersBeyondTheBound)
{
    ScriptedUi ui;
    EXPECT_EQ(CheckMoveTarget(ui, "3", 1, 3), 3u);
    EXPECT_FALSE(CheckMoveTarget(ui, "4", 1, 3));
    EXPECT_FALSE(CheckMoveTarget(ui, "x", 1, 3));
    EXPECT_FALSE(CheckMoveTarget(ui, "1", 1, 3));
    EXPECT_EQ(CheckServiceMoveTarget(ui, "5", 2, 5), 5u);
    EXPECT_FALSE(CheckServiceMoveTarget(ui, "0", 2, 5));
    EXPECT_FALSE(CheckServiceMoveTarget(ui, "2", 2, 5));
    EXPECT_FALSE(CheckServiceMoveTarget(ui, "6", 2, 5));
    const std::uint32_t gap[] = {2, 4};
    EXPECT_FALSE(CheckConsecutiveRows(ui, gap));
    EXPECT_EQ(ui.Texts(), (Names{"Record Index should not exceed 3", "Invalid Index for current process", "Invalid Index for current process",
                                 "Enter valid index value", "Invalid Index for Move Information. ",
                                 "Move Index should be Less than Service count ( 6 )", "Please select the sequence of item to Move"}));
    EXPECT_EQ(ui.messages[0].icon, Icon::Warning);
    const auto swap = MoveDialogTexts(MoveLevel::Carrier, true, 2);
    EXPECT_EQ(swap.title, "Swap Carrier Information");
    EXPECT_EQ(swap.label, "Swap Carrier Information \"2\" with ");
    EXPECT_EQ(swap.tooltip, "Click to swap carrier record.");
    EXPECT_EQ(MoveDialogTexts(MoveLevel::Satellite, false, 7).label, "Move Satellite Information from \"7\" to ");
}

}  // namespace
}  // namespace velk::test
