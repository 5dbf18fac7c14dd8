#include "edit_fixture.h"

#include "database/change_carrier.h"

namespace velk::test {
namespace {

using Names = std::vector<std::string>;

TEST(RenumberOrderEntry, KeepsEveryEntryOnItsService)
{
    // Records a b c d e; c (2) moves to 4: a b d e c.
    std::vector<std::uint16_t> order{4, 2, 0, 3, 1};  // e c a d b
    RenumberOrderEntry(order, 2, 4);
    EXPECT_EQ(order, (std::vector<std::uint16_t>{3, 4, 0, 2, 1}));
    RenumberOrderEntry(order, 4, 2);
    EXPECT_EQ(order, (std::vector<std::uint16_t>{4, 2, 0, 3, 1}));
}

TEST_F(EditTest, ChangedCarrierKeepsTheChannelOrder)
{
    store.placement = Placement::Carrier;
    Build({{3, 1}, {2}});
    std::vector<std::uint16_t> osl{5, 2, 0, 4, 1, 3};
    ASSERT_TRUE(WriteOrderList(store, store_file::kServiceOrder, osl));
    const auto channels = ChannelNames(store);
    const ServiceView carrier{ViewKind::Carrier, 1, 1, ServiceFilter::Both};
    const auto rows = BuildServiceView(store, ui, carrier);
    ASSERT_EQ(rows->size(), 3u);  // v3 v1 v2 in channel order
    const auto source = CarrierOfRow(store, ui, carrier, 2);
    ASSERT_TRUE(source);
    EXPECT_EQ(source->satellite, 1u);
    EXPECT_EQ(source->position, 1u);
    const auto other = CarrierOfRow(store, ui, {}, 1);  // s2c1v2 leads the channel order
    EXPECT_EQ(other->satellite, 2u);
    EXPECT_EQ(other->position, 1u);
    const std::vector<std::uint32_t> picked{1, 3};
    EXPECT_EQ(ChangeServiceCarrier(store, ui, carrier, picked, 2, 1), 2u);
    EXPECT_EQ(ChannelNames(store), channels);
    EXPECT_EQ(RecordNames(store), (Names{"s1c1v1", "s1c2v1", "s2c1v1", "s2c1v2", "s1c1v2", "s1c1v3"}));
    const auto cars = ReadAllRecords<CarrierRecord>(store).value();
    EXPECT_EQ(cars[0].serviceCount, 1);
    EXPECT_EQ(cars[2].serviceCount, 4);
    EXPECT_EQ(std::filesystem::file_size(store.File(store_file::kCarrier)), 3u * 44u);
    // Moving them onto the carrier they now belong to is refused.
    const ServiceView target{ViewKind::Carrier, 2, 1, ServiceFilter::Both};
    ASSERT_EQ(BuildServiceView(store, ui, target)->size(), 4u);
    const std::vector<std::uint32_t> first{1};
    EXPECT_FALSE(ChangeServiceCarrier(store, ui, target, first, 2, 1));
    EXPECT_EQ(ui.Texts(), Names{"Select valid carrier for to move service(s)\nBoth selected & moved carriers are same"});
    // The primitive by carrier records and block positions, back to carrier 1.
    const std::vector<std::uint32_t> tail{3, 4};
    ASSERT_TRUE(MoveServicesToCarrier(store, ui, 3, 1, tail));
    EXPECT_EQ(RecordNames(store), (Names{"s1c1v1", "s1c1v2", "s1c1v3", "s1c2v1", "s2c1v1", "s2c1v2"}));
    EXPECT_EQ(ChannelNames(store), channels);
}

}  // namespace
}  // namespace velk::test
