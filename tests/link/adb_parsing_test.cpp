#include "database/record_io.h"
#include "link/adb_builder.h"
#include "link/adb_layout.h"
#include "link/adb_parsing.h"
#include "sdb/sdb_reader.h"
#include "support/sample_database.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

class AdbParsingTest : public ::testing::Test {
protected:
    void MakeDatabase(std::uint8_t productType)
    {
        store.dir = dir.Path();
        store.productType = productType;
        velk::test::WriteSampleDatabase(store, velk::test::LinkSample());
        ASSERT_EQ(BuildAdbImages(store, ui, records, session.userSettings.For(productType)), 1);
    }

    velk::test::TempDir dir;
    velk::test::ScriptedUi ui;
    WorkingStore store;
    ReceiverRecords records = ReceiverRecords::Initial();
    sdb::SdbSession session;
};

TEST_F(AdbParsingTest, DumpsTurnBackIntoTheDatabase)
{
    MakeDatabase(1);
    SetUserWord(session.userSettings.For(1), 8, 1234);  // only the downloaded record should count
    ASSERT_EQ(ADBParsing(store, ui, records, session), 1);
    EXPECT_EQ(UserWord(session.userSettings.For(1), 8), 0u);
    EXPECT_EQ(records.hovo[0] & 0x1FFF, 3u);

    WorkingStore opened;
    opened.dir = dir.Path() / "open";
    std::filesystem::create_directory(opened.dir);
    opened.productType = 1;
    ASSERT_EQ(sdb::OpenSdbBinFile(opened, session, ui, dir.Path() / adb::kDumpSdb), 1) << (ui.Texts().empty() ? "" : ui.Texts().back());
    EXPECT_EQ(opened.lnbCount, 8u);
    EXPECT_EQ(opened.satelliteCount, 1u);
    EXPECT_EQ(opened.carrierCount, 2u);
    EXPECT_EQ(opened.serviceCount, 3u);
    const auto lnbs = *ReadAllRecords<LnbRecord>(opened);
    EXPECT_EQ(lnbs[0].LowMhz(), 9750u);
    EXPECT_EQ(lnbs[0].HighMhz(), 10600u);
    EXPECT_EQ(lnbs[0].Type(), 3u);  // 9750/10600 is kind 3
    EXPECT_TRUE(lnbs[0].PowerOn());
    EXPECT_EQ(lnbs[0].switchBlock.diseqc10, 2);
    EXPECT_EQ(lnbs[0].switchBlock.toneBurst, 1);
    EXPECT_EQ(lnbs[0].switchBlock.khz22, 1);
    const auto sats = *ReadAllRecords<SatelliteRecord>(opened);
    EXPECT_EQ(sats[0].name.Text(), "Hotbird");
    EXPECT_EQ(sats[0].angle, 130);
    EXPECT_EQ(sats[0].carrierCount, 2);
    const auto cars = *ReadAllRecords<CarrierRecord>(opened);
    EXPECT_EQ(cars[0].name.Text(), "TP-A");
    EXPECT_EQ(cars[1].name.Text(), "Carrier_2");
    EXPECT_EQ(cars[0].frequencyMhz, 11034u);
    EXPECT_EQ(cars[0].symbolRateKs, 27500u);
    EXPECT_EQ(cars[0].fec, 4);
    EXPECT_EQ(cars[1].serviceCount, 1);
    const auto svcs = *ReadAllRecords<ServiceRecord>(opened);
    EXPECT_EQ(svcs[2].name.Text(), "Svc2");
    EXPECT_EQ(svcs[2].type, kServiceRadio);
    EXPECT_EQ(svcs[1].scrambled, 1);
    EXPECT_EQ(svcs[0].scrambled, 0);
    EXPECT_EQ(svcs[1].videoPid, 101u);
    EXPECT_EQ(svcs[1].programNumber, 1001);
    EXPECT_EQ(svcs[0].favourites, 0b1001);
    EXPECT_EQ(*ReadOrderList(opened, store_file::kServiceOrder), (std::vector<std::uint16_t>{2, 0, 1}));
}

TEST_F(AdbParsingTest, Type2SkipsExtraCarrierEntries)
{
    MakeDatabase(2);
    const auto e2p = velk::test::ReadBytes(dir.Path() / adb::kE2pDump);
    const auto adbImage = velk::test::ReadBytes(dir.Path() / adb::kAdbDump);
    const auto content = UnpackAdbImages(adbImage, e2p, 2, ui);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->lnbs.size(), 16u);
    EXPECT_EQ(content->satellites.size(), 64u);
    EXPECT_EQ(content->satellites[0]->carrierCount, 2);
    EXPECT_EQ(content->satellites[1]->name.Text(), "----");
    EXPECT_EQ(content->carriers.size(), 2u);
    EXPECT_EQ(content->lnbs[0]->Type(), 0u);  // high 10600 is kind 0 on type 2
}

TEST_F(AdbParsingTest, ProductTypeMismatchAndMissingDumpsAreReported)
{
    MakeDatabase(1);
    store.productType = 2;
    EXPECT_EQ(ADBParsing(store, ui, records, session), 0);
    EXPECT_EQ(ui.messages.back().text, "Product type mismatch.\nPlease select correct product type");
    EXPECT_EQ(ui.messages.back().icon, Icon::Warning);
    std::filesystem::remove(dir.Path() / adb::kAdbDump);
    store.productType = 1;
    EXPECT_EQ(ADBParsing(store, ui, records, session), 0);
    EXPECT_EQ(ui.Texts().back(), "File access error");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / adb::kDumpSdb));
}

}  // namespace
}  // namespace velk::link
