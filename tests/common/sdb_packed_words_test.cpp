// Every packed word of the SDB layouts: each field alone at its maximum sets
// exactly its own bits (hand-worked masks), and all of them together fill the
// word. New-layout words go through the record codecs, old-layout words
// through the converters' field pairs.
#include "sdb/sdb_field_pairs.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_new_records.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace velk::sdb {
namespace {

template <typename Record>
struct Case {
    std::string field;
    std::function<void(Record&)> setMax;
    std::uint32_t word;  // the packed word with only this field at its maximum
};

// Encodes the record with each field alone at its maximum, then all of them,
// and checks the word at `wordAt` and the round trip.
template <typename Record, typename Encode, typename Decode>
void CheckWord(Record zero, std::size_t wordAt, std::uint32_t fill, std::uint32_t all, const std::vector<Case<Record>>& cases,
               Encode encode, Decode decode)
{
    EXPECT_EQ(LoadLe32(encode(zero), wordAt), fill) << "no field set";
    Record every = zero;
    for (const auto& c : cases) {
        Record r = zero;
        c.setMax(r);
        c.setMax(every);
        const auto bytes = encode(r);
        EXPECT_EQ(LoadLe32(bytes, wordAt), c.word) << c.field;
        EXPECT_EQ(decode(bytes), r) << c.field;
    }
    const auto bytes = encode(every);
    EXPECT_EQ(LoadLe32(bytes, wordAt), all) << "every field";
    EXPECT_EQ(decode(bytes), every) << "every field";
}

// Zero in every packed field (the flags stored inverted are set).
ServiceRecord ZeroService()
{
    ServiceRecord s;
    s.type = 0;
    s.unused21 = {1, 1, 1};
    s.videoPid = s.audioPid = s.pcrPid = 0;
    s.preference = 1;
    s.scrambled = 1;
    s.flagA = s.nameUnchanged = s.pidsUnchanged = s.flagB = 0;
    return s;
}

CarrierRecord ZeroCarrier()
{
    CarrierRecord c;
    c.skew = 0;
    return c;
}

TEST(SdbPackedWords, SwitchWord)
{
    auto encode = [](const LnbRecord& r) { Bytes b(8); StoreNewLnb(b, r, Placement::Lnb); return b; };
    auto decode = [](const Bytes& b) { return LoadNewLnb(b, Placement::Lnb); };
    LnbRecord zero;
    zero.word = 0x80000000u;  // the mark bit comes back set
    zero.switchBlock.unused6 = zero.switchBlock.unused7 = 255;
    CheckWord<LnbRecord>(zero, 4, 0xFFFE0000u, 0xFFFFFFFFu,
                         {{"volt12", [](auto& r) { r.switchBlock.volt12 = 3; }, 0xFFFE0003u},
                          {"diseqc10", [](auto& r) { r.switchBlock.diseqc10 = 7; }, 0xFFFE001Cu},
                          {"diseqc11", [](auto& r) { r.switchBlock.diseqc11 = 31; }, 0xFFFE03E0u},
                          {"toneBurst", [](auto& r) { r.switchBlock.toneBurst = 3; }, 0xFFFE0C00u},
                          {"repeat", [](auto& r) { r.switchBlock.repeat = 7; }, 0xFFFE7000u},
                          {"khz22", [](auto& r) { r.switchBlock.khz22 = 3; }, 0xFFFF8000u}},
                         encode, decode);
}

auto NewSatelliteBytes = [](const SatelliteRecord& r) { Bytes b(kSatelliteSize); StoreNewSatellite(b, r, Placement::Lnb); return b; };
auto NewSatelliteOf = [](const Bytes& b) { return LoadNewSatellite(b, Placement::Lnb); };

TEST(SdbPackedWords, SatelliteWord0)
{
    CheckWord<SatelliteRecord>({}, 0, 0xFFE00000u, 0xFFFFFFFFu,
                               {{"carrierCount", [](auto& r) { r.carrierCount = 0x1FFF; }, 0xFFE01FFFu},
                                {"lnbIndex", [](auto& r) { r.lnbIndex = 0xFF; }, 0xFFFFE000u}},
                               NewSatelliteBytes, NewSatelliteOf);
}

TEST(SdbPackedWords, SatelliteWord1)
{
    CheckWord<SatelliteRecord>({}, 4, 0xE000FE00u, 0xFFFFFFFFu,
                               {{"position", [](auto& r) { r.position = 0xFF; }, 0xE000FEFFu},
                                {"factoryDefault", [](auto& r) { r.factoryDefault = 1; }, 0xE000FF00u},
                                {"west", [](auto& r) { r.west = 1; }, 0xE001FE00u},
                                {"angle", [](auto& r) { r.angle = 0xFFF; }, 0xFFFEFE00u}},
                               NewSatelliteBytes, NewSatelliteOf);
}

auto NewCarrierBytes = [](const CarrierRecord& r) { Bytes b(kCarrierSize); StoreNewCarrier(b, r, {}, Placement::Lnb); return b; };
auto NewCarrierOf = [](const Bytes& b) { return LoadNewCarrier(b, Placement::Lnb); };

TEST(SdbPackedWords, CarrierWords0And1)
{
    CheckWord<CarrierRecord>(ZeroCarrier(), 0, 0, 0x00FFFFFFu,
                             {{"symbolRate", [](auto& r) { r.symbolRateKs = 0xFFFFFF; }, 0x00FFFFFFu}}, NewCarrierBytes,
                             NewCarrierOf);
    CheckWord<CarrierRecord>(ZeroCarrier(), 4, 0, 0xFFFF0000u,
                             {{"serviceCount", [](auto& r) { r.serviceCount = 0xFFFF; }, 0xFFFF0000u}}, NewCarrierBytes,
                             NewCarrierOf);
    // The bits the writer takes from around the carrier.
    Bytes b(kCarrierSize);
    StoreNewCarrier(b, ZeroCarrier(), {0xFF, 0xFFFF}, Placement::Lnb);
    EXPECT_EQ(LoadLe32(b, 0), 0xFF000000u);
    EXPECT_EQ(LoadLe32(b, 4), 0x0000FFFFu);
}

TEST(SdbPackedWords, CarrierWord2)
{
    CheckWord<CarrierRecord>(ZeroCarrier(), 8, 0xFF000000u, 0xFFFFFCFFu,  // bits 8-9: an 8-bit index
                             {{"satelliteIndex", [](auto& r) { r.satelliteIndex = 0xFF; }, 0xFF0000FFu},
                              {"polarization", [](auto& r) { r.polarization = 3; }, 0xFF000C00u},
                              {"fec", [](auto& r) { r.fec = 7; }, 0xFF007000u},
                              {"factoryDefault", [](auto& r) { r.factoryDefault = 1; }, 0xFF008000u},
                              {"skew", [](auto& r) { r.skew = 0xFF; }, 0xFFFF0000u}},
                             NewCarrierBytes, NewCarrierOf);
}

auto NewServiceBytes = [](const ServiceRecord& r) { Bytes b(kServiceSize); StoreNewService(b, r, 0); return b; };

TEST(SdbPackedWords, ServiceWord0)
{
    CheckWord<ServiceRecord>(ZeroService(), 0, 0, 0x0000FFFFu,
                             {{"programNumber", [](auto& r) { r.programNumber = 0xFFFF; }, 0x0000FFFFu}}, NewServiceBytes,
                             LoadNewService);
    Bytes b(kServiceSize);
    StoreNewService(b, ZeroService(), 0xFFFF);
    EXPECT_EQ(LoadLe32(b, 0), 0xFFFF0000u);
}

TEST(SdbPackedWords, ServiceWord1)
{
    CheckWord<ServiceRecord>(ZeroService(), 4, 0, 0xFFFFFFFFu,
                             {{"videoPid", [](auto& r) { r.videoPid = 0x3FFF; }, 0x00003FFFu},
                              {"audioPid", [](auto& r) { r.audioPid = 0x3FFF; }, 0x0FFFC000u},
                              {"unused21", [](auto& r) { r.unused21[0] = 0; }, 0x10000000u},
                              {"unused22", [](auto& r) { r.unused21[1] = 0; }, 0x20000000u},
                              {"unused23", [](auto& r) { r.unused21[2] = 0; }, 0x40000000u},
                              {"preference", [](auto& r) { r.preference = 0; }, 0x80000000u}},
                             NewServiceBytes, LoadNewService);
}

TEST(SdbPackedWords, ServiceWord2)
{
    CheckWord<ServiceRecord>(ZeroService(), 8, 0xFC000000u, 0xFFFFFFFFu,
                             {{"pcrPid", [](auto& r) { r.pcrPid = 0x3FFF; }, 0xFC003FFFu},
                              {"type", [](auto& r) { r.type = 3; }, 0xFC00C000u},
                              {"scrambled", [](auto& r) { r.scrambled = 0; }, 0xFC010000u},
                              {"favourites", [](auto& r) { r.favourites = 0xF; }, 0xFC1E0000u},
                              {"factoryDefault", [](auto& r) { r.factoryDefault = 1; }, 0xFC200000u},
                              {"flagA", [](auto& r) { r.flagA = 1; }, 0xFC400000u},
                              {"nameUnchanged", [](auto& r) { r.nameUnchanged = 1; }, 0xFC800000u},
                              {"pidsUnchanged", [](auto& r) { r.pidsUnchanged = 1; }, 0xFD000000u},
                              {"flagB", [](auto& r) { r.flagB = 1; }, 0xFE000000u}},
                             NewServiceBytes, LoadNewService);
}

// One new-layout word at its maximum in one field, and the old word it becomes.
struct PairCase {
    std::string field;
    std::size_t newAt;
    std::uint32_t newWord;
    std::size_t oldAt;
    std::uint32_t oldWord;
};

constexpr std::uint32_t kNoLnbLimit = 256;

// Runs each case both ways, its bits added to `base` (a new record whose
// fields all become zero in the old one), then all cases together.
template <std::size_t N>
void CheckPairs(const std::array<FieldPair, N>& pairs, const Bytes& base, std::size_t oldSize, const std::vector<PairCase>& cases)
{
    Bytes everyNew = base, everyOld(oldSize, 0);
    for (const auto& c : cases) {
        Bytes fresh = base, old(oldSize, 0), back(base.size(), 0);
        StoreLe32(fresh, c.newAt, LoadLe32(base, c.newAt) | c.newWord);
        CopyPairs(pairs, fresh, old, ConvertDirection::NewToOld, kNoLnbLimit);
        EXPECT_EQ(LoadLe32(old, c.oldAt), c.oldWord) << c.field;
        CopyPairs(pairs, old, back, ConvertDirection::OldToNew, kNoLnbLimit);
        EXPECT_EQ(LoadLe32(back, c.newAt) & c.newWord, c.newWord) << c.field << " back";
        StoreLe32(everyNew, c.newAt, LoadLe32(everyNew, c.newAt) | c.newWord);
        StoreLe32(everyOld, c.oldAt, LoadLe32(everyOld, c.oldAt) | c.oldWord);
    }
    Bytes old(oldSize, 0);
    CopyPairs(pairs, everyNew, old, ConvertDirection::NewToOld, kNoLnbLimit);
    EXPECT_EQ(old, everyOld);
}

TEST(SdbPackedWords, OldLnbWords)
{
    CheckPairs(kLnbPairs, Bytes(kNewLnbSize, 0), kOldLnbSize,
               {{"type", 0, 0x30000000u, 0, 0x0000000Cu},
                {"power", 0, 0x40000000u, 0, 0x00000010u},
                {"volt12", 4, 0x00000003u, 0, 0x00000060u},
                {"diseqc10", 4, 0x0000001Cu, 0, 0x00000380u},
                {"diseqc11", 4, 0x000003E0u, 0, 0x00007C00u},
                {"toneBurst", 4, 0x00000C00u, 0, 0x00018000u},
                {"repeat", 4, 0x00007000u, 0, 0x000E0000u},
                {"lowMhz", 0, 0x00003FFFu, 4, 0x00003FFFu},
                {"highMhz", 0, 0x0FFFC000u, 8, 0x00003FFFu}});
}

TEST(SdbPackedWords, OldSatelliteWords)
{
    CheckPairs(kSatellitePairs, Bytes(kSatelliteSize, 0), kSatelliteSize,
               {{"carrierCount", 0, 0x00001FFFu, 0, 0x1FFF0000u},
                {"lnbIndex", 0, 0x000FE000u, 4, 0x0000FE00u},  // 7 bits in the old word
                {"position", 4, 0x000000FFu, 4, 0x000000FFu},
                {"factoryDefault", 4, 0x00000100u, 4, 0x00000100u},
                {"west", 4, 0x00010000u, 4, 0x00010000u},
                {"angle", 4, 0x1FFE0000u, 4, 0x1FFE0000u}});
    // An index the product has no LNB for becomes the first LNB.
    Bytes fresh(kSatelliteSize, 0), old(kSatelliteSize, 0);
    StoreLe32(fresh, 0, 16u << 13);
    CopyPairs(kSatellitePairs, fresh, old, ConvertDirection::NewToOld, 16);
    EXPECT_EQ(LoadLe32(old, 4), 0u);
}

TEST(SdbPackedWords, OldCarrierWord2)
{
    CheckPairs(kCarrierPairs, Bytes(kCarrierSize, 0), kCarrierSize,
               {{"satelliteIndex", 8, 0x000003FFu, 8, 0x000003FFu},
                {"polarization", 8, 0x00000C00u, 8, 0x00000C00u},
                {"fec", 8, 0x00007000u, 8, 0x0001C000u},
                {"factoryDefault", 8, 0x00008000u, 8, 0x00020000u}});
}

TEST(SdbPackedWords, OldServiceWords)
{
    Bytes tv(kServiceSize, 0);
    StoreLe32(tv, 8, 0x00004000u);  // type 1, kept as 0 in the old layout
    CheckPairs(kServicePairs, tv, kServiceSize,
               {{"videoPid", 4, 0x00003FFFu, 0, 0x3FFF0000u},
                {"factoryDefault", 8, 0x00200000u, 0, 0x40000000u},
                {"flagA", 8, 0x00400000u, 0, 0x80000000u},
                {"favourites", 8, 0x001E0000u, 4, 0x0000000Fu},
                {"audioPid", 4, 0x0FFFC000u, 28, 0x00003FFFu},
                {"pcrPid", 8, 0x00003FFFu, 28, 0x0FFFC000u},
                {"notScrambled", 8, 0x00010000u, 28, 0x10000000u},
                {"notPreferred", 4, 0x80000000u, 28, 0x20000000u},
                {"type", 8, 0x0000C000u, 28, 0x80000000u}});  // kept less one
}

}  // namespace
}  // namespace velk::sdb
