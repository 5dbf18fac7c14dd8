#include "database/default_values.h"

#include "common/bit_field.h"

namespace velk {
namespace {

// Where each default field lives in the DV record: word index and bit field.
struct DvField {
    std::size_t word;
    BitField bits;
};

namespace dv {
constexpr DvField kLnbLow{0, {0, 14}};
constexpr DvField kLnbHigh{0, {14, 14}};
constexpr DvField kLnbType{0, {28, 2}};
constexpr DvField kVolt12{0, {30, 2}};
constexpr DvField kLnbPower{1, {0, 1}};
constexpr DvField kRepeat{1, {1, 3}};
constexpr DvField kKhz22{1, {4, 2}};
constexpr DvField kToneBurst{1, {6, 2}};
constexpr DvField kDiseqc10{1, {8, 3}};
constexpr DvField kDiseqc11{1, {11, 5}};
constexpr DvField kSatPosition{1, {16, 8}};
constexpr DvField kSatLnbIndex{1, {24, 8}};
constexpr DvField kCarSymbolRate{2, {0, 24}};
constexpr DvField kCarSkew{2, {24, 8}};
constexpr DvField kCarFrequency{3, {0, 32}};
constexpr DvField kSvcAudioPid{4, {0, 14}};
constexpr DvField kSvcVideoPid{4, {14, 14}};
constexpr DvField kSvcFavourites{4, {28, 3}};
constexpr DvField kSatWest{4, {31, 1}};
constexpr DvField kSatAngle{5, {0, 12}};
constexpr DvField kCarPolarization{5, {12, 2}};
constexpr DvField kSvcType{5, {14, 2}};
constexpr DvField kSvcPcrPid{5, {16, 14}};
constexpr DvField kSvcScrambled{5, {31, 1}};
constexpr DvField kCarFec{6, {0, 3}};
constexpr DvField kSatFactory{6, {3, 1}};
constexpr DvField kCarFactory{6, {4, 1}};
constexpr DvField kSvcFactory{6, {5, 1}};
constexpr DvField kSvcPreference{6, {6, 1}};
constexpr DvField kProductType{6, {7, 8}};
}  // namespace dv

std::uint32_t Get(const DvRecord& r, DvField f) { return f.bits.Get(r.d[f.word]); }
void Put(DvRecord& r, DvField f, std::uint32_t v) { r.d[f.word] = f.bits.Set(r.d[f.word], v); }

void FillFixedBytes(DefaultRecords& d)
{
    d.switchBlock.unused6 = d.switchBlock.unused7 = 255;
    d.lnb.switchBlock = d.switchBlock;
    d.service.flagA = d.service.nameUnchanged = d.service.pidsUnchanged = d.service.flagB = 1;
}

// A default record starts all zero; only the fields the DV record carries are set.
DefaultRecords ClearedDefaults()
{
    DefaultRecords d;
    d.carrier.skew = 0;
    d.service.type = 0;
    d.service.videoPid = d.service.audioPid = d.service.pcrPid = 0;
    return d;
}

}  // namespace

DefaultRecords FactoryDefaults(std::uint8_t productType)
{
    DefaultRecords d = ClearedDefaults();
    d.lnb.SetLowMhz(9750);
    d.lnb.SetHighMhz(10600);
    d.lnb.SetType(productType == 2 ? 0 : 3);
    d.lnb.SetPower(true);
    d.switchBlock = SwitchBlock{2, 4, 16, 2, 0, 2, 255, 255};
    d.carrier.skew = 90;
    d.carrier.symbolRateKs = 1000;
    d.carrier.frequencyMhz = 3000;
    d.service.type = kServiceTv;
    d.service.videoPid = d.service.audioPid = d.service.pcrPid = kNoPid;
    FillFixedBytes(d);
    return d;
}

DefaultRecords LoadDefaultValues(const std::optional<DvRecord>& dvRecord, std::uint8_t productType)
{
    if (!dvRecord)
        return FactoryDefaults(productType);
    const DvRecord& r = *dvRecord;
    DefaultRecords d = ClearedDefaults();
    d.lnb.SetLowMhz(Get(r, dv::kLnbLow));
    d.lnb.SetHighMhz(Get(r, dv::kLnbHigh));
    d.lnb.SetType(Get(r, dv::kLnbType));
    d.lnb.SetPower(Get(r, dv::kLnbPower) != 0);
    d.lnb.word = lnb_word::kSdbMark.Set(d.lnb.word, 1);
    d.switchBlock.volt12 = static_cast<std::uint8_t>(Get(r, dv::kVolt12));
    d.switchBlock.repeat = static_cast<std::uint8_t>(Get(r, dv::kRepeat));
    d.switchBlock.khz22 = static_cast<std::uint8_t>(Get(r, dv::kKhz22));
    d.switchBlock.toneBurst = static_cast<std::uint8_t>(Get(r, dv::kToneBurst));
    d.switchBlock.diseqc10 = static_cast<std::uint8_t>(Get(r, dv::kDiseqc10));
    d.switchBlock.diseqc11 = static_cast<std::uint8_t>(Get(r, dv::kDiseqc11));
    d.satellite.position = static_cast<std::uint8_t>(Get(r, dv::kSatPosition));
    d.satellite.lnbIndex = static_cast<std::uint8_t>(Get(r, dv::kSatLnbIndex));
    d.satellite.west = static_cast<std::uint8_t>(Get(r, dv::kSatWest));
    d.satellite.angle = static_cast<std::int16_t>(Get(r, dv::kSatAngle));
    d.satellite.factoryDefault = static_cast<std::uint8_t>(Get(r, dv::kSatFactory));
    d.carrier.symbolRateKs = Get(r, dv::kCarSymbolRate);
    d.carrier.skew = static_cast<std::uint8_t>(Get(r, dv::kCarSkew));
    d.carrier.frequencyMhz = Get(r, dv::kCarFrequency);
    d.carrier.polarization = static_cast<std::uint8_t>(Get(r, dv::kCarPolarization));
    d.carrier.fec = static_cast<std::uint8_t>(Get(r, dv::kCarFec));
    d.carrier.factoryDefault = static_cast<std::uint8_t>(Get(r, dv::kCarFactory));
    d.service.audioPid = Get(r, dv::kSvcAudioPid);
    d.service.videoPid = Get(r, dv::kSvcVideoPid);
    d.service.favourites = static_cast<std::uint8_t>(Get(r, dv::kSvcFavourites));
    d.service.type = static_cast<std::uint8_t>(Get(r, dv::kSvcType));
    d.service.pcrPid = Get(r, dv::kSvcPcrPid);
    d.service.scrambled = static_cast<std::uint8_t>(Get(r, dv::kSvcScrambled));
    d.service.factoryDefault = static_cast<std::uint8_t>(Get(r, dv::kSvcFactory));
    d.service.preference = static_cast<std::uint8_t>(Get(r, dv::kSvcPreference));
    FillFixedBytes(d);
    return d;
}

DvRecord StoreDefaultValues(const DefaultRecords& d, const DvRecord& previous)
{
    DvRecord r;
    r.d[5] = previous.d[5] & (1u << 30);
    r.d[6] = previous.d[6] & ~0x7Fu;  // product type and bits 15-31 stay
    Put(r, dv::kLnbLow, d.lnb.LowMhz());
    Put(r, dv::kLnbHigh, d.lnb.HighMhz());
    Put(r, dv::kLnbType, d.lnb.Type());
    Put(r, dv::kVolt12, d.switchBlock.volt12);
    Put(r, dv::kLnbPower, d.lnb.PowerOn() ? 1 : 0);
    Put(r, dv::kRepeat, d.switchBlock.repeat);
    Put(r, dv::kKhz22, d.switchBlock.khz22);
    Put(r, dv::kToneBurst, d.switchBlock.toneBurst);
    Put(r, dv::kDiseqc10, d.switchBlock.diseqc10);
    Put(r, dv::kDiseqc11, d.switchBlock.diseqc11);
    Put(r, dv::kSatPosition, d.satellite.position);
    Put(r, dv::kSatLnbIndex, d.satellite.lnbIndex);
    Put(r, dv::kCarSymbolRate, d.carrier.symbolRateKs);
    Put(r, dv::kCarSkew, d.carrier.skew);
    Put(r, dv::kCarFrequency, d.carrier.frequencyMhz);
    Put(r, dv::kSvcAudioPid, d.service.audioPid);
    Put(r, dv::kSvcVideoPid, d.service.videoPid);
    Put(r, dv::kSvcFavourites, d.service.favourites & 7u);
    Put(r, dv::kSatWest, d.satellite.west);
    Put(r, dv::kSatAngle, static_cast<std::uint16_t>(d.satellite.angle));
    Put(r, dv::kCarPolarization, d.carrier.polarization);
    Put(r, dv::kSvcType, d.service.type);
    Put(r, dv::kSvcPcrPid, d.service.pcrPid);
    Put(r, dv::kSvcScrambled, d.service.scrambled);
    Put(r, dv::kCarFec, d.carrier.fec);
    Put(r, dv::kSatFactory, d.satellite.factoryDefault);
    Put(r, dv::kCarFactory, d.carrier.factoryDefault);
    Put(r, dv::kSvcFactory, d.service.factoryDefault);
    Put(r, dv::kSvcPreference, d.service.preference);
    return r;
}

std::uint8_t ProductTypeOf(const DvRecord& r) { return static_cast<std::uint8_t>(Get(r, dv::kProductType)); }
void SetProductType(DvRecord& r, std::uint8_t productType) { Put(r, dv::kProductType, productType); }

Bytes EncodeDvFile(const DvRecord& r)
{
    Bytes out{'D', 'V', 0x01, 0x1C};
    out.resize(4 + kDvRecordSize);
    for (std::size_t i = 0; i < r.d.size(); ++i)
        StoreLe32(out, 4 + 4 * i, r.d[i]);
    return out;
}

std::optional<DvRecord> DecodeDvFile(ByteView content)
{
    if (content.size() < 4 + kDvRecordSize || content[0] != 'D' || content[1] != 'V')
        return std::nullopt;
    DvRecord r;
    for (std::size_t i = 0; i < r.d.size(); ++i)
        r.d[i] = LoadLe32(content, 4 + 4 * i);
    return r;
}

}  // namespace velk
