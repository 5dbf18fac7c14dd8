#include "edit_fixture.h"

#include "database/delete_records.h"
#include "database/service_views.h"

namespace velk::test {
namespace {

using Names = std::vector<std::string>;

std::vector<std::uint8_t> LnbIndexes(const WorkingStore& store)
{
    std::vector<std::uint8_t> out;
    const auto sats = ReadAllRecords<SatelliteRecord>(store).value_or(std::vector<SatelliteRecord>{});
    for (const auto& s : sats)
        out.push_back(s.lnbIndex);
    return out;
}

void SetService(WorkingStore& store, Ui& ui, std::uint32_t r, std::uint8_t type, std::uint16_t program = 0)
{
    auto record = *ReadRecord<ServiceRecord>(store, ui, r);
    record.type = type;
    record.programNumber = program;
    ASSERT_TRUE(WriteRecord(store, ui, r, record));
}

TEST_F(EditTest, FirstLnbCreatesItsFileFromTheDefaults)
{
    ASSERT_EQ(AddLnbRecord(store, ui), 1u);
    EXPECT_EQ(ReadBytes(store.File(store_file::kLnb)), (Bytes{0x16, 0x26, 0x5A, 0x7A, 2, 4, 16, 2, 0, 2, 255, 255}));
    store.placement = Placement::Satellite;  // a fresh run with the block elsewhere
    ClearStore(store);
    ASSERT_EQ(AddLnbRecord(store, ui), 1u);
    EXPECT_EQ(ReadBytes(store.File(store_file::kLnb)), (Bytes{0x16, 0x26, 0x5A, 0x7A}));
    ASSERT_EQ(AppendSatelliteRecord(store, ui), 1u);
    const auto sat = ReadBytes(store.File(store_file::kSatellite));
    ASSERT_EQ(sat.size(), 36u);
    EXPECT_EQ(std::string(sat.begin() + 1, sat.begin() + 12), "Satellite 1");
    EXPECT_EQ(Bytes(sat.begin() + 28, sat.end()), (Bytes{2, 4, 16, 2, 0, 2, 255, 255}));
}

TEST_F(EditTest, LevelsRefuseBeyondTheirLimits)
{
    EXPECT_FALSE(AppendSatelliteRecord(store, ui));
    EXPECT_FALSE(AddCarrierRecord(store, ui, 1));
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(AddLnbRecord(store, ui));
    EXPECT_FALSE(AddLnbRecord(store, ui));
    store.productType = 2;
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(AddLnbRecord(store, ui));
    EXPECT_FALSE(AddLnbRecord(store, ui));
    EXPECT_EQ(store.lnbCount, 16u);
    // Counts that would no longer fit their stored widths are refused, not wrapped.
    const auto saved = store;
    store.satelliteCount = 256;
    EXPECT_FALSE(AppendSatelliteRecord(store, ui));
    EXPECT_FALSE(InsertSatelliteRecord(store, ui, 1));
    store = saved;
    store.carrierCount = 65535;
    EXPECT_FALSE(AddCarrierRecord(store, ui, 1));
    store = saved;
    store.serviceCount = 65535;
    EXPECT_FALSE(AddServiceRecord(store, ui, 1, 1, ServiceFilter::Both));
    store = saved;
    EXPECT_EQ(ui.Texts(), (Names{"LNB Information should be entered", "LNB Information should be entered",
                                 "LNB record count exceeds the maximum limit 8", "LNB record count exceeds the maximum limit 16",
                                 "Satellite record count exceeds the maximum limit 256", "Satellite record count exceeds the maximum limit 256",
                                 "Carrier record count exceeds the maximum limit 65535",
                                 "Service record count exceeds the maximum limit 65535"}));
}

TEST_F(EditTest, DeletingAnLnbKeepsEverySatelliteOnItsOwnLnb)
{
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(AddLnbRecord(store, ui));
    for (std::uint8_t i = 0; i < 4; ++i)
        ASSERT_TRUE(AppendSatelliteRecord(store, ui));
    auto sats = *ReadAllRecords<SatelliteRecord>(store);
    for (std::uint8_t i = 0; i < 4; ++i)
        sats[i].lnbIndex = i;
    ASSERT_TRUE(WriteAllRecords<SatelliteRecord>(store, sats));
    store.defaults.satellite.lnbIndex = 3;
    ASSERT_TRUE(DeleteLnbRecord(store, ui, 2));
    // LNB 2's satellite moves to the LNB now at position 2 (the former LNB 3),
    // whose own satellite and LNB 4's keep their LNBs.
    EXPECT_EQ(LnbIndexes(store), (std::vector<std::uint8_t>{0, 1, 1, 2}));
    EXPECT_EQ(store.defaults.satellite.lnbIndex, 2);  // follows its LNB like the satellites
    ASSERT_TRUE(DeleteLnbRecord(store, ui, 3));       // the last: its satellite moves down
    EXPECT_EQ(LnbIndexes(store), (std::vector<std::uint8_t>{0, 1, 1, 1}));
    EXPECT_EQ(store.defaults.satellite.lnbIndex, 0);
    ASSERT_TRUE(DeleteLnbRecord(store, ui, 1));
    EXPECT_EQ(LnbIndexes(store), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_FALSE(DeleteLnbRecord(store, ui, 1));
    EXPECT_EQ(ui.Texts(), Names{"LNB Deletion not allowed.\nMinimum one LNB Information is must"});
    EXPECT_EQ(store.lnbCount, 1u);
}

TEST_F(EditTest, InsertingSatellitesAndCarriersKeepsEveryCarrierWithItsSatellite)
{
    Build({{1, 2}, {3}});
    const auto before = ServiceCarriers(store);
    const auto channels = ChannelNames(store);
    ASSERT_EQ(InsertSatelliteRecord(store, ui, 1), 1u);
    const auto cars = ReadAllRecords<CarrierRecord>(store).value();
    for (const auto& c : cars)
        EXPECT_EQ(c.satelliteIndex, c.name.Text()[1] - '0') << c.name.Text();  // "s1.." now under satellite 2
    EXPECT_EQ(ReadRecord<SatelliteRecord>(store, ui, 1)->name.Text(), "Satellite 1");
    const auto inserted = InsertCarrierRecord(store, ui, 2, 2);
    ASSERT_TRUE(inserted);
    EXPECT_EQ(inserted->position, 2u);
    const auto added = AddCarrierRecord(store, ui, 2);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->position, 4u);
    EXPECT_EQ(ServiceCarriers(store), before);
    EXPECT_EQ(ChannelNames(store), channels);
    EXPECT_EQ(store.carrierCount, 5u);
}

TEST_F(EditTest, DeletingASatelliteRemovesItsCarriersAndServicesOnly)
{
    Build({{2}, {1, 3}, {2}});
    ASSERT_TRUE(DeleteSatellite(store, ui, 2));
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v1", "s1c1v2", "s3c1v1", "s3c1v2"}));
    EXPECT_EQ(ReadRecord<CarrierRecord>(store, ui, 2)->satelliteIndex, 1);  // the last satellite's carrier moved down
    EXPECT_EQ(store.satelliteCount, 2u);
    EXPECT_EQ(store.carrierCount, 2u);
    EXPECT_EQ(DeleteCarrier(store, ui, 2, 1), 2u);
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v1", "s1c1v2"}));
    ASSERT_TRUE(DeleteCarrierServices(store, ui, 1));
    EXPECT_EQ(store.serviceCount, 0u);
    EXPECT_EQ(ReadRecord<CarrierRecord>(store, ui, 1)->serviceCount, 0);
}

TEST_F(EditTest, NewServicesTakeTheLowestFreeProgramNumberAndTheFilter)
{
    Build({{3}, {0}});
    SetService(store, ui, 1, kServiceTv, 1);
    SetService(store, ui, 2, kServiceTv, 4);
    SetService(store, ui, 3, kServiceTv, 2);
    store.defaults.service.factoryDefault = 1;
    const auto added = AddServiceRecord(store, ui, 1, 1, ServiceFilter::Radio);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->record, 4u);
    EXPECT_EQ(added->channelPosition, 4u);
    const auto service = *ReadRecord<ServiceRecord>(store, ui, 4);
    EXPECT_EQ(service.programNumber, 3);
    EXPECT_EQ(service.type, kServiceRadio);
    EXPECT_EQ(service.videoPid, kNoPid);
    EXPECT_EQ(service.factoryDefault, 0);  // the carrier is not factory default
    EXPECT_EQ(service.name.Text(), "Service 4");
    ASSERT_TRUE(AddServiceRecord(store, ui, 2, 1, ServiceFilter::Both));
    EXPECT_EQ(ReadRecord<ServiceRecord>(store, ui, 5)->programNumber, 1);
    EXPECT_EQ(ReadOrderList(store, store_file::kCarrierView)->back(), 4);
}

TEST_F(EditTest, InsertedServiceStandsBeforeTheSelectedRow)
{
    Build({{2, 3}});
    // Channel order differs from record order: reverse it.
    std::vector<std::uint16_t> osl{4, 3, 2, 1, 0};
    ASSERT_TRUE(WriteOrderList(store, store_file::kServiceOrder, osl));
    const auto rows = BuildCarrierView(store, ui, 1, 2, ServiceFilter::Both);
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ(rows->at(1).service.name.Text(), "s1c2v2");
    EXPECT_FALSE(InsertServiceRecord(store, ui, 1, 2, 0));
    const auto inserted = InsertServiceRecord(store, ui, 1, 2, 2);
    ASSERT_TRUE(inserted);
    EXPECT_EQ(inserted->channelPosition, 2u);
    EXPECT_EQ(ChannelNames(store), (Names{"s1c2v3", "Service 2", "s1c2v2", "s1c2v1", "s1c1v2", "s1c1v1"}));
    EXPECT_EQ(RecordNames(store), (Names{"s1c1v1", "s1c1v2", "s1c2v1", "Service 2", "s1c2v2", "s1c2v3"}));
    EXPECT_EQ(ui.Texts(), Names{"Select the item position to insert"});
}

TEST_F(EditTest, DeletingFilteredRowsDeletesExactlyTheirServices)
{
    Build({{2, 2}, {2}});
    SetService(store, ui, 2, kServiceRadio);
    SetService(store, ui, 4, kServiceRadio);
    const ServiceView tv{ViewKind::AllServices, 0, 0, ServiceFilter::Tv};
    const auto rows = BuildServiceView(store, ui, tv);
    ASSERT_EQ(rows->size(), 4u);
    const std::uint32_t selected[] = {2, 4};
    EXPECT_EQ(DeleteServices(store, ui, tv, selected), 2u);
    EXPECT_EQ(ChannelNames(store), (Names{"s1c1v1", "s1c1v2", "s1c2v2", "s2c1v1"}));
    EXPECT_EQ(ReadRecord<CarrierRecord>(store, ui, 2)->serviceCount, 1);
    EXPECT_FALSE(DeleteServices(store, ui, tv, {}));
    EXPECT_FALSE(DeleteServices(store, ui, {ViewKind::Carrier, 1, 1, ServiceFilter::Both}, {}));
    EXPECT_EQ(ui.Texts(), (Names{"Select Service Information to delete", "Select Service Information to Delete"}));
}

TEST_F(EditTest, ViewsListTheirServicesInChannelOrder)
{
    Build({{2, 0}, {3}});
    std::vector<std::uint16_t> osl{4, 0, 3, 1, 2};
    ASSERT_TRUE(WriteOrderList(store, store_file::kServiceOrder, osl));
    SetService(store, ui, 3, kServiceRadio);
    SetService(store, ui, 5, kServiceRadio);
    const auto all = BuildAllServicesView(store, ui, ServiceFilter::Both);
    ASSERT_EQ(all->size(), 5u);
    EXPECT_EQ(std::filesystem::file_size(store.File(store_file::kAllServicesView)), 0u);
    EXPECT_EQ(RowToChannelPosition(store, ui, {}, 4), 4u);
    const auto radio = BuildCarrierView(store, ui, 2, 1, ServiceFilter::Radio);
    ASSERT_EQ(radio->size(), 2u);
    EXPECT_EQ(radio->at(0).service.name.Text(), "s2c1v3");
    EXPECT_EQ(radio->at(1).record, 3u);
    EXPECT_EQ(ReadOrderList(store, store_file::kCarrierView), (std::vector<std::uint16_t>{0, 4}));
    const ServiceView radioView{ViewKind::Carrier, 2, 1, ServiceFilter::Radio};
    EXPECT_EQ(RowToChannelPosition(store, ui, radioView, 2), 5u);
    EXPECT_FALSE(RowToChannelPosition(store, ui, radioView, 3));
    const auto sat = BuildSatelliteView(store, ui, 1, ServiceFilter::Both);
    ASSERT_EQ(sat->size(), 2u);
    EXPECT_EQ(sat->at(0).channelPosition, 2u);
    EXPECT_EQ(sat->at(1).channelPosition, 4u);
    EXPECT_TRUE(BuildCarrierView(store, ui, 1, 2, ServiceFilter::Both)->empty());
    EXPECT_FALSE(std::filesystem::exists(store.File(store_file::kCarrierView)));
    EXPECT_EQ(GetServiceType(store, ui, 3)->type, kServiceRadio);
    EXPECT_FALSE(GetServiceType(store, ui, 6));
    EXPECT_EQ(ui.Texts(), (Names{"File Access Error ( GetServiceIndex )", "File access error - GetServiceType"}));
}

TEST_F(EditTest, AFailedUpdateLeavesEveryFileAsItWas)
{
    Build({{2}});
    const auto services = ReadBytes(store.File(store_file::kService));
    const auto osl = ReadBytes(store.File(store_file::kServiceOrder));
    // The service file's staging place is taken, so the update cannot be staged.
    std::filesystem::create_directory(store.File(".TempOSL.stb.new"));
    std::filesystem::create_directory(store.File(".TempOSL.stb.new/x"));
    EXPECT_FALSE(AddServiceRecord(store, ui, 1, 1, ServiceFilter::Both));
    EXPECT_EQ(ui.Texts(), Names{"Error No: -8 \n Inserting Service Information"});
    EXPECT_EQ(ReadBytes(store.File(store_file::kService)), services);
    EXPECT_EQ(ReadBytes(store.File(store_file::kServiceOrder)), osl);
    EXPECT_EQ(store.serviceCount, 2u);
    EXPECT_FALSE(std::filesystem::exists(store.File(".TempSER.stb.new")));
    std::filesystem::remove_all(store.File(".TempOSL.stb.new"));
}

}  // namespace
}  // namespace velk::test
