#include "database/record_io.h"
#include "database/store_queries.h"

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

// Two satellites; carriers in record order point to satellites 1, 0, 1 (so the
// carrier order list regroups them as B, A, C); the services run 2, 0, 3.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.dir = dir.Path();
        store.satelliteCount = 2;
        store.carrierCount = 3;
        store.serviceCount = 5;
        std::vector<SatelliteRecord> sats(2);
        sats[0].carrierCount = 1;
        sats[0].factoryDefault = 1;
        sats[1].carrierCount = 2;
        std::vector<CarrierRecord> cars(3);
        cars[0].satelliteIndex = 1;
        cars[0].serviceCount = 2;
        cars[1].satelliteIndex = 0;
        cars[1].serviceCount = 0;
        cars[1].factoryDefault = 1;
        cars[2].satelliteIndex = 1;
        cars[2].serviceCount = 3;
        std::vector<ServiceRecord> services(5);
        for (int i = 0; i < 5; ++i)
            services[i].name = "S" + std::to_string(i);
        ASSERT_TRUE(WriteAllRecords<SatelliteRecord>(store, sats));
        ASSERT_TRUE(WriteAllRecords<CarrierRecord>(store, cars));
        ASSERT_TRUE(WriteAllRecords<ServiceRecord>(store, services));
        const std::vector<std::uint16_t> osl{4, 3, 2, 1, 0};
        ASSERT_TRUE(WriteOrderList(store, store_file::kServiceOrder, osl));
        ASSERT_TRUE(RebuildCarrierOrderList(store, ui));
    }

    test::TempDir dir;
    test::ScriptedUi ui;
    WorkingStore store;
};

TEST_F(StoreTest, CarrierOrderGroupsBySatelliteInRecordOrder)
{
    EXPECT_EQ(ReadOrderList(store, store_file::kCarrierOrder), (std::vector<std::uint16_t>{1, 0, 2}));
    EXPECT_EQ(GetCarrierIndex(store, ui, 0), 1);
    EXPECT_EQ(GetCarrierIndex(store, ui, 2), 2);
    EXPECT_EQ(FirstCarrierPosition(store, ui, 1), 0u);
    EXPECT_EQ(FirstCarrierPosition(store, ui, 2), 1u);
    EXPECT_EQ(ServicesBeforeCarrierPosition(store, ui, 2), 2u);
    EXPECT_EQ(ServicesOfSatellite(store, ui, 1), 0u);
    EXPECT_EQ(ServicesOfSatellite(store, ui, 2), 5u);
}

TEST_F(StoreTest, ServicesBelongToCarriersByRunLength)
{
    EXPECT_EQ(CarrierOfService(store, 1), 1);
    EXPECT_EQ(CarrierOfService(store, 2), 1);
    EXPECT_EQ(CarrierOfService(store, 3), 3);  // carrier 2 has an empty run
    EXPECT_EQ(CarrierOfService(store, 5), 3);
    EXPECT_EQ(CarrierOfService(store, 6), -1);
    EXPECT_EQ(GetServiceIndex(store, ui, 1), 4);
    EXPECT_EQ(ServiceIndexAtOrderPosition(store, 4), 0);
    EXPECT_TRUE(IsSatelliteFactoryDefault(store, 0));
    EXPECT_FALSE(IsSatelliteFactoryDefault(store, 1));
    EXPECT_TRUE(IsCarrierFactoryDefault(store, 1));
}

TEST_F(StoreTest, RecordReadPastTheEndIsZeroFilled)
{
    const auto record = ReadRecord<ServiceRecord>(store, ui, 9);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->name.Text(), "");
    EXPECT_EQ(record->videoPid, 0u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StoreTest, RemovingARecordKeepsTheOthersInOrder)
{
    ASSERT_TRUE(RemoveRecordFromFile(store, store_file::kService, ServiceRecord::kSize, 2));
    store.serviceCount = 4;
    const auto services = ReadAllRecords<ServiceRecord>(store);
    ASSERT_TRUE(services);
    std::vector<std::string> names;
    for (const auto& s : *services)
        names.push_back(s.name.Text());
    EXPECT_EQ(names, (std::vector<std::string>{"S0", "S2", "S3", "S4"}));
    EXPECT_FALSE(std::filesystem::exists(store.File(store_file::kScratch)));
}

TEST_F(StoreTest, MissingFilesAreReportedWithTheirMessages)
{
    std::filesystem::remove(store.File(store_file::kCarrierOrder));
    std::filesystem::remove(store.File(store_file::kServiceOrder));
    std::filesystem::remove(store.File(store_file::kSatellite));
    EXPECT_EQ(GetCarrierIndex(store, ui, 0), 0);
    EXPECT_EQ(GetServiceIndex(store, ui, 1), 0);
    EXPECT_FALSE(ReadRecord<SatelliteRecord>(store, ui, 1));
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"File Access Error ( GetCarrierIndex )", "File Access Error ( GetServiceIndex )",
                                                    "Error No: -3 \n File Access Error!!!"}));
    EXPECT_EQ(ui.messages[0].icon, Icon::Error);
    EXPECT_EQ(ui.messages[0].caption, "");
}

TEST_F(StoreTest, FirstRecordOfALevelReplacesAStaleFile)
{
    test::WriteBytes(store.File(store_file::kLnb), Bytes(100, 0xAA));
    store.lnbCount = 1;
    LnbRecord lnb;
    lnb.word = 0x7A5A2616;
    ASSERT_TRUE(WriteRecord(store, ui, 1, lnb));
    EXPECT_EQ(std::filesystem::file_size(store.File(store_file::kLnb)), 12u);
    store.lnbCount = 2;
    ASSERT_TRUE(WriteRecord(store, ui, 2, lnb));
    EXPECT_EQ(std::filesystem::file_size(store.File(store_file::kLnb)), 24u);
}

TEST_F(StoreTest, ClearingDeletesEveryStoreFileAndZeroesTheCounts)
{
    test::WriteText(store.File("TempURTFile.eut"), "x");
    test::WriteText(store.File("unrelated.txt"), "x");
    ClearStore(store);
    EXPECT_EQ(store.satelliteCount + store.carrierCount + store.serviceCount + store.lnbCount, 0u);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        left.push_back(e.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"unrelated.txt"});
}

}  // namespace
}  // namespace velk
