#include "database/records.h"

#include <algorithm>

namespace velk {
namespace {

void StoreName(MutableByteView out, std::size_t off, const FixedName& name)
{
    CheckRange(out.size(), off, FixedName::kSize);
    std::copy(name.Raw().begin(), name.Raw().end(), out.begin() + static_cast<std::ptrdiff_t>(off));
}

FixedName LoadName(ByteView in, std::size_t off)
{
    CheckRange(in.size(), off, FixedName::kSize);
    FixedName name;
    std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(off), FixedName::kSize, name.Raw().begin());
    return name;
}

}  // namespace

std::size_t LnbRecordSize(Placement p) { return p == Placement::Lnb ? 4 + SwitchBlock::kSize : 4; }
std::size_t SatelliteRecordSize(Placement p) { return SatelliteRecord::kBaseSize + (p == Placement::Satellite ? SwitchBlock::kSize : 0); }
std::size_t CarrierRecordSize(Placement p) { return CarrierRecord::kBaseSize + (p == Placement::Carrier ? SwitchBlock::kSize : 0); }

void StoreSwitchBlock(MutableByteView out, std::size_t off, const SwitchBlock& sb)
{
    const std::array<std::uint8_t, 8> bytes{sb.volt12, sb.diseqc10, sb.diseqc11, sb.toneBurst, sb.repeat, sb.khz22, sb.unused6, sb.unused7};
    CheckRange(out.size(), off, bytes.size());
    std::copy(bytes.begin(), bytes.end(), out.begin() + static_cast<std::ptrdiff_t>(off));
}

SwitchBlock LoadSwitchBlock(ByteView in, std::size_t off)
{
    CheckRange(in.size(), off, SwitchBlock::kSize);
    return SwitchBlock{in[off], in[off + 1], in[off + 2], in[off + 3], in[off + 4], in[off + 5], in[off + 6], in[off + 7]};
}

Bytes EncodeLnb(const LnbRecord& r, Placement p)
{
    Bytes out(LnbRecordSize(p));
    StoreLe32(out, 0, r.word);
    if (p == Placement::Lnb)
        StoreSwitchBlock(out, 4, r.switchBlock);
    return out;
}

LnbRecord DecodeLnb(ByteView in, Placement p)
{
    LnbRecord r;
    r.word = LoadLe32(in, 0);
    if (p == Placement::Lnb)
        r.switchBlock = LoadSwitchBlock(in, 4);
    return r;
}

Bytes EncodeSatellite(const SatelliteRecord& r, Placement p)
{
    Bytes out(SatelliteRecordSize(p));
    StoreU8(out, 0, r.lnbIndex);
    StoreName(out, 1, r.name);
    StoreU8(out, 21, r.west);
    StoreLe16(out, 22, static_cast<std::uint16_t>(r.angle));
    StoreU8(out, 24, r.position);
    StoreU8(out, 25, r.factoryDefault);
    StoreLe16(out, 26, r.carrierCount);
    if (p == Placement::Satellite)
        StoreSwitchBlock(out, SatelliteRecord::kBaseSize, r.switchBlock);
    return out;
}

SatelliteRecord DecodeSatellite(ByteView in, Placement p)
{
    SatelliteRecord r;
    r.lnbIndex = LoadU8(in, 0);
    r.name = LoadName(in, 1);
    r.west = LoadU8(in, 21);
    r.angle = static_cast<std::int16_t>(LoadLe16(in, 22));
    r.position = LoadU8(in, 24);
    r.factoryDefault = LoadU8(in, 25);
    r.carrierCount = LoadLe16(in, 26);
    if (p == Placement::Satellite)
        r.switchBlock = LoadSwitchBlock(in, SatelliteRecord::kBaseSize);
    return r;
}

Bytes EncodeCarrier(const CarrierRecord& r, Placement p)
{
    Bytes out(CarrierRecordSize(p));
    StoreName(out, 0, r.name);
    StoreU8(out, 20, r.factoryDefault);
    StoreU8(out, 21, r.satelliteIndex);
    StoreU8(out, 22, r.skew);
    StoreU8(out, 23, r.polarization);
    StoreLe32(out, 24, r.symbolRate);
    StoreLe32(out, 28, r.frequency);
    StoreU8(out, 32, r.fec);
    StoreU8(out, 33, r.unused33);
    StoreLe16(out, 34, r.serviceCount);
    if (p == Placement::Carrier)
        StoreSwitchBlock(out, CarrierRecord::kBaseSize, r.switchBlock);
    return out;
}

CarrierRecord DecodeCarrier(ByteView in, Placement p)
{
    CarrierRecord r;
    r.name = LoadName(in, 0);
    r.factoryDefault = LoadU8(in, 20);
    r.satelliteIndex = LoadU8(in, 21);
    r.skew = LoadU8(in, 22);
    r.polarization = LoadU8(in, 23);
    r.symbolRate = LoadLe32(in, 24);
    r.frequency = LoadLe32(in, 28);
    r.fec = LoadU8(in, 32);
    r.unused33 = LoadU8(in, 33);
    r.serviceCount = LoadLe16(in, 34);
    if (p == Placement::Carrier)
        r.switchBlock = LoadSwitchBlock(in, CarrierRecord::kBaseSize);
    return r;
}

Bytes EncodeService(const ServiceRecord& r)
{
    Bytes out(ServiceRecord::kSize);
    StoreName(out, 0, r.name);
    StoreU8(out, 20, r.type);
    std::copy(r.unused21.begin(), r.unused21.end(), out.begin() + 21);
    StoreLe32(out, 24, r.videoPid);
    StoreLe32(out, 28, r.audioPid);
    StoreLe32(out, 32, r.pcrPid);
    StoreU8(out, 36, r.favourites);
    StoreU8(out, 37, r.scrambled);
    StoreU8(out, 38, r.preference);
    StoreU8(out, 39, r.factoryDefault);
    StoreLe16(out, 40, r.programNumber);
    StoreU8(out, 42, r.flagA);
    StoreU8(out, 43, r.nameUnchanged);
    StoreU8(out, 44, r.pidsUnchanged);
    StoreU8(out, 45, r.flagB);
    std::copy(r.unused46.begin(), r.unused46.end(), out.begin() + 46);
    return out;
}

ServiceRecord DecodeService(ByteView in)
{
    CheckRange(in.size(), 0, ServiceRecord::kSize);
    ServiceRecord r;
    r.name = LoadName(in, 0);
    r.type = in[20];
    std::copy_n(in.begin() + 21, 3, r.unused21.begin());
    r.videoPid = LoadLe32(in, 24);
    r.audioPid = LoadLe32(in, 28);
    r.pcrPid = LoadLe32(in, 32);
    r.favourites = in[36];
    r.scrambled = in[37];
    r.preference = in[38];
    r.factoryDefault = in[39];
    r.programNumber = LoadLe16(in, 40);
    r.flagA = in[42];
    r.nameUnchanged = in[43];
    r.pidsUnchanged = in[44];
    r.flagB = in[45];
    std::copy_n(in.begin() + 46, 2, r.unused46.begin());
    return r;
}

}  // namespace velk
