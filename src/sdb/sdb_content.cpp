#include "sdb/sdb_content.h"

#include "sdb/sdb_format.h"
#include "sdb/sdb_new_records.h"

#include <algorithm>
#include <ctime>

namespace velk::sdb {
namespace {

// Appends a record of `size` bytes and returns it to be filled.
MutableByteView AppendRecord(Bytes& out, std::size_t size)
{
    out.resize(out.size() + size);
    return MutableByteView(out).last(size);
}

void AppendLnb(Bytes& out, const std::optional<LnbRecord>& lnb, Placement p)
{
    const auto rec = AppendRecord(out, NewLnbSize(p));
    if (lnb) {
        StoreNewLnb(rec, *lnb, p);
        return;
    }
    StoreLe32(rec, 0, kPaddingLnbWord);
    if (p == Placement::Lnb)
        StoreLe32(rec, 4, kPaddingSwitchWord);
}

void AppendSatellite(Bytes& out, const std::optional<SatelliteRecord>& sat, Placement p)
{
    const auto rec = AppendRecord(out, NewSatelliteSize(p));
    if (sat) {
        StoreNewSatellite(rec, *sat, p);
        return;
    }
    // A padding satellite: named "----", with fixed words.
    SatelliteRecord padding;
    padding.name = kPaddingSatelliteName;
    StoreNewSatellite(rec, padding, p);
    StoreLe32(rec, 0, 0);
    StoreLe32(rec, 4, kPaddingSatelliteWord1);
    if (p == Placement::Satellite)
        StoreLe32(rec, kSatelliteSize, kPaddingSwitchWord);
}

void AppendHeader(Bytes& out, const SdbHeaderInfo& h, Placement p)
{
    using namespace new_header;
    const auto header = AppendRecord(out, kNewHeaderSize);
    std::fill(header.begin(), header.end(), 0);
    header[kMagicAt] = 'e';
    header[kMagicAt + 1] = 'E';
    header[kFormatAt] = kFormat;
    StoreLe16(header, kSectionCountAt, kSectionCount);
    std::copy(h.date.begin(), h.date.end(), header.begin() + kDateAt);
    header[kPlacementAt] = static_cast<std::uint8_t>(p);
    std::copy(h.userInitial.begin(), h.userInitial.end(), header.begin() + kUserInitialAt);
    header[kSdbMajorAt] = h.sdbMajor;
    header[kSdbMinorAt] = h.sdbMinor;
    StoreLe16(header, kEndMarkAt, 0xFFFF);
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
        StoreNewCarrier(AppendRecord(out, NewCarrierSize(c.placement)), carrier, {c.carrierLnbByte, firstService}, c.placement);
        firstService += carrier.serviceCount;
    }

    AppendSectionHeader(out, MakeSectionHeader(Section::Service, kServiceSize, Count16(c.services.size())));
    const auto carrierOf = ServiceCarrierPositions(c);
    for (std::size_t i = 0; i < c.services.size(); ++i)
        StoreNewService(AppendRecord(out, kServiceSize), c.services[i], carrierOf[i]);

    AppendSectionHeader(out, MakeSectionHeader(Section::Osl, kOslEntrySize, Count16(c.osl.size())));
    for (const auto entry : c.osl)
        StoreLe16(AppendRecord(out, kOslEntrySize), 0, entry);

    AppendSectionHeader(out, MakeSectionHeader(Section::UserBox, kUserBoxSize, c.userBox ? 1 : 0));
    if (c.userBox) {
        auto block = *c.userBox;
        block[193] = c.productType == 2 || c.productType == 3 ? c.productType : 1;
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

}  // namespace velk::sdb
