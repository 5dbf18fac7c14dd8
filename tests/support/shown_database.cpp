#include "support/shown_database.h"

#include "database/record_io.h"

#include <stdexcept>

namespace velk::test {
namespace {

template <typename Record>
std::vector<Record> All(const WorkingStore& store)
{
    auto records = ReadAllRecords<Record>(store);
    if (!records)
        throw std::runtime_error("cannot read the store");
    if (std::filesystem::file_size(store.File(RecordFile<Record>::kName)) < records->size() * RecordFile<Record>::Size(store.placement))
        throw std::runtime_error("records past the end of a store file");
    return *records;
}

// Bytes 6 and 7 are not used; the reader gives them back as 255.
void Plain(SwitchBlock& sb) { sb.unused6 = sb.unused7 = 255; }

}  // namespace

sdb::SdbImage ShownDatabase(const WorkingStore& store)
{
    sdb::SdbImage shown;
    shown.lnbs = All<LnbRecord>(store);
    for (auto& lnb : shown.lnbs) {
        lnb.word = lnb_word::kSdbMark.Set(lnb.word, 1);  // set by the reader, not significant in the store
        Plain(lnb.switchBlock);
    }
    shown.satellites = All<SatelliteRecord>(store);
    for (auto& sat : shown.satellites) {
        sat.name = sat.name.Text();
        Plain(sat.switchBlock);
    }
    const auto carriers = store.carrierCount ? All<CarrierRecord>(store) : std::vector<CarrierRecord>{};
    const auto services = store.serviceCount ? All<ServiceRecord>(store) : std::vector<ServiceRecord>{};
    std::vector<std::size_t> firstService;
    std::size_t runEnd = 0;
    for (const auto& c : carriers) {
        firstService.push_back(runEnd);
        runEnd += c.serviceCount;
    }
    // Satellite by satellite, each carrier with the run of its services.
    std::vector<std::uint16_t> shownAt(services.size());
    for (std::size_t s = 0; s < shown.satellites.size(); ++s)
        for (std::size_t k = 0; k < carriers.size(); ++k) {
            if (carriers[k].satelliteIndex != s)
                continue;
            auto carrier = carriers[k];
            carrier.name = carrier.name.Text();
            Plain(carrier.switchBlock);
            shown.carriers.push_back(carrier);
            for (std::size_t v = firstService[k]; v < firstService[k] + carriers[k].serviceCount && v < services.size(); ++v) {
                shownAt[v] = static_cast<std::uint16_t>(shown.services.size());
                shown.services.push_back(services[v]);
                shown.services.back().name = services[v].name.Text();
            }
        }
    const auto order = services.empty() ? std::vector<std::uint16_t>{} : ReadOrderList(store, store_file::kServiceOrder).value();
    for (const auto entry : order)
        shown.osl.push_back(shownAt.at(entry));
    return shown;
}

void DropWhatTheOldLayoutCannotKeep(sdb::SdbImage& shown)
{
    for (auto& lnb : shown.lnbs)
        lnb.switchBlock.khz22 = 3;
    for (auto& carrier : shown.carriers)
        carrier.skew = 255;
    auto number = static_cast<std::uint16_t>(shown.services.size());
    for (auto& service : shown.services)
        service.programNumber = number--;
}

}  // namespace velk::test
