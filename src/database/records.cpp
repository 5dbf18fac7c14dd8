#include "database/records.h"

#include "common/field_table.h"

namespace velk {
namespace {

constexpr auto kSwitchBlockFields = Fields(
    At<&SwitchBlock::volt12>(0), At<&SwitchBlock::diseqc10>(1), At<&SwitchBlock::diseqc11>(2), At<&SwitchBlock::toneBurst>(3),
    At<&SwitchBlock::repeat>(4), At<&SwitchBlock::khz22>(5), At<&SwitchBlock::unused6>(6), At<&SwitchBlock::unused7>(7));
static_assert(kSwitchBlockFields.FitsIn(SwitchBlock::kSize));

constexpr std::size_t kLnbBaseSize = 4;
constexpr auto kLnbFields = Fields(At<&LnbRecord::word>(0));
static_assert(kLnbFields.FitsIn(kLnbBaseSize));

constexpr auto kSatelliteFields = Fields(
    At<&SatelliteRecord::lnbIndex>(0), At<&SatelliteRecord::name>(1), At<&SatelliteRecord::west>(21),
    At<&SatelliteRecord::angle>(22), At<&SatelliteRecord::position>(24), At<&SatelliteRecord::factoryDefault>(25),
    At<&SatelliteRecord::carrierCount>(26));
static_assert(kSatelliteFields.FitsIn(SatelliteRecord::kBaseSize));

constexpr auto kCarrierFields = Fields(
    At<&CarrierRecord::name>(0), At<&CarrierRecord::factoryDefault>(20), At<&CarrierRecord::satelliteIndex>(21),
    At<&CarrierRecord::skew>(22), At<&CarrierRecord::polarization>(23), At<&CarrierRecord::symbolRateKs>(24),
    At<&CarrierRecord::frequencyMhz>(28), At<&CarrierRecord::fec>(32), At<&CarrierRecord::unused33>(33),
    At<&CarrierRecord::serviceCount>(34));
static_assert(kCarrierFields.FitsIn(CarrierRecord::kBaseSize));

constexpr auto kServiceFields = Fields(
    At<&ServiceRecord::name>(0), At<&ServiceRecord::type>(20), At<&ServiceRecord::unused21>(21),
    At<&ServiceRecord::videoPid>(24), At<&ServiceRecord::audioPid>(28), At<&ServiceRecord::pcrPid>(32),
    At<&ServiceRecord::favourites>(36), At<&ServiceRecord::scrambled>(37), At<&ServiceRecord::preference>(38),
    At<&ServiceRecord::factoryDefault>(39), At<&ServiceRecord::programNumber>(40), At<&ServiceRecord::flagA>(42),
    At<&ServiceRecord::nameUnchanged>(43), At<&ServiceRecord::pidsUnchanged>(44), At<&ServiceRecord::flagB>(45),
    At<&ServiceRecord::unused46>(46));
static_assert(kServiceFields.FitsIn(ServiceRecord::kSize));

// A level record: its fields, then the switch block when the placement puts it there.
template <typename Record, std::size_t N>
Bytes EncodeLevel(const FieldTable<Record, N>& fields, std::size_t baseSize, const Record& r, Placement own, Placement p)
{
    Bytes out(baseSize + (p == own ? SwitchBlock::kSize : 0));
    fields.Store(out, r);
    if (p == own)
        StoreSwitchBlock(out, baseSize, r.switchBlock);
    return out;
}

template <typename Record, std::size_t N>
Record DecodeLevel(const FieldTable<Record, N>& fields, std::size_t baseSize, ByteView in, Placement own, Placement p)
{
    Record r;
    fields.Load(in, r);
    if (p == own)
        r.switchBlock = LoadSwitchBlock(in, baseSize);
    return r;
}

}  // namespace

std::size_t LnbRecordSize(Placement p) { return kLnbBaseSize + (p == Placement::Lnb ? SwitchBlock::kSize : 0); }
std::size_t SatelliteRecordSize(Placement p) { return SatelliteRecord::kBaseSize + (p == Placement::Satellite ? SwitchBlock::kSize : 0); }
std::size_t CarrierRecordSize(Placement p) { return CarrierRecord::kBaseSize + (p == Placement::Carrier ? SwitchBlock::kSize : 0); }

void StoreSwitchBlock(MutableByteView out, std::size_t off, const SwitchBlock& sb)
{
    CheckRange(out.size(), off, SwitchBlock::kSize);
    kSwitchBlockFields.Store(out.subspan(off, SwitchBlock::kSize), sb);
}

SwitchBlock LoadSwitchBlock(ByteView in, std::size_t off)
{
    CheckRange(in.size(), off, SwitchBlock::kSize);
    SwitchBlock sb;
    kSwitchBlockFields.Load(in.subspan(off, SwitchBlock::kSize), sb);
    return sb;
}

Bytes EncodeLnb(const LnbRecord& r, Placement p)
{
    return EncodeLevel(kLnbFields, kLnbBaseSize, r, Placement::Lnb, p);
}

Bytes EncodeSatellite(const SatelliteRecord& r, Placement p)
{
    return EncodeLevel(kSatelliteFields, SatelliteRecord::kBaseSize, r, Placement::Satellite, p);
}

Bytes EncodeCarrier(const CarrierRecord& r, Placement p)
{
    return EncodeLevel(kCarrierFields, CarrierRecord::kBaseSize, r, Placement::Carrier, p);
}

LnbRecord DecodeLnb(ByteView in, Placement p) { return DecodeLevel(kLnbFields, kLnbBaseSize, in, Placement::Lnb, p); }

SatelliteRecord DecodeSatellite(ByteView in, Placement p)
{
    return DecodeLevel(kSatelliteFields, SatelliteRecord::kBaseSize, in, Placement::Satellite, p);
}

CarrierRecord DecodeCarrier(ByteView in, Placement p)
{
    return DecodeLevel(kCarrierFields, CarrierRecord::kBaseSize, in, Placement::Carrier, p);
}

Bytes EncodeService(const ServiceRecord& r)
{
    Bytes out(ServiceRecord::kSize);
    kServiceFields.Store(out, r);
    return out;
}

ServiceRecord DecodeService(ByteView in)
{
    ServiceRecord r;
    kServiceFields.Load(in, r);
    return r;
}

}  // namespace velk
