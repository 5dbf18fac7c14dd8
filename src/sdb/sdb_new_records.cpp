#include "sdb/sdb_new_records.h"

#include "common/field_table.h"
#include "common/word_table.h"
#include "sdb/sdb_format.h"

#include <tuple>

namespace velk::sdb {
namespace {

// Written as its text, zero-filled whatever the stored field held after its
// end; read back byte for byte.
template <auto Member>
constexpr auto NameAt(std::size_t offset)
{
    using R = typename MemberOf<decltype(Member)>::Record;
    return ByteField<R>{offset, FixedName::kSize,
                        [](MutableByteView out, const R& r) {
                            const auto text = (r.*Member).Text();
                            std::fill(std::copy(text.begin(), text.end(), out.begin()), out.end(), 0);
                        },
                        [](ByteView in, R& r) { field_detail::LoadValue(in, r.*Member); }};
}

// A level's record: packed words from byte 0, byte fields, and the switch
// word after them when the placement puts the switch block on this level.
template <typename Record, typename WordTable, typename FieldTable>
struct NewLevel {
    WordTable words;
    FieldTable bytes;
    Placement own;
    std::size_t switchAt;

    void Store(MutableByteView rec, const Record& r, const typename WordTable::Packed& packed, Placement p) const
    {
        StoreWords(rec, packed);
        bytes.Store(rec, r);
        if constexpr (requires { r.switchBlock; })
            if (p == own)
                StoreLe32(rec, switchAt, PackSwitchWord(r.switchBlock));
    }
    Record Load(ByteView rec, Placement p) const
    {
        Record r;
        words.Unpack(LoadWords<std::tuple_size_v<typename WordTable::Packed>>(rec), r);
        bytes.Load(rec, r);
        if constexpr (requires { r.switchBlock; })
            if (p == own)
                r.switchBlock = UnpackSwitchWord(LoadLe32(rec, switchAt));
        return r;
    }
};

template <typename Record, typename WordTable, typename FieldTable>
constexpr auto Level(WordTable words, FieldTable bytes, Placement own, std::size_t switchAt)
{
    return NewLevel<Record, WordTable, FieldTable>{words, bytes, own, switchAt};
}

// The LNB word is kept whole; the SDB mark bit goes out and comes back set.
constexpr auto kLnb = Level<LnbRecord>(PackedWords<LnbRecord, 1>({0}, Bits<&LnbRecord::word>(0, BitField{0, 32})),
                                       FieldTable<LnbRecord, 0>{}, Placement::Lnb, 4);
static_assert(kLnb.words.Disjoint());

constexpr auto kSatellite = Level<SatelliteRecord>(
    PackedWords<SatelliteRecord, 2>(
        {new_sat::kWord0Ones, new_sat::kWord1Ones}, Bits<&SatelliteRecord::carrierCount>(0, new_sat::kCarrierCount),
        Bits<&SatelliteRecord::lnbIndex>(0, new_sat::kLnbIndex), Bits<&SatelliteRecord::position>(1, new_sat::kPosition),
        Bits<&SatelliteRecord::factoryDefault>(1, new_sat::kFactoryDefault), Bits<&SatelliteRecord::west>(1, new_sat::kWest),
        Bits<&SatelliteRecord::angle>(1, new_sat::kAngle)),
    Fields(NameAt<&SatelliteRecord::name>(8)), Placement::Satellite, kSatelliteSize);
static_assert(kSatellite.words.Disjoint() && kSatellite.bytes.FitsIn(kSatelliteSize));

constexpr auto kCarrier = Level<CarrierRecord>(
    PackedWords<CarrierRecord, 3>(
        {0, 0, carrier_word::kWord2Ones}, Bits<&CarrierRecord::symbolRateKs>(0, carrier_word::kSymbolRate),
        Bits<&CarrierRecord::serviceCount>(1, carrier_word::kServiceCount),
        // The 8-bit member keeps bits 0-7 of the 10-bit field: the reader takes the index from those only.
        Bits<&CarrierRecord::satelliteIndex>(2, carrier_word::kSatelliteIndex),
        Bits<&CarrierRecord::polarization>(2, carrier_word::kPolarization), Bits<&CarrierRecord::fec>(2, carrier_word::kFec),
        Bits<&CarrierRecord::factoryDefault>(2, carrier_word::kFactoryDefault), Bits<&CarrierRecord::skew>(2, carrier_word::kSkew)),
    Fields(NameAt<&CarrierRecord::name>(12), At<&CarrierRecord::frequencyMhz>(32)), Placement::Carrier, kCarrierSize);
static_assert(kCarrier.words.Disjoint() && kCarrier.bytes.FitsIn(kCarrierSize));

// Services carry no switch block.
constexpr auto kService = Level<ServiceRecord>(
    PackedWords<ServiceRecord, 3>(
        {0, 0, new_service::kWord2Ones}, Bits<&ServiceRecord::programNumber>(0, new_service::kProgramNumber),
        Bits<&ServiceRecord::videoPid>(1, new_service::kVideoPid), Bits<&ServiceRecord::audioPid>(1, new_service::kAudioPid),
        ZeroFlagOfElement<&ServiceRecord::unused21, 0>(1, new_service::kUnused21Zero),
        ZeroFlagOfElement<&ServiceRecord::unused21, 1>(1, new_service::kUnused22Zero),
        ZeroFlagOfElement<&ServiceRecord::unused21, 2>(1, new_service::kUnused23Zero),
        ZeroFlag<&ServiceRecord::preference>(1, new_service::kNotPreferred), Bits<&ServiceRecord::pcrPid>(2, new_service::kPcrPid),
        Bits<&ServiceRecord::type>(2, new_service::kType), ZeroFlag<&ServiceRecord::scrambled>(2, new_service::kNotScrambled),
        Bits<&ServiceRecord::favourites>(2, new_service::kFavourites),
        Bits<&ServiceRecord::factoryDefault>(2, new_service::kFactoryDefault), Bits<&ServiceRecord::flagA>(2, new_service::kFlagA),
        Bits<&ServiceRecord::nameUnchanged>(2, new_service::kNameUnchanged),
        Bits<&ServiceRecord::pidsUnchanged>(2, new_service::kPidsUnchanged), Bits<&ServiceRecord::flagB>(2, new_service::kFlagB)),
    Fields(NameAt<&ServiceRecord::name>(12)), Placement::Lnb, kServiceSize);
static_assert(kService.words.Disjoint() && kService.bytes.FitsIn(kServiceSize));

std::uint32_t MarkedLnbWord(std::uint32_t word) { return lnb_word::kSdbMark.Set(word, 1); }

}  // namespace

void StoreNewLnb(MutableByteView rec, const LnbRecord& lnb, Placement p)
{
    auto words = kLnb.words.Pack(lnb);
    words[0] = MarkedLnbWord(words[0]);
    kLnb.Store(rec, lnb, words, p);
}

LnbRecord LoadNewLnb(ByteView rec, Placement p)
{
    auto r = kLnb.Load(rec, p);
    r.word = MarkedLnbWord(r.word);
    return r;
}

void StoreNewSatellite(MutableByteView rec, const SatelliteRecord& sat, Placement p)
{
    kSatellite.Store(rec, sat, kSatellite.words.Pack(sat), p);
}

SatelliteRecord LoadNewSatellite(ByteView rec, Placement p) { return kSatellite.Load(rec, p); }

void StoreNewCarrier(MutableByteView rec, const CarrierRecord& carrier, const CarrierContext& context, Placement p)
{
    auto words = kCarrier.words.Pack(carrier);
    words[0] = carrier_word::kLnbByte.Set(words[0], context.lnbByte);
    words[1] = carrier_word::kFirstService.Set(words[1], context.firstService);
    kCarrier.Store(rec, carrier, words, p);
}

CarrierRecord LoadNewCarrier(ByteView rec, Placement p) { return kCarrier.Load(rec, p); }

void StoreNewService(MutableByteView rec, const ServiceRecord& service, std::uint16_t carrier)
{
    auto words = kService.words.Pack(service);
    words[0] = new_service::kCarrier.Set(words[0], carrier);
    kService.Store(rec, service, words, Placement::Lnb);
}

ServiceRecord LoadNewService(ByteView rec) { return kService.Load(rec, Placement::Lnb); }

}  // namespace velk::sdb
