#include "database/records.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(LnbRecord, FactoryWordsPackEveryField)
{
    LnbRecord lnb;
    lnb.SetLowMhz(9750);
    lnb.SetHighMhz(10600);
    lnb.SetType(3);
    lnb.SetPower(true);
    EXPECT_EQ(lnb.word, 0x7A5A2616u);
    lnb.SetType(0);
    EXPECT_EQ(lnb.word, 0x4A5A2616u);
    EXPECT_EQ(lnb.LowMhz(), 9750u);
    EXPECT_EQ(lnb.HighMhz(), 10600u);
}

TEST(LnbRecord, SwitchBlockIsStoredOnlyWithPlacementZero)
{
    LnbRecord lnb;
    lnb.word = 0x81020304;
    lnb.switchBlock = SwitchBlock{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(EncodeLnb(lnb, Placement::Lnb), (Bytes{0x04, 0x03, 0x02, 0x81, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(EncodeLnb(lnb, Placement::Satellite), (Bytes{0x04, 0x03, 0x02, 0x81}));
    EXPECT_EQ(DecodeLnb(EncodeLnb(lnb, Placement::Lnb), Placement::Lnb), lnb);
}

TEST(SatelliteRecord, BytesForEachPlacement)
{
    SatelliteRecord sat;
    sat.lnbIndex = 2;
    sat.name = "Astra 19.2E";
    sat.west = 1;
    sat.angle = 3599;
    sat.position = 63;
    sat.factoryDefault = 1;
    sat.carrierCount = 0x1234;
    sat.switchBlock = SwitchBlock{9, 8, 7, 6, 5, 4, 3, 2};
    const auto bytes = EncodeSatellite(sat, Placement::Lnb);
    ASSERT_EQ(bytes.size(), 28u);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 12), "Astra 19.2E");
    EXPECT_EQ(bytes[12], 0);
    EXPECT_EQ(bytes[21], 1);
    EXPECT_EQ(bytes[22], 0x0F);
    EXPECT_EQ(bytes[23], 0x0E);
    EXPECT_EQ(bytes[24], 63);
    EXPECT_EQ(bytes[25], 1);
    EXPECT_EQ(bytes[26], 0x34);
    EXPECT_EQ(bytes[27], 0x12);
    const auto with = EncodeSatellite(sat, Placement::Satellite);
    ASSERT_EQ(with.size(), 36u);
    EXPECT_EQ(with[28], 9);
    EXPECT_EQ(with[35], 2);
    EXPECT_EQ(DecodeSatellite(with, Placement::Satellite), sat);
    EXPECT_EQ(EncodeSatellite(sat, Placement::Carrier).size(), 28u);
}

TEST(CarrierRecord, BytesForEachPlacement)
{
    CarrierRecord car;
    car.name = "Carrier1_S1";
    car.factoryDefault = 1;
    car.satelliteIndex = 5;
    car.skew = 60;
    car.polarization = 3;
    car.symbolRateKs = 27500;
    car.frequencyMhz = 11778;
    car.fec = 5;
    car.serviceCount = 300;
    car.switchBlock = SwitchBlock{1, 1, 1, 1, 1, 1, 255, 255};
    const auto bytes = EncodeCarrier(car, Placement::Carrier);
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes[20], 1);
    EXPECT_EQ(bytes[21], 5);
    EXPECT_EQ(bytes[22], 60);
    EXPECT_EQ(bytes[23], 3);
    EXPECT_EQ(LoadLe32(bytes, 24), 27500u);
    EXPECT_EQ(LoadLe32(bytes, 28), 11778u);
    EXPECT_EQ(bytes[32], 5);
    EXPECT_EQ(LoadLe16(bytes, 34), 300u);
    EXPECT_EQ(bytes[43], 255);
    EXPECT_EQ(DecodeCarrier(bytes, Placement::Carrier), car);
    EXPECT_EQ(EncodeCarrier(car, Placement::Lnb).size(), 36u);
}

TEST(ServiceRecord, EveryFieldAtItsOffset)
{
    ServiceRecord s;
    s.name = "A name that is far too long for the field";
    s.type = kServiceRadio;
    s.videoPid = 8192;
    s.audioPid = 0x1FFF;
    s.pcrPid = 0x0100;
    s.favourites = 0x0F;
    s.scrambled = 1;
    s.preference = 1;
    s.factoryDefault = 1;
    s.programNumber = 0xBEEF;
    s.flagA = 2;
    s.nameUnchanged = 3;
    s.pidsUnchanged = 4;
    s.flagB = 5;
    const auto b = EncodeService(s);
    ASSERT_EQ(b.size(), 48u);
    EXPECT_EQ(s.name.Text(), "A name that is far ");
    EXPECT_EQ(b[19], 0);
    EXPECT_EQ(b[20], 2);
    EXPECT_EQ(LoadLe32(b, 24), 8192u);
    EXPECT_EQ(LoadLe32(b, 28), 0x1FFFu);
    EXPECT_EQ(LoadLe32(b, 32), 0x100u);
    EXPECT_EQ((Bytes{b[36], b[37], b[38], b[39]}), (Bytes{0x0F, 1, 1, 1}));
    EXPECT_EQ(LoadLe16(b, 40), 0xBEEFu);
    EXPECT_EQ((Bytes{b[42], b[43], b[44], b[45], b[46], b[47]}), (Bytes{2, 3, 4, 5, 0, 0}));
    EXPECT_EQ(DecodeService(b), s);
}

TEST(FixedName, KeepsBytesAfterTheTerminatorOnRoundTrip)
{
    Bytes raw(48, 0);
    raw[0] = 'X';
    raw[5] = 'Y';  // garbage after the NUL in a record written elsewhere
    const auto s = DecodeService(raw);
    EXPECT_EQ(s.name.Text(), "X");
    EXPECT_EQ(EncodeService(s), raw);
}

}  // namespace
}  // namespace velk
