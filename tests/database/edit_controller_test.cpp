#include "edit_fixture.h"

#include "database/edit_controller.h"
#include "database/record_edit.h"
#include "database/store_snapshot.h"

namespace velk::test {
namespace {

using Names = std::vector<std::string>;
using Rows = std::vector<std::uint32_t>;

class ControllerTest : public EditTest {
protected:
    EditController controller{store, ui};
};

TEST_F(ControllerTest, ChangesNameTheNodeToShowAfterwards)
{
    Build({{1, 2}, {1}});
    const auto added = controller.Run(EditorCommand::Add, {SatelliteNode(1), {}, {}, false, ServiceFilter::Both});
    ASSERT_TRUE(added);
    EXPECT_EQ(added->node, CarrierNode(1, 3));
    const auto lnb = controller.Run(EditorCommand::Add, {RootNode(NodeKind::LnbInformation), {}, {}, false, ServiceFilter::Both});
    ASSERT_TRUE(lnb);
    EXPECT_EQ(lnb->node, LnbNode(store.lnbCount));
    // A deleted carrier leaves its satellite current; a deleted satellite its root.
    EXPECT_EQ(controller.Run(EditorCommand::Delete, {CarrierNode(1, 3), {}, {}, false, ServiceFilter::Both})->node, SatelliteNode(1));
    EXPECT_EQ(controller.Run(EditorCommand::Delete, {SatelliteNode(2), {}, {}, false, ServiceFilter::Both})->node,
              RootNode(NodeKind::SatelliteInformation));
    // A service added under a carrier is found again by its record.
    const auto service = controller.Run(EditorCommand::Add, {CarrierNode(1, 2), {}, {}, false, ServiceFilter::Both});
    ASSERT_TRUE(service);
    EXPECT_EQ(service->serviceRecord, 4u);
    EXPECT_FALSE(service->node);
}

TEST_F(ControllerTest, RefusalsChangeNothing)
{
    Build({{1}, {1}});
    EXPECT_FALSE(controller.Run(EditorCommand::Add, {RootNode(NodeKind::AllServices), {}, {}, false, ServiceFilter::Both}));
    // Tree drops stay within their level, a carrier within its satellite.
    EXPECT_FALSE(controller.DropNode(SatelliteNode(1), CarrierNode(2, 1)));
    EXPECT_FALSE(controller.DropNode(CarrierNode(1, 1), CarrierNode(2, 1)));
    // Rows that are not consecutive are not moved.
    EXPECT_FALSE(controller.MoveRows(ServiceView{}, Rows{1, 3}, 2));
    EXPECT_EQ(ui.Texts().size(), 4u);
    EXPECT_EQ(ui.Texts()[1], "Satellite move within the \"Satellite Information\".");
    EXPECT_EQ(ui.Texts()[2], "Carrier move within the satellite.");
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v1", "s2c1v1"}));
}

TEST_F(ControllerTest, MovesSelectTheMovedPlace)
{
    Build({{1}, {1}, {3}});
    const auto dropped = controller.DropNode(SatelliteNode(3), SatelliteNode(1));
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->node, SatelliteNode(1));
    const ServiceView all{};
    ASSERT_TRUE(BuildServiceView(store, ui, all));
    const auto moved = controller.MoveRows(all, Rows{1, 2}, 4);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->rows, Rows{4});
    EXPECT_TRUE(moved->scrollToRow);
    const auto up = controller.Run(EditorCommand::MoveUp, {RootNode(NodeKind::AllServices), all, Rows{2}, true, ServiceFilter::Both});
    ASSERT_TRUE(up);
    EXPECT_EQ(up->rows, Rows{1});
}

TEST_F(ControllerTest, DialogEditsCarryTheFactoryDefaultHierarchy)
{
    Build({{2}, {1}});
    // A carrier marked factory default in its dialog takes its satellite along.
    auto carrier = *OpenCarrierRecord(store, ui, 2, 1);
    carrier.factoryDefault = 1;
    const auto change = controller.UpdateCarrier({2, 1}, carrier);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->flags.satellites, Rows{2});
    EXPECT_EQ(ReadRecord<SatelliteRecord>(store, ui, 2)->factoryDefault, 1);
    // Clearing the satellite's flag clears it below.
    auto satellite = *OpenSatelliteRecord(store, ui, 2);
    satellite.factoryDefault = 0;
    ASSERT_TRUE(controller.UpdateSatellite(2, satellite));
    EXPECT_EQ(ReadRecord<CarrierRecord>(store, ui, 2)->factoryDefault, 0);
}

TEST_F(ControllerTest, MarkMenusComeFromOneTable)
{
    Build({{1}, {1}});
    const auto lnbs = MarkMenu(MarkLevel::Lnbs, store);
    ASSERT_EQ(lnbs.size(), 7u);
    EXPECT_EQ(lnbs[1].title, "LNB Type");
    EXPECT_EQ(lnbs[1].items[3].text, "Universal Band");
    EXPECT_EQ(lnbs[1].items[3].choice.value, 3);
    // Carrier factory-default marks are the only ones that wait for a check.
    const auto carriers = MarkMenu(MarkLevel::Carriers, store);
    EXPECT_TRUE(carriers.back().factoryDefault);
    EXPECT_FALSE(SelectMenu(MarkLevel::Carriers, store).back().factoryDefault);
    EXPECT_EQ(SelectMenu(MarkLevel::Services, store).back().title, "Favorite Group");

    // An item's choice runs the core's pass on the selected rows.
    const auto radio = MarkMenu(MarkLevel::Services, store).front().items[3];
    EXPECT_EQ(radio.text, "&Radio");
    const MarkList services{ServiceView{}, 0};
    ASSERT_TRUE(BuildServiceView(store, ui, *services.services));
    ASSERT_TRUE(controller.Mark(radio.choice, services, Rows{2}));
    EXPECT_EQ(ReadRecord<ServiceRecord>(store, ui, 2)->type, kServiceRadio);
    const auto tv = SelectMenu(MarkLevel::Services, store).front().items[2];
    EXPECT_EQ(*SelectMatching(store, ui, tv.choice, services), (RowSelection{true, false}));
}

TEST(EditorCommands, ApplyWhereTheWindowShowsTheirObject)
{
    const CommandContext carrier{NodeKind::Carrier, false, 0, 3, 1};
    EXPECT_TRUE(CommandApplies(EditorCommand::Insert, carrier));
    EXPECT_FALSE(CommandApplies(EditorCommand::Swap, carrier));  // alone under its satellite
    EXPECT_FALSE(CommandApplies(EditorCommand::Delete, {NodeKind::AllServices, true, 0, 3, 0}));
    EXPECT_TRUE(CommandApplies(EditorCommand::Swap, {NodeKind::AllServices, true, 2, 3, 0}));
    EXPECT_FALSE(CommandApplies(EditorCommand::MoveUp, {NodeKind::AllServices, true, 2, 3, 0}));
    EXPECT_TRUE(CommandApplies(EditorCommand::ChangeCarrier, {NodeKind::AllServices, true, 1, 3, 0}));
}

TEST_F(ControllerTest, SnapshotFindsACarrierInTheTree)
{
    Build({{1, 1}, {1}});
    const auto snapshot = *StoreSnapshot::Read(store);
    const auto place = snapshot.PlaceOfCarrier(1);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->satellite, 1u);
    EXPECT_EQ(place->position, 2u);
    EXPECT_EQ(snapshot.PlaceOfCarrier(2)->satellite, 2u);
    EXPECT_FALSE(snapshot.PlaceOfCarrier(3));
}

}  // namespace
}  // namespace velk::test
