#include "sdb/sdb_sort.h"

#include "common/files.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"

#include <algorithm>
#include <new>
#include <string>

namespace velk::sdb {
namespace {

// Names compare byte by byte as unsigned values on upper-case ASCII copies.
std::string NameKey(const FixedName& name)
{
    auto text = name.Text();
    for (auto& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

struct UnsignedLess {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    }
    bool operator()(std::int64_t a, std::int64_t b) const { return a < b; }
};

template <typename Key>
std::vector<std::uint16_t> OrderBy(const std::vector<Key>& keys, SortOrder order)
{
    return InsertionOrder(
        keys.size(), order, [&](std::uint16_t a, std::uint16_t b) { return UnsignedLess{}(keys[a], keys[b]); },
        [&](std::uint16_t a, std::uint16_t b) { return keys[a] == keys[b]; });
}

template <typename Record, typename Key, typename MakeKey>
std::vector<std::uint16_t> OrderRecords(const std::vector<Record>& records, SortOrder order, MakeKey makeKey)
{
    std::vector<Key> keys;
    keys.reserve(records.size());
    for (const auto& r : records)
        keys.push_back(makeKey(r));
    return OrderBy(keys, order);
}

template <typename T>
std::vector<T> Permuted(const std::vector<T>& items, const std::vector<std::uint16_t>& order)
{
    std::vector<T> out;
    out.reserve(items.size());
    for (const auto i : order)
        out.push_back(items[i]);
    return out;
}

std::vector<std::uint16_t> SatelliteOrder(const SdbContent& c, LevelSort<SatelliteSortKey> s)
{
    std::vector<SatelliteRecord> sats;
    sats.reserve(c.satellites.size());
    for (const auto& sat : c.satellites)
        sats.push_back(sat.value_or(SatelliteRecord{}));
    if (s.key == SatelliteSortKey::Name)
        return OrderRecords<SatelliteRecord, std::string>(sats, s.order, [](const auto& r) { return NameKey(r.name); });
    return OrderRecords<SatelliteRecord, std::int64_t>(sats, s.order, [&](const auto& r) -> std::int64_t {
        return s.key == SatelliteSortKey::EastWest ? r.west : r.angle;
    });
}

std::vector<std::uint16_t> CarrierOrder(const SdbContent& c, LevelSort<CarrierSortKey> s)
{
    if (s.key == CarrierSortKey::Name)
        return OrderRecords<CarrierRecord, std::string>(c.carriers, s.order, [](const auto& r) { return NameKey(r.name); });
    return OrderRecords<CarrierRecord, std::int64_t>(c.carriers, s.order, [&](const auto& r) -> std::int64_t {
        return s.key == CarrierSortKey::Frequency ? r.frequencyMhz : r.symbolRateKs;
    });
}

std::vector<std::uint16_t> ServiceOrder(const SdbContent& c, LevelSort<ServiceSortKey> s)
{
    if (s.key == ServiceSortKey::Name)
        return OrderRecords<ServiceRecord, std::string>(c.services, s.order, [](const auto& r) { return NameKey(r.name); });
    return OrderRecords<ServiceRecord, std::int64_t>(c.services, s.order, [&](const auto& r) -> std::int64_t {
        return s.key == ServiceSortKey::Scrambling ? r.scrambled : r.type;
    });
}

// Satellites in sorted order; every carrier follows its satellite to its new index.
void SortSatellites(SdbContent& c, LevelSort<SatelliteSortKey> s)
{
    const auto order = SatelliteOrder(c, s);
    std::vector<std::uint8_t> newIndex(order.size());
    for (std::size_t p = 0; p < order.size(); ++p)
        newIndex[order[p]] = static_cast<std::uint8_t>(p);
    for (auto& carrier : c.carriers)
        if (carrier.satelliteIndex < newIndex.size())
            carrier.satelliteIndex = newIndex[carrier.satelliteIndex];
    c.satellites = Permuted(c.satellites, order);
}

// Carriers in sorted order with their service runs regrouped behind them; the
// channel order is carried over to the regrouped service indexes.
void SortCarriers(SdbContent& c, LevelSort<CarrierSortKey> s)
{
    const auto order = CarrierOrder(c, s);
    std::vector<std::size_t> first(c.carriers.size());
    std::size_t sum = 0;
    for (std::size_t k = 0; k < c.carriers.size(); ++k) {
        first[k] = std::min(sum, c.services.size());
        sum += c.carriers[k].serviceCount;
    }
    std::vector<std::uint16_t> serviceOrder;
    serviceOrder.reserve(c.services.size());
    for (const auto k : order) {
        const auto end = std::min(first[k] + c.carriers[k].serviceCount, c.services.size());
        for (auto i = first[k]; i < end; ++i)
            serviceOrder.push_back(static_cast<std::uint16_t>(i));
    }
    // Services beyond every run keep their place at the end.
    for (auto i = std::min(sum, c.services.size()); i < c.services.size(); ++i)
        serviceOrder.push_back(static_cast<std::uint16_t>(i));
    std::vector<std::uint16_t> newIndex(c.services.size());
    for (std::size_t p = 0; p < serviceOrder.size(); ++p)
        newIndex[serviceOrder[p]] = static_cast<std::uint16_t>(p);
    for (auto& entry : c.osl)
        if (entry < newIndex.size())
            entry = newIndex[entry];
    c.services = Permuted(c.services, serviceOrder);
    c.carriers = Permuted(c.carriers, order);
}

const FileChoice kSaveChoice{"Save", "StaticDatabase BIN Files ( *.BIN )|*.bin", "bin", {}};

int Reopen(WorkingStore& store, SdbSession& session, Ui& ui, const std::filesystem::path& target)
{
    ClearStore(store);
    session.currentFile = target;
    return OpenSdbBinFile(store, session, ui, target);
}

int WriteUndoCopy(WorkingStore& store, SdbSession& session, Ui& ui)
{
    return WriteSdbBinFile(store, session, ui, store.File(kUndoSortingName), false, false);
}

}  // namespace

void SortContent(SdbContent& c, const SortSettings& settings, Ui& ui)
{
    if (settings.satellites.order != SortOrder::None && !c.satellites.empty())
        SortSatellites(c, settings.satellites);
    ui.ProgressSet(30);
    if (settings.carriers.order != SortOrder::None && !c.carriers.empty())
        SortCarriers(c, settings.carriers);
    ui.ProgressSet(50);
    if (settings.services.order != SortOrder::None && !c.services.empty())
        c.osl = ServiceOrder(c, settings.services);
    ui.ProgressSet(60);
}

bool CanSort(const WorkingStore& store, Ui& ui)
{
    // One record per level has no order to change.
    if (store.satelliteCount >= 2 || store.carrierCount >= 2 || store.serviceCount >= 2)
        return true;
    ShowWarning(ui, kNothingToSort);
    return false;
}

int SortIntoFile(const WorkingStore& store, SdbSession& session, Ui& ui, const SortSettings& settings,
                 const std::filesystem::path& target)
{
    auto content = ContentFromStore(store, session);
    if (!content) {
        ShowError(ui, kFileAccessError);
        return 0;
    }
    ui.ProgressBegin({}, 100);
    ui.ProgressSet(10);
    try {
        SortContent(*content, settings, ui);
    } catch (const std::bad_alloc&) {
        ui.ProgressEnd();
        ShowError(ui, "Cann't allocate memory for Service Sort List");
        return 0;
    }
    const int result = WriteSdbContent(store, session, ui, target, *content, false);
    ui.ProgressSet(100);
    ui.ProgressEnd();
    return result;
}

int SortButton(WorkingStore& store, SdbSession& session, Ui& ui, const SortSettings& settings)
{
    auto target = session.currentFile;
    if (target.empty()) {
        const auto chosen = ui.ChooseSaveFile(kSaveChoice);
        if (!chosen)
            return 0;
        target = *chosen;
    }
    if (!WriteUndoCopy(store, session, ui) || !SortIntoFile(store, session, ui, settings, target))
        return 0;
    return Reopen(store, session, ui, target);
}

int SortSaveAsButton(WorkingStore& store, SdbSession& session, Ui& ui, const SortSettings& settings)
{
    if (!WriteUndoCopy(store, session, ui))
        return 0;
    auto choice = kSaveChoice;
    choice.title = "Save As";
    const auto target = ui.ChooseSaveFile(choice);
    if (!target || !SortIntoFile(store, session, ui, settings, *target))
        return 0;
    return Reopen(store, session, ui, *target);
}

int UndoSorting(WorkingStore& store, SdbSession& session, Ui& ui)
{
    // The current file is replaced only by a complete copy of the undo file.
    if (session.currentFile.empty() || !CopyFileAtomic(store.File(kUndoSortingName), session.currentFile)) {
        ShowError(ui, kFileAccessError);
        return 0;
    }
    return Reopen(store, session, ui, session.currentFile);
}

}  // namespace velk::sdb
