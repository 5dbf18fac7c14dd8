#include "sdb/sdb_content.h"

#include "sdb/sdb_format.h"

#include <ctime>

namespace velk::sdb {
namespace {

void AppendName(Bytes& out, const FixedName& name)
{
    // NUL-terminated and zero-filled whatever the stored field held after its end.
    const auto text = name.Text();
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), FixedName::kSize - text.size(), 0);
}

void AppendLe32(Bytes& out, std::uint32_t v)
{
    out.resize(out.size() + 4);
    StoreLe32(out, out.size() - 4, v);
}

void AppendLnb(Bytes& out, const std::optional<LnbRecord>& lnb, Placement p)
{
    AppendLe32(out, lnb ? lnb_word::kSdbMark.Set(lnb->word, 1) : kPaddingLnbWord);
    if (p == Placement::Lnb)
        AppendLe32(out, lnb ? PackSwitchWord(lnb->switchBlock) : kPaddingSwitchWord);
}

void AppendSatellite(Bytes& out, const std::optional<SatelliteRecord>& sat, Placement p)
{
    using namespace new_sat;
    if (!sat) {
        AppendLe32(out, 0);
        AppendLe32(out, kPaddingSatelliteWord1);
        AppendName(out, FixedName(kPaddingSatelliteName));
    } else {
        AppendLe32(out, kLnbIndex.Set(kCarrierCount.Set(kWord0Ones, sat->carrierCount), sat->lnbIndex));
        std::uint32_t w1 = kWord1Ones;
        w1 = kPosition.Set(w1, sat->position);
        w1 = kFactoryDefault.Set(w1, sat->factoryDefault);
        w1 = kWest.Set(w1, sat->west);
        w1 = kAngle.Set(w1, static_cast<std::uint16_t>(sat->angle));
        AppendLe32(out, w1);
        AppendName(out, sat->name);
    }
    if (p == Placement::Satellite)
        AppendLe32(out, sat ? PackSwitchWord(sat->switchBlock) : kPaddingSwitchWord);
}

void AppendCarrier(Bytes& out, const CarrierRecord& c, std::uint8_t lnbByte, std::uint32_t firstService, Placement p)
{
    using namespace carrier_word;
    AppendLe32(out, kLnbByte.Set(kSymbolRate.Set(0, c.symbolRate), lnbByte));
    AppendLe32(out, kServiceCount.Set(kFirstService.Set(0, firstService), c.serviceCount));
    std::uint32_t w2 = kWord2Ones;
    w2 = kSatelliteIndex.Set(w2, c.satelliteIndex);
    w2 = kPolarization.Set(w2, c.polarization);
    w2 = kFec.Set(w2, c.fec);
    w2 = kFactoryDefault.Set(w2, c.factoryDefault);
    w2 = kSkew.Set(w2, c.skew);
    AppendLe32(out, w2);
    AppendName(out, c.name);
    AppendLe32(out, c.frequency);
    if (p == Placement::Carrier)
        AppendLe32(out, PackSwitchWord(c.switchBlock));
}

void AppendService(Bytes& out, const ServiceRecord& s, std::uint16_t carrier)
{
    using namespace new_service;
    out.resize(out.size() + 4);
    StoreLe16(out, out.size() - 4, s.programNumber);
    StoreLe16(out, out.size() - 2, carrier);
    std::uint32_t w1 = 0;
    w1 = kVideoPid.Set(w1, s.videoPid);
    w1 = kAudioPid.Set(w1, s.audioPid);
    w1 = kUnused21Zero.Set(w1, s.unused21[0] == 0);
    w1 = kUnused22Zero.Set(w1, s.unused21[1] == 0);
    w1 = kUnused23Zero.Set(w1, s.unused21[2] == 0);
    w1 = kNotPreferred.Set(w1, s.preference == 0);
    AppendLe32(out, w1);
    std::uint32_t w2 = kWord2Ones;
    w2 = kPcrPid.Set(w2, s.pcrPid);
    w2 = kType.Set(w2, s.type);
    w2 = kNotScrambled.Set(w2, s.scrambled == 0);
    w2 = kFavourites.Set(w2, s.favourites);
    w2 = kFactoryDefault.Set(w2, s.factoryDefault);
    w2 = kFlagA.Set(w2, s.flagA);
    w2 = kNameUnchanged.Set(w2, s.nameUnchanged);
    w2 = kPidsUnchanged.Set(w2, s.pidsUnchanged);
    w2 = kFlagB.Set(w2, s.flagB);
    AppendLe32(out, w2);
    AppendName(out, s.name);
}

void AppendHeader(Bytes& out, const SdbHeaderInfo& h, Placement p)
{
    std::array<std::uint8_t, kNewHeaderSize> header{'e', 'E', 1};
    StoreLe16(header, 6, kSectionCount);
    std::copy(h.date.begin(), h.date.end(), header.begin() + 8);
    header[15] = static_cast<std::uint8_t>(p);
    std::copy(h.userInitial.begin(), h.userInitial.end(), header.begin() + 16);
    header[20] = h.sdbMajor;
    header[21] = h.sdbMinor;
    StoreLe16(header, 22, 0xFFFF);
    out.insert(out.end(), header.begin(), header.end());
}

std::uint16_t Count16(std::size_t n) { return static_cast<std::uint16_t>(n); }

}  // namespace

std::array<std::uint8_t, 3> InitialBytes(const std::string& initial)
{
    std::array<std::uint8_t, 3> bytes{};
    for (std::size_t i = 0; i < bytes.size() && i < initial.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(initial[i]);
    return bytes;
}

SdbHeaderInfo HeaderForSave(const SdbSession& session)
{
    SdbHeaderInfo h;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const auto year = static_cast<std::uint16_t>(local.tm_year + 1900);
    h.date = {static_cast<std::uint8_t>(local.tm_mday), static_cast<std::uint8_t>(local.tm_mon + 1),
              static_cast<std::uint8_t>(year & 0xFF), static_cast<std::uint8_t>(year >> 8),
              static_cast<std::uint8_t>(local.tm_hour), static_cast<std::uint8_t>(local.tm_min),
              static_cast<std::uint8_t>(local.tm_sec)};
    h.userInitial = InitialBytes(session.userInitial);
    h.sdbMajor = session.sdbMajor;
    h.sdbMinor = session.sdbMinor;
    return h;
}

std::vector<std::uint16_t> ServiceCarrierPositions(const SdbContent& content)
{
    std::vector<std::uint16_t> positions(content.services.size(), 0xFFFE);
    std::size_t next = 0;
    for (std::size_t k = 0; k < content.carriers.size() && next < positions.size(); ++k)
        for (std::uint32_t i = 0; i < content.carriers[k].serviceCount && next < positions.size(); ++i)
            positions[next++] = static_cast<std::uint16_t>(k);
    return positions;
}

Bytes EncodeNewLayout(const SdbContent& c, const SdbHeaderInfo& header)
{
    Bytes out;
    out.reserve(kNewHeaderSize + 6 * kSectionHeaderSize + c.lnbs.size() * 8 + c.satellites.size() * 32
                + c.carriers.size() * 40 + c.services.size() * 34 + kUserBoxSize);
    AppendHeader(out, header, c.placement);

    AppendSectionHeader(out, MakeSectionHeader(Section::Lnb, Count16(NewLnbSize(c.placement)), Count16(c.lnbs.size())));
    for (const auto& lnb : c.lnbs)
        AppendLnb(out, lnb, c.placement);

    AppendSectionHeader(out, MakeSectionHeader(Section::Satellite, Count16(NewSatelliteSize(c.placement)), Count16(c.satellites.size())));
    for (const auto& sat : c.satellites)
        AppendSatellite(out, sat, c.placement);

    AppendSectionHeader(out, MakeSectionHeader(Section::Carrier, Count16(NewCarrierSize(c.placement)), Count16(c.carriers.size())));
    std::uint32_t firstService = 0;
    for (const auto& carrier : c.carriers) {
        AppendCarrier(out, carrier, c.carrierLnbByte, firstService, c.placement);
        firstService += carrier.serviceCount;
    }

    AppendSectionHeader(out, MakeSectionHeader(Section::Service, kServiceSize, Count16(c.services.size())));
    const auto carrierOf = ServiceCarrierPositions(c);
    for (std::size_t i = 0; i < c.services.size(); ++i)
        AppendService(out, c.services[i], carrierOf[i]);

    AppendSectionHeader(out, MakeSectionHeader(Section::Osl, kOslEntrySize, Count16(c.osl.size())));
    for (const auto entry : c.osl) {
        out.resize(out.size() + 2);
        StoreLe16(out, out.size() - 2, entry);
    }

    AppendSectionHeader(out, MakeSectionHeader(Section::UserBox, kUserBoxSize, c.userBox ? 1 : 0));
    if (c.userBox) {
        auto block = *c.userBox;
        block[193] = c.productType == 2 || c.productType == 3 ? c.productType : 1;
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

}  // namespace velk::sdb
