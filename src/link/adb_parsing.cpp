#include "link/adb_parsing.h"

#include "common/files.h"
#include "common/format.h"
#include "link/adb_entries.h"
#include "link/adb_layout.h"
#include "link/user_settings.h"

#include <algorithm>

namespace velk::link {
namespace {

using namespace adb;

constexpr std::size_t kMaxCarrierEntries = kCsdLimit / kCarrierEntrySize;
constexpr std::size_t kMaxServiceEntries = kImageSize / kServiceEntrySize;

std::uint32_t Bits(std::uint32_t word, unsigned shift, unsigned width) { return BitField{shift, width}.Get(word); }

// LNB kind from the frequencies, as the receiver does not store it.
std::uint32_t LnbKind(std::uint32_t low, std::uint32_t high, std::uint8_t productType)
{
    if (IsType2(productType))
        return high == 10600 ? 0 : high == 10700 ? 1 : high == 10750 ? 2 : 3;
    if (low == 5150 && high == 5150)
        return 0;
    if (low == 5750 && high == 5750)
        return 1;
    return low == 9750 && high == 10600 ? 3 : 2;
}

LnbRecord UnpackLnb(ByteView e, std::uint8_t productType)
{
    const auto low = LoadLe32(e, 0) & 0x3FFF, high = LoadLe32(e, 4) & 0x3FFF, w2 = LoadLe32(e, 8);
    LnbRecord l;
    l.word = low | high << 14 | LnbKind(low, high, productType) << 28 | Bits(w2, 2, 1) << 30 | 1u << 31;
    auto& sb = l.switchBlock;
    sb.volt12 = static_cast<std::uint8_t>(Bits(w2, 3, 1));
    sb.diseqc10 = static_cast<std::uint8_t>(Bits(w2, 5, 3));
    sb.diseqc11 = static_cast<std::uint8_t>(Bits(w2, 8, 5));
    sb.toneBurst = static_cast<std::uint8_t>(Bits(w2, 17, 2));
    sb.repeat = static_cast<std::uint8_t>(Bits(w2, 19, 2));
    sb.khz22 = static_cast<std::uint8_t>(Bits(w2, 21, 2));
    return l;
}

SatelliteRecord UnpackSatellite(ByteView e, std::uint8_t productType)
{
    const auto w0 = LoadLe32(e, 0);
    SatelliteRecord t;
    t.lnbIndex = static_cast<std::uint8_t>(Bits(w0, 0, 8));
    const auto carriers = Bits(w0, 8, 13);
    t.carrierCount = static_cast<std::uint16_t>(IsType2(productType) ? (carriers == 0 ? 0 : carriers - 1) : carriers);
    t.position = static_cast<std::uint8_t>(Bits(w0, 21, 6));
    t.west = static_cast<std::uint8_t>(Bits(w0, 28, 1));
    t.angle = static_cast<std::int16_t>(LoadLe32(e, 8) & 0xFFF);
    t.name = LoadEntryName(e, 12);
    return t;
}

bool IsExtraCarrierEntry(ByteView e)
{
    return LoadLe32(e, 4) == 0x40000000 && LoadLe32(e, 12) == 0xFFFC7F80 && Bits(LoadLe32(e, 8), 0, 23) == 0x3FFF;
}

CarrierRecord UnpackCarrier(ByteView e, std::size_t number)
{
    const auto w1 = LoadLe32(e, 4), w2 = LoadLe32(e, 8), w3 = LoadLe32(e, 12);
    CarrierRecord c;
    c.frequencyMhz = Bits(w1, 0, 14);
    c.symbolRateKs = Bits(w1, 14, 16);
    c.polarization = static_cast<std::uint8_t>(Bits(w1, 30, 2));
    c.serviceCount = static_cast<std::uint16_t>(Bits(w2, 14, 9));
    c.satelliteIndex = static_cast<std::uint8_t>(Bits(w2, 23, 8));
    c.fec = static_cast<std::uint8_t>(Bits(w3, 15, 3));
    const auto name = LoadEntryName(e, 16);
    c.name = name.empty() ? Format("Carrier_%d", static_cast<int>(number)) : name;
    return c;
}

ServiceRecord UnpackService(ByteView e)
{
    const auto w0 = LoadLe32(e, 0), w1 = LoadLe32(e, 4);
    ServiceRecord s;
    s.videoPid = Bits(w0, 0, 13);
    s.type = static_cast<std::uint8_t>(Bits(w0, 13, 2));
    s.flagA = static_cast<std::uint8_t>(Bits(w0, 15, 1));
    s.audioPid = Bits(w0, 16, 13);
    s.nameUnchanged = static_cast<std::uint8_t>(Bits(w0, 29, 1));
    s.pcrPid = Bits(w1, 0, 13);
    s.flagB = static_cast<std::uint8_t>(Bits(w1, 13, 1));
    s.scrambled = Bits(w1, 17, 1) ? 0 : 1;
    s.preference = Bits(w1, 18, 1) ? 0 : 1;
    s.favourites = static_cast<std::uint8_t>(Bits(w1, 19, 4));
    s.pidsUnchanged = static_cast<std::uint8_t>(Bits(w1, 23, 1));
    s.programNumber = LoadLe16(e, 8);
    s.name = LoadEntryName(e, 12);
    return s;
}

}  // namespace

std::optional<sdb::SdbContent> UnpackAdbImages(ByteView adbImage, ByteView e2pImage, std::uint8_t productType, Ui& ui)
{
    if (adbImage.size() < kImageSize || e2pImage.size() < UserSettingsOffset(productType) + kUserSettingsSize) {
        ShowError(ui, "File access error");
        return std::nullopt;
    }
    const auto w0 = LoadLe32(e2pImage, kHovoOffset), w1 = LoadLe32(e2pImage, kHovoOffset + 4);
    if (hovo::kProductCode.Get(w1) != ProductCode(productType)) {
        ShowWarning(ui, "Product type mismatch.\nPlease select correct product type");
        return std::nullopt;
    }
    sdb::SdbContent content;
    content.productType = productType;
    content.placement = Placement::Lnb;
    for (std::size_t i = 0; i < LnbEntries(productType); ++i)
        content.lnbs.emplace_back(UnpackLnb(adbImage.subspan(kLsdOffset + i * kLnbEntrySize, kLnbEntrySize), productType));
    const std::size_t satellites = hovo::kSatelliteCount.Get(w1);
    for (std::size_t i = 0; i < satellites; ++i)
        content.satellites.emplace_back(
            UnpackSatellite(adbImage.subspan(SatelliteOffset(productType) + i * kSatelliteEntrySize, kSatelliteEntrySize), productType));
    const std::size_t carrierEntries = std::min<std::size_t>(hovo::kCarrierCount.Get(w0), kMaxCarrierEntries);
    for (std::size_t k = 1; k <= carrierEntries; ++k) {
        const auto entry = adbImage.subspan(CarrierEntryOffset(k), kCarrierEntrySize);
        if (IsType2(productType) && IsExtraCarrierEntry(entry))
            continue;
        content.carriers.push_back(UnpackCarrier(entry, content.carriers.size() + 1));
    }
    const std::size_t services = std::min<std::size_t>(hovo::kServiceCount.Get(w0), kMaxServiceEntries);
    for (std::size_t n = 0; n < services; ++n)
        content.services.push_back(UnpackService(adbImage.subspan(n * kServiceEntrySize, kServiceEntrySize)));
    for (std::size_t n = 0; n < services; ++n)
        content.osl.push_back(LoadLe16(adbImage, kOslOffset + 4 + 2 * n));
    sdb::UserSettingsBlock user{};
    std::copy_n(e2pImage.begin() + static_cast<std::ptrdiff_t>(UserSettingsOffset(productType)), user.size(), user.begin());
    content.userBox = user;
    content.carrierLnbByte = content.satellites.empty() ? 0 : content.satellites[0]->lnbIndex;
    return content;
}

int ADBParsing(const WorkingStore& store, Ui& ui, ReceiverRecords& records, sdb::SdbSession& session)
{
    const auto e2p = ReadFileBytes(store.File(kE2pDump));
    if (!e2p || e2p->size() < kHovoOffset + 4 * kHovoWords) {
        ShowError(ui, "File access error");
        return 0;
    }
    const auto type = store.productType;
    const auto userAt = UserSettingsOffset(type);
    if (e2p->size() < std::max(kCarrierParamsOffset + 4 * kCarrierParamsWords, userAt + kUserSettingsSize)) {
        ShowError(ui, " File read access error :- Carrier Param");
        return 0;
    }
    auto adb = ReadFileBytes(store.File(kAdbDump));
    if (!adb) {
        ShowError(ui, "File access error");
        return 0;
    }
    // A short dump reads as erased memory past its end.
    adb->resize(std::max(adb->size(), kImageSize), 0xFF);
    const auto content = UnpackAdbImages(*adb, *e2p, type, ui);
    if (!content)
        return 0;
    for (std::size_t i = 0; i < kHovoWords; ++i)
        records.hovo[i] = LoadLe32(*e2p, kHovoOffset + 4 * i);
    for (std::size_t i = 0; i < kCarrierParamsWords; ++i)
        records.carrierParams[i] = LoadLe32(*e2p, kCarrierParamsOffset + 4 * i);
    session.userSettings.For(type) = *content->userBox;
    if (!WriteFileAtomic(store.File(kDumpSdb), sdb::EncodeNewLayout(*content, sdb::HeaderForSave(session)))) {
        ShowError(ui, "File write-access error");
        return 0;
    }
    return 1;
}

}  // namespace velk::link
