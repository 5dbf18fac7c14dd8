#include "link/adb_builder.h"

#include "common/files.h"
#include "common/format.h"
#include "database/record_io.h"
#include "link/adb_entries.h"
#include "link/adb_layout.h"

#include <algorithm>

namespace velk::link {
namespace {

using namespace adb;

MutableByteView At(MutableByteView image, std::size_t offset, std::size_t size) { return image.subspan(offset, size); }

// 0-based position of the carrier whose run of services holds service n (1-based).
std::uint16_t CarrierOfServiceEntry(const std::vector<CarrierRecord>& carriers, std::size_t n)
{
    std::size_t sum = 0;
    for (std::size_t k = 0; k < carriers.size(); ++k) {
        sum += carriers[k].serviceCount;
        if (sum >= n)
            return static_cast<std::uint16_t>(k);
    }
    return 0xFFFF;
}

std::uint8_t LnbOfSatellite(const AdbSource& source, std::size_t satellite)
{
    return satellite < source.satellites.size() ? source.satellites[satellite].lnbIndex : 0x7F;
}

// Product type 2 marks each satellite whose last carrier is tuned with an extra entry.
std::uint32_t WriteExtraCarriers(MutableByteView image, const AdbSource& source)
{
    const auto used = kCarrierEntrySize * source.carriers.size() + kServiceEntrySize * source.services.size();
    const std::size_t free = used > kCsdLimit ? 0 : (kCsdLimit - used) / kCarrierEntrySize;
    std::uint32_t written = 0;
    std::size_t runningSum = 0;
    for (std::size_t i = 0; i < free && i < source.satellites.size(); ++i) {
        runningSum += source.satellites[i].carrierCount;
        if (runningSum == 0 || runningSum > source.carriers.size())
            continue;
        const auto& last = source.carriers[runningSum - 1];
        if (last.symbolRateKs == 0 || last.frequencyMhz == 0)
            continue;
        ++written;
        WriteExtraCarrierEntry(At(image, CarrierEntryOffset(source.carriers.size() + written), kCarrierEntrySize),
                               static_cast<std::uint8_t>(i));
    }
    return written;
}

void WriteCsd(MutableByteView image, const AdbSource& source, std::uint32_t& carrierEntries)
{
    std::uint32_t running = 0;
    for (std::size_t k = 0; k < source.carriers.size(); ++k) {
        const auto& c = source.carriers[k];
        WriteCarrierEntry(At(image, CarrierEntryOffset(k + 1), kCarrierEntrySize), c, running, LnbOfSatellite(source, c.satelliteIndex));
        running += c.serviceCount;
    }
    carrierEntries = static_cast<std::uint32_t>(source.carriers.size());
    if (IsType2(source.productType))
        carrierEntries += WriteExtraCarriers(image, source);
    for (std::size_t n = 0; n < source.services.size(); ++n)
        WriteServiceEntry(At(image, n * kServiceEntrySize, kServiceEntrySize), source.services[n],
                          CarrierOfServiceEntry(source.carriers, n + 1));
}

void WriteLsd(MutableByteView image, const AdbSource& source)
{
    const auto type = source.productType;
    for (std::size_t i = 0; i < LnbEntries(type); ++i) {
        const auto entry = At(image, kLsdOffset + i * kLnbEntrySize, kLnbEntrySize);
        if (i < source.lnbs.size())
            WriteLnbEntry(entry, source.lnbs[i], type);
        else
            WriteDefaultLnbEntry(entry, type);
    }
    const std::size_t entries = IsType2(type) ? SatelliteLimit(type) : source.satellites.size();
    for (std::size_t i = 0; i < entries; ++i) {
        const auto entry = At(image, SatelliteOffset(type) + i * kSatelliteEntrySize, kSatelliteEntrySize);
        if (i < source.satellites.size())
            WriteSatelliteEntry(entry, source.satellites[i], static_cast<std::uint8_t>(i), type);
        else
            WriteUnusedSatelliteEntry(entry);
    }
}

void WriteOsl(MutableByteView image, const AdbSource& source)
{
    const auto partition = At(image, kOslOffset, kOslSize);
    std::fill(partition.begin(), partition.end(), 0xFF);
    StoreLe32(partition, 0, kOslMarker);
    const std::size_t fits = (kOslSize - 4) / 2;
    for (std::size_t i = 0; i < source.serviceOrder.size() && i < fits; ++i)
        StoreLe16(partition, 4 + 2 * i, source.serviceOrder[i]);
}

// Index of the first satellite (file order) whose carriers hold services, or 0x7F.
// A satellite's carriers are its run in the carrier order list.
std::uint32_t FirstSatelliteWithServices(const AdbSource& source)
{
    std::size_t position = 0;
    for (std::size_t i = 0; i < source.satellites.size(); ++i) {
        std::uint32_t services = 0;
        for (std::size_t c = 0; c < source.satellites[i].carrierCount; ++c, ++position)
            if (position < source.carrierOrder.size() && source.carrierOrder[position] < source.carriers.size())
                services += source.carriers[source.carrierOrder[position]].serviceCount;
        if (services > 0)
            return static_cast<std::uint32_t>(i);
    }
    return 0x7F;
}

void SetHovoForBuild(ReceiverRecords& records, const AdbSource& source, std::uint32_t carrierEntries, bool newImage)
{
    auto& w = records.hovo;
    const bool type2 = IsType2(source.productType);
    w[0] = hovo::kServiceCount.Set(w[0], static_cast<std::uint32_t>(source.services.size()));
    w[0] = hovo::kCarrierCount.Set(w[0], type2 ? carrierEntries : static_cast<std::uint32_t>(source.carriers.size()));
    w[1] = hovo::kProductCode.Set(w[1], ProductCode(source.productType));
    if (type2) {
        w[1] = hovo::kType2Reserved.Set(w[1], 0);
        w[1] = hovo::kType2Bit29.Set(w[1], 1);
        w[1] = hovo::kType2Bit30.Set(w[1], 0);
    } else {
        w[1] = hovo::kSatelliteCount.Set(w[1], static_cast<std::uint32_t>(source.satellites.size()));
    }
    if (!newImage)
        return;
    w[0] = hovo::kNewImageMark.Set(w[0], 0b010000);
    w[1] = BitField{0, 17}.Set(w[1], 0x7FFF);
    if (!type2)
        w[1] = BitField{31, 1}.Set(w[1], 0);
    w[2] = w[3] = 0;
    w[4] = w[5] = 0xFFFFFFFF;
    w[6] = BitField{0, 15}.Set(w[6], 0x1FFF);
    if (type2) {
        w[6] = BitField{15, 5}.Set(w[6], 0x1F);
        w[6] = hovo::kFirstServiceSatellite.Set(w[6], source.services.empty() ? 0x7F : FirstSatelliteWithServices(source));
    } else {
        w[6] = BitField{15, 6}.Set(w[6], 0x0F);
    }
    records.carrierParams.fill(0xFFFFFFFF);
    records.carrierParams[4] = BitField{28, 4}.Set(records.carrierParams[4], 0);
}

// The image at `path` widened to `size`, or erased when there is none.
Bytes LoadImage(const std::filesystem::path& path, std::size_t size, bool& isNew)
{
    auto existing = ReadFileBytes(path);
    isNew = !existing;
    Bytes image = existing ? std::move(*existing) : Bytes{};
    if (image.size() < size)
        image.resize(size, 0xFF);
    return image;
}

}  // namespace

bool CheckAdbLimits(const WorkingStore& store, Ui& ui)
{
    const auto type = store.productType;
    if (store.lnbCount > LnbEntries(type)) {
        ShowError(ui, Format("Upload as ADB process failed.\nLNB record count exceeds the limit %d [ %d ]",
                             static_cast<int>(LnbEntries(type)), static_cast<int>(store.lnbCount)));
        return false;
    }
    if (store.satelliteCount > SatelliteLimit(type)) {
        ShowError(ui, Format("Upload as ADB process failed.\nSatellite record count exceeds the limit %d [ %d ]",
                             static_cast<int>(SatelliteLimit(type)), static_cast<int>(store.satelliteCount)));
        return false;
    }
    if (std::uint64_t{store.serviceCount} * kServiceEntrySize + std::uint64_t{store.carrierCount} * kCarrierEntrySize > kCsdLimit) {
        ShowError(ui, "Unable to upload\nPlease verify carrier and service record count.");
        return false;
    }
    return true;
}

std::optional<AdbSource> ReadAdbSource(const WorkingStore& store, Ui& ui)
{
    AdbSource source;
    source.productType = store.productType;
    auto lnbs = ReadAllRecords<LnbRecord>(store);
    auto satellites = ReadAllRecords<SatelliteRecord>(store);
    if (!lnbs || !satellites) {
        ShowError(ui, "File access error :- LSD Partition");
        return std::nullopt;
    }
    auto carriers = ReadAllRecords<CarrierRecord>(store);
    if (!carriers) {
        ShowError(ui, "File access error - CSD Partition");
        return std::nullopt;
    }
    auto services = ReadAllRecords<ServiceRecord>(store);
    if (!services) {
        ShowError(ui, "File access error - CSDPartition ( Service )");
        return std::nullopt;
    }
    if (store.serviceCount > 0) {
        auto order = ReadOrderList(store, store_file::kServiceOrder);
        if (!order) {
            ShowError(ui, "File open error :- OSL partition");
            return std::nullopt;
        }
        source.serviceOrder = std::move(*order);
    }
    if (store.carrierCount > 0)
        source.carrierOrder = ReadOrderList(store, store_file::kCarrierOrder).value_or(std::vector<std::uint16_t>{});
    source.lnbs = std::move(*lnbs);
    source.satellites = std::move(*satellites);
    source.carriers = std::move(*carriers);
    source.services = std::move(*services);
    return source;
}

std::uint32_t FillAdbImage(MutableByteView image, const AdbSource& source)
{
    std::uint32_t carrierEntries = 0;
    if (!source.carriers.empty())
        WriteCsd(image, source, carrierEntries);
    WriteLsd(image, source);
    if (!source.services.empty())
        WriteOsl(image, source);
    return carrierEntries;
}

void FillE2pImage(MutableByteView e2p, ReceiverRecords& records, UserSettings& user, const AdbSource& source,
                  std::uint32_t carrierEntries, bool newImage)
{
    SetHovoForBuild(records, source, carrierEntries, newImage);
    for (std::size_t i = 0; i < kHovoWords; ++i)
        StoreLe32(e2p, kHovoOffset + 4 * i, records.hovo[i]);
    for (std::size_t i = 0; i < kCarrierParamsWords; ++i)
        StoreLe32(e2p, kCarrierParamsOffset + 4 * i, records.carrierParams[i]);
    user[kUserSettingsByteMark] = 1;
    if (IsType2(source.productType))
        SetUserWord(user, 0, BitField{24, 1}.Set(UserWord(user, 0), source.services.empty() ? 1 : 0));
    std::copy(user.begin(), user.end(), e2p.begin() + static_cast<std::ptrdiff_t>(UserSettingsOffset(source.productType)));
}

int BuildAdbImages(const WorkingStore& store, Ui& ui, ReceiverRecords& records, UserSettings& user)
{
    if (!CheckAdbLimits(store, ui))
        return 0;
    const auto source = ReadAdbSource(store, ui);
    if (!source)
        return 0;
    bool adbNew = false, e2pNew = false;
    Bytes image = LoadImage(store.File(kAdbDump), kImageSize, adbNew);
    const auto carrierEntries = FillAdbImage(image, *source);
    if (!WriteFileAtomic(store.File(kAdbDump), image)) {
        ShowError(ui, "File access error - CreateADBBINFilesToUpload.");
        return 0;
    }
    Bytes e2p = LoadImage(store.File(kE2pDump), kE2pSize, e2pNew);
    e2p.resize(kE2pSize);
    FillE2pImage(e2p, records, user, *source, carrierEntries, e2pNew);
    if (!WriteFileAtomic(store.File(kE2pDump), e2p)) {
        ShowError(ui, "File write access error :- Hovo Partition");
        return 0;
    }
    return 1;
}

}  // namespace velk::link
