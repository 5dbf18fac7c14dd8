#include "database/default_values.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

TEST(DefaultValues, FactoryValuesWithoutDvRecord)
{
    const auto d = LoadDefaultValues(std::nullopt, 1);
    EXPECT_EQ(d.lnb.word, 0x7A5A2616u);
    EXPECT_EQ(LoadDefaultValues(std::nullopt, 2).lnb.word, 0x4A5A2616u);
    EXPECT_EQ(d.switchBlock, (SwitchBlock{2, 4, 16, 2, 0, 2, 255, 255}));
    EXPECT_EQ(d.service.type, kServiceTv);
    EXPECT_EQ(d.service.videoPid, kNoPid);
    EXPECT_EQ(d.service.audioPid, kNoPid);
    EXPECT_EQ(d.service.pcrPid, kNoPid);
    EXPECT_EQ(d.carrier.skew, 90);
    EXPECT_EQ(d.carrier.symbolRateKs, 1000u);
    EXPECT_EQ(d.carrier.frequencyMhz, 3000u);
    EXPECT_EQ(d.satellite, SatelliteRecord{});
}

DefaultRecords SampleDefaults()
{
    DefaultRecords d = FactoryDefaults(2);
    d.lnb.SetLowMhz(5150);
    d.lnb.SetHighMhz(5750);
    d.lnb.SetType(1);
    d.lnb.SetPower(false);
    d.switchBlock = SwitchBlock{1, 3, 11, 1, 2, 1, 255, 255};
    d.satellite.position = 42;
    d.satellite.lnbIndex = 7;
    d.satellite.west = 1;
    d.satellite.angle = 3600;
    d.satellite.factoryDefault = 1;
    d.carrier.symbolRateKs = 0xABCDEF;
    d.carrier.skew = 120;
    d.carrier.frequencyMhz = 0xDEADBEEF;
    d.carrier.polarization = 3;
    d.carrier.fec = 5;
    d.carrier.factoryDefault = 1;
    d.service.audioPid = 0x1234;
    d.service.videoPid = 0x2345;
    d.service.pcrPid = 0x3456;
    d.service.favourites = 0x07;
    d.service.type = 2;
    d.service.scrambled = 1;
    d.service.factoryDefault = 1;
    d.service.preference = 1;
    return d;
}

TEST(DefaultValues, DvRoundTripGivesBackEveryField)
{
    const auto d = SampleDefaults();
    const auto dv = StoreDefaultValues(d, DvRecord{});
    auto back = LoadDefaultValues(dv, 2);
    EXPECT_EQ(back.lnb.word, d.lnb.word | 0x80000000u);  // loading marks bit 31
    back.lnb.word &= 0x7FFFFFFFu;
    auto expected = d;
    expected.lnb.switchBlock = expected.switchBlock;
    back.lnb.switchBlock = back.switchBlock;
    EXPECT_EQ(back, expected);
}

TEST(DefaultValues, DvKeepsTheReservedBitsAndOnlyGroupsOneToThree)
{
    auto d = SampleDefaults();
    d.service.favourites = 0x0F;
    DvRecord previous;
    previous.d[5] = 0xFFFFFFFF;
    previous.d[6] = 0xFFFFFFFF;
    auto dv = StoreDefaultValues(d, previous);
    EXPECT_EQ(dv.d[5] & (1u << 30), 1u << 30);
    EXPECT_EQ(dv.d[6] & 0xFFFF8000u, 0xFFFF8000u);
    EXPECT_EQ(ProductTypeOf(dv), 0xFF);
    SetProductType(dv, 3);
    EXPECT_EQ(ProductTypeOf(dv), 3);
    EXPECT_EQ(dv.d[6] & 0xFFFF8000u, 0xFFFF8000u);
    EXPECT_EQ(LoadDefaultValues(dv, 3).service.favourites, 0x07);
    // A cleared previous record keeps bit 30 clear.
    EXPECT_EQ(StoreDefaultValues(d, DvRecord{}).d[5] & (1u << 30), 0u);
}

TEST(DefaultValues, Volt12AndBothDiseqcFieldsAreIndependent)
{
    auto d = FactoryDefaults(1);
    d.switchBlock.volt12 = 1;
    d.switchBlock.diseqc10 = 2;
    d.switchBlock.diseqc11 = 15;
    const auto dv = StoreDefaultValues(d, {});
    EXPECT_EQ(dv.d[0] >> 30, 1u);
    const auto back = LoadDefaultValues(dv, 1);
    EXPECT_EQ(back.switchBlock.volt12, 1);
    EXPECT_EQ(back.switchBlock.diseqc10, 2);
    EXPECT_EQ(back.switchBlock.diseqc11, 15);
}

TEST(DvFile, FramingAndSignatureCheck)
{
    DvRecord dv;
    dv.d[0] = 0x04030201;
    const auto file = EncodeDvFile(dv);
    ASSERT_EQ(file.size(), 32u);
    EXPECT_EQ((Bytes{file[0], file[1], file[2], file[3], file[4]}), (Bytes{'D', 'V', 0x01, 0x1C, 0x01}));
    EXPECT_EQ(DecodeDvFile(file), dv);
    auto wrong = file;
    wrong[1] = 'X';
    EXPECT_FALSE(DecodeDvFile(wrong));
    EXPECT_FALSE(DecodeDvFile(ByteView(file).first(20)));
}

}  // namespace
}  // namespace velk
