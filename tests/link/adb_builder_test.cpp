#include "database/record_io.h"
#include "link/adb_builder.h"
#include "link/adb_layout.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk::link {
namespace {

std::uint32_t Word(const Bytes& b, std::size_t off) { return LoadLe32(b, off); }

class AdbBuilderTest : public ::testing::Test {
protected:
    void SetUp() override { store.dir = dir.Path(); }

    // One LNB, one satellite with two carriers, the first carrying two services.
    void MakeSmallDatabase(std::uint8_t productType)
    {
        store.productType = productType;
        LnbRecord lnb;
        lnb.word = 9750u | 10600u << 14 | 3u << 28 | 1u << 30;
        lnb.switchBlock = SwitchBlock{1, 2, 16, 1, 2, 1, 0, 0};
        SatelliteRecord sat;
        sat.name = "Astra";
        sat.west = 1;
        sat.angle = 192;
        sat.position = 5;
        sat.carrierCount = 2;
        CarrierRecord tp1;
        tp1.name = "TP1";
        tp1.polarization = 1;
        tp1.symbolRateKs = 27500;
        tp1.frequencyMhz = 11778;
        tp1.fec = 3;
        tp1.serviceCount = 2;
        CarrierRecord tp2 = tp1;
        tp2.name = "TP2";
        tp2.serviceCount = 0;
        ServiceRecord bbc;
        bbc.name = "BBC";
        bbc.videoPid = 0x1234;
        bbc.audioPid = 0x0567;
        bbc.pcrPid = 0x0100;
        bbc.favourites = 0b0101;
        bbc.preference = 1;
        bbc.programNumber = 0x4321;
        bbc.nameUnchanged = 0;
        bbc.flagB = 0;
        ServiceRecord two = bbc;
        two.name = "Exactly20Characters!";  // cut to 19 by the name field
        Write(std::vector{lnb}, std::vector{sat}, std::vector{tp1, tp2}, std::vector{bbc, two});
        WriteOrderList(store, store_file::kServiceOrder, std::vector<std::uint16_t>{1, 0});
        WriteOrderList(store, store_file::kCarrierOrder, std::vector<std::uint16_t>{0, 1});
    }
    void Write(const std::vector<LnbRecord>& l, const std::vector<SatelliteRecord>& s, const std::vector<CarrierRecord>& c,
               const std::vector<ServiceRecord>& v)
    {
        store.lnbCount = static_cast<std::uint32_t>(l.size());
        store.satelliteCount = static_cast<std::uint32_t>(s.size());
        store.carrierCount = static_cast<std::uint32_t>(c.size());
        store.serviceCount = static_cast<std::uint32_t>(v.size());
        WriteAllRecords<LnbRecord>(store, l);
        WriteAllRecords<SatelliteRecord>(store, s);
        WriteAllRecords<CarrierRecord>(store, c);
        WriteAllRecords<ServiceRecord>(store, v);
    }
    Bytes Adb() { return test::ReadBytes(dir.Path() / adb::kAdbDump); }
    Bytes E2p() { return test::ReadBytes(dir.Path() / adb::kE2pDump); }

    test::TempDir dir;
    test::ScriptedUi ui;
    WorkingStore store;
    ReceiverRecords records = ReceiverRecords::Initial();
    sdb::UserSettingsBlocks user;
};

TEST_F(AdbBuilderTest, Type1ImagesFromErasedImagesByteForByte)
{
    MakeSmallDatabase(1);
    ASSERT_EQ(BuildAdbImages(store, ui, records, user.For(store.productType)), 1);
    const Bytes adb = Adb();
    ASSERT_EQ(adb.size(), 262144u);
    // Service 0.
    EXPECT_EQ(Word(adb, 0), 0x0567B234u);
    EXPECT_EQ(Word(adb, 4), 0xFFAA0100u);
    EXPECT_EQ(LoadLe16(adb, 8), 0x4321);
    EXPECT_EQ(LoadLe16(adb, 10), 0);
    EXPECT_EQ(Bytes(adb.begin() + 12, adb.begin() + 17), (Bytes{'B', 'B', 'C', 0, 0xFF}));
    EXPECT_EQ(adb[31], 0xFF);
    // Service 1: nineteen characters, its terminator, no 0xFF left.
    EXPECT_EQ(adb[32 + 12 + 18], 's');
    EXPECT_EQ(adb[32 + 12 + 19], 0);
    // Carrier 1 at 160000 - 36, carrier 2 (no services) below it.
    EXPECT_EQ(Word(adb, 159964), 0xFFFFFFFFu);
    EXPECT_EQ(Word(adb, 159968), 0x5ADB2E02u);
    EXPECT_EQ(Word(adb, 159972), 0x80008000u);
    EXPECT_EQ(Word(adb, 159976), 0xFFF9BF80u);
    EXPECT_EQ(adb[159980], 'T');
    EXPECT_EQ(Word(adb, 159936) & 0x3FFF, 0x3FFFu);
    EXPECT_EQ((Word(adb, 159936) >> 14) & 0x1FF, 0u);
    // LNB entry, then seven default entries, then the satellite at 160096.
    EXPECT_EQ(Word(adb, 160000), 9750u);
    EXPECT_EQ(Word(adb, 160004), 10600u);
    EXPECT_EQ(Word(adb, 160008), 0xFCB2304Fu);
    EXPECT_EQ(Word(adb, 160020), 0xFCC4708Eu);
    EXPECT_EQ(Word(adb, 160092), 0xFCC4708Eu);
    EXPECT_EQ(Word(adb, 160096), 0xF0A00200u);
    EXPECT_EQ(Word(adb, 160100), 0x007FFFFFu);
    EXPECT_EQ(Word(adb, 160104), 0xFFFFF0C0u);
    EXPECT_EQ(adb[160108], 'A');
    EXPECT_EQ(adb[160128], 0xFF);  // only one satellite entry for type 1
    // OSL.
    EXPECT_EQ(Word(adb, 196608), 0x7FFFFFFFu);
    EXPECT_EQ(LoadLe16(adb, 196612), 1);
    EXPECT_EQ(LoadLe16(adb, 196614), 0);
    EXPECT_EQ(adb[196616], 0xFF);
    EXPECT_EQ(adb[196608 + 50004], 0xFF);

    const Bytes e2p = E2p();
    ASSERT_EQ(e2p.size(), 8180u);
    EXPECT_EQ(Bytes(e2p.begin(), e2p.begin() + 8), Bytes(8, 0xFF));
    EXPECT_EQ(Word(e2p, 8), 0x00120002u);
    EXPECT_EQ(Word(e2p, 12), 0x00907FFFu);
    EXPECT_EQ(Word(e2p, 16), 0u);
    EXPECT_EQ(Word(e2p, 20), 0u);
    EXPECT_EQ(Word(e2p, 24), 0xFFFFFFFFu);
    EXPECT_EQ(Word(e2p, 32), 0xFFE79FFFu);
    EXPECT_EQ(Word(e2p, 48 + 16), 0x0FFFFFFFu);
    EXPECT_EQ(Word(e2p, 48), 0xFFFFFFFFu);
    EXPECT_EQ(e2p[92 + 194], 1);
    EXPECT_EQ(e2p[92 + 12], 0);
    EXPECT_EQ(e2p[92 + 196], 0xFF);
}

TEST_F(AdbBuilderTest, Type2WritesSixteenLnbsSixtyFourSatellitesAndExtraCarriers)
{
    MakeSmallDatabase(2);
        ASSERT_EQ(BuildAdbImages(store, ui, records, user.For(store.productType)), 1);
    const Bytes adb = Adb();
    EXPECT_EQ(Word(adb, 160008), 0xF8B2304Eu);
    EXPECT_EQ(Word(adb, 160012 * 1 + 8), 0xF8C4708Eu);
    EXPECT_EQ(Word(adb, 160000 + 15 * 12 + 8), 0xF8C4708Eu);
    EXPECT_EQ(Word(adb, 160192), 0xF8A00300u);
    EXPECT_EQ(Word(adb, 160192 + 32), 0xE8000000u);
    EXPECT_EQ(Word(adb, 160192 + 63 * 32 + 8), 0xFFFFF000u);
    EXPECT_EQ(Bytes(adb.begin() + 160192 + 63 * 32 + 12, adb.begin() + 160192 + 63 * 32 + 18),
              (Bytes{'-', '-', '-', '-', 0, 0xFF}));
    // The satellite's last carrier (TP2) is tuned: one extra entry below the two carriers.
    const std::size_t extra = 160000 - 3 * 36;
    EXPECT_EQ(Word(adb, extra + 4), 0x40000000u);
    EXPECT_EQ(Word(adb, extra + 8), 0x80003FFFu);
    EXPECT_EQ(Word(adb, extra + 12), 0xFFFC7F80u);
    EXPECT_EQ(Word(adb, extra - 36), 0xFFFFFFFFu);
    EXPECT_EQ(adb[extra - 36 + 16], 0xFF);  // no fourth entry

    const Bytes e2p = E2p();
    EXPECT_EQ(Word(e2p, 8), 2u | 1u << 17 | 3u << 19);
    // Product code 16, bits 23-28 clear, bit 29 set, bit 30 clear, bit 31 kept.
    EXPECT_EQ(Word(e2p, 12), 0x7FFFu | 16u << 17 | 1u << 29 | 1u << 31);
    // w6: first satellite with services is index 0.
    EXPECT_EQ(Word(e2p, 32), 0x1FFFu | 0x1Fu << 15 | 0u << 20 | 0x1Fu << 27);
    EXPECT_EQ(e2p[80 + 194], 1);
    EXPECT_EQ((Word(e2p, 80) >> 24) & 1, 0u);
    EXPECT_EQ(Bytes(e2p.begin() + 80 + 92, e2p.begin() + 80 + 98), (Bytes{'M', 'o', 'v', 'i', 'e', 0}));
}

TEST_F(AdbBuilderTest, ExistingImagesAreUpdatedInPlace)
{
    MakeSmallDatabase(1);
    Bytes oldAdb(262144, 0x11);
    Bytes oldE2p(9000, 0x22);
    test::WriteBytes(dir.Path() / adb::kAdbDump, oldAdb);
    test::WriteBytes(dir.Path() / adb::kE2pDump, oldE2p);
    records.hovo.fill(0);
    ASSERT_EQ(BuildAdbImages(store, ui, records, user.For(store.productType)), 1);
    const Bytes adb = Adb();
    EXPECT_EQ(adb[250000], 0x11);  // above the OSL partition
    EXPECT_EQ(adb[160128], 0x11);  // after the only satellite entry
    EXPECT_EQ(adb[100], 0x11);     // beyond the two service entries
    const Bytes e2p = E2p();
    EXPECT_EQ(e2p.size(), 8180u);
    EXPECT_EQ(e2p[0], 0x22);
    // Not a new image: only the counts and codes change in the Hovo record.
    EXPECT_EQ(Word(e2p, 8), 2u | 2u << 19);
    EXPECT_EQ(Word(e2p, 12), 8u << 17 | 1u << 23);
    EXPECT_EQ(Word(e2p, 16), 0u);
    EXPECT_EQ(e2p[8000], 0x22);
}

TEST_F(AdbBuilderTest, NoServicesLeavesTheOslAndSetsTheType2Mark)
{
    MakeSmallDatabase(2);
    store.serviceCount = 0;
        Bytes old(262144, 0x5A);
    test::WriteBytes(dir.Path() / adb::kAdbDump, old);
    ASSERT_EQ(BuildAdbImages(store, ui, records, user.For(store.productType)), 1);
    EXPECT_EQ(Adb()[196608], 0x5A);
    const Bytes e2p = E2p();
    EXPECT_EQ((Word(e2p, 80) >> 24) & 1, 1u);
    EXPECT_EQ((Word(e2p, 32) >> 20) & 0x7F, 0x7Fu);  // no satellite holds services
}

TEST_F(AdbBuilderTest, LimitsAreCheckedBeforeAnythingIsWritten)
{
    store.productType = 1;
    store.lnbCount = 9;
    EXPECT_EQ(BuildAdbImages(store, ui, records, user.For(store.productType)), 0);
    EXPECT_EQ(ui.Texts().back(), "Upload as ADB process failed.\nLNB record count exceeds the limit 8 [ 9 ]");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / adb::kAdbDump));
    store.productType = 2;
    EXPECT_TRUE(CheckAdbLimits(store, ui));
    store.satelliteCount = 65;
    EXPECT_FALSE(CheckAdbLimits(store, ui));
    EXPECT_EQ(ui.Texts().back(), "Upload as ADB process failed.\nSatellite record count exceeds the limit 64 [ 65 ]");
    store.satelliteCount = 64;
    store.carrierCount = 1000;
    store.serviceCount = 3875;
    EXPECT_TRUE(CheckAdbLimits(store, ui));
    store.serviceCount = 3876;
    EXPECT_FALSE(CheckAdbLimits(store, ui));
    EXPECT_EQ(ui.Texts().back(), "Unable to upload\nPlease verify carrier and service record count.");
}

}  // namespace
}  // namespace velk::link
