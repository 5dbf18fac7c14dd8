// Implementation of the editing fixture (kept in a *_test.cpp so the test
// folder's glob builds it).
#include "edit_fixture.h"

#include "common/format.h"

#include <algorithm>
#include <numeric>

namespace velk::test {

std::string StoreInvariantFault(const WorkingStore& store)
{
    const auto sizeOk = [&](std::string_view name, std::uint64_t size) {
        std::error_code ec;
        const auto actual = std::filesystem::file_size(store.File(name), ec);
        return ec ? size == 0 : actual == size;
    };
    if (!sizeOk(store_file::kLnb, std::uint64_t{store.lnbCount} * LnbRecordSize(store.placement)))
        return "LNB file size";
    if (!sizeOk(store_file::kSatellite, std::uint64_t{store.satelliteCount} * SatelliteRecordSize(store.placement)))
        return "satellite file size";
    if (!sizeOk(store_file::kCarrier, std::uint64_t{store.carrierCount} * CarrierRecordSize(store.placement)))
        return "carrier file size";
    if (!sizeOk(store_file::kService, std::uint64_t{store.serviceCount} * ServiceRecord::kSize))
        return "service file size";
    const auto image = LoadStoreImage(store, image_part::kAll);
    if (!image)
        return "image does not load (counts, order lists or relations)";
    auto osl = image->serviceOrder;
    std::sort(osl.begin(), osl.end());
    for (std::size_t i = 0; i < osl.size(); ++i)
        if (osl[i] != i)
            return "TempOSL.stb is not a permutation";
    if (image->carrierOrder != CarrierOrderOf(image->carriers, image->satellites.size()))
        return "TempCarOSL.stb is not grouped by satellite";
    for (const auto& sat : image->satellites)
        if (sat.lnbIndex >= store.lnbCount)
            return "satellite points past the LNBs";
    const auto starts = ServiceBlockStarts(image->carriers);
    for (std::size_t k = 0; k < image->carriers.size(); ++k) {
        const auto& c = image->carriers[k];
        if (c.factoryDefault == 1 && image->satellites[c.satelliteIndex].factoryDefault != 1)
            return "carrier factory default under a plain satellite";
        for (auto r = starts[k]; r < starts[k + 1]; ++r)
            if (image->services[r].factoryDefault == 1 && c.factoryDefault != 1)
                return "service factory default under a plain carrier";
    }
    for (const auto& name : {store_file::kScratch, std::string_view(".TempSER.stb.new"), std::string_view(".TempSER.stb.old")})
        if (std::filesystem::exists(store.File(name)))
            return "scratch file left behind";
    return "";
}

std::vector<std::string> ChannelNames(const WorkingStore& store)
{
    const auto image = LoadStoreImage(store, image_part::kServices | image_part::kServiceOrder);
    std::vector<std::string> names;
    if (image)
        for (const auto r : image->serviceOrder)
            names.push_back(image->services[r].name.Text());
    return names;
}

std::vector<std::string> RecordNames(const WorkingStore& store)
{
    std::vector<std::string> names;
    const auto services = ReadAllRecords<ServiceRecord>(store).value_or(std::vector<ServiceRecord>{});
    for (const auto& s : services)
        names.push_back(s.name.Text());
    return names;
}

std::vector<std::pair<std::string, std::string>> ServiceCarriers(const WorkingStore& store)
{
    const auto image = LoadStoreImage(store, image_part::kCarriers | image_part::kServices);
    std::vector<std::pair<std::string, std::string>> out;
    if (!image)
        return out;
    const auto starts = ServiceBlockStarts(image->carriers);
    for (std::size_t k = 0; k < image->carriers.size(); ++k)
        for (auto r = starts[k]; r < starts[k + 1]; ++r)
            out.emplace_back(image->services[r].name.Text(), image->carriers[k].name.Text());
    std::sort(out.begin(), out.end());
    return out;
}

void EditTest::SetUp()
{
    store.dir = dir.Path();
    store.productType = 1;
    store.defaults.lnb.word = 0x7A5A2616;
    store.defaults.switchBlock = {2, 4, 16, 2, 0, 2, 255, 255};
}

void EditTest::Build(const std::vector<std::vector<std::uint32_t>>& layout)
{
    ASSERT_TRUE(AddLnbRecord(store, ui));
    for (std::uint32_t s = 1; s <= layout.size(); ++s) {
        ASSERT_TRUE(AppendSatelliteRecord(store, ui));
        auto sats = *ReadAllRecords<SatelliteRecord>(store);
        sats[s - 1].name = Format("S%u", s);
        ASSERT_TRUE(WriteAllRecords<SatelliteRecord>(store, sats));
        for (std::uint32_t c = 1; c <= layout[s - 1].size(); ++c) {
            const auto added = AddCarrierRecord(store, ui, s);
            ASSERT_TRUE(added);
            auto cars = *ReadAllRecords<CarrierRecord>(store);
            cars[added->record - 1].name = Format("s%uc%u", s, c);
            ASSERT_TRUE(WriteAllRecords<CarrierRecord>(store, cars));
            for (std::uint32_t v = 1; v <= layout[s - 1][c - 1]; ++v) {
                const auto service = AddServiceRecord(store, ui, s, c, ServiceFilter::Both);
                ASSERT_TRUE(service);
                auto record = *ReadRecord<ServiceRecord>(store, ui, service->record);
                record.name = Format("s%uc%uv%u", s, c, v);
                ASSERT_TRUE(WriteRecord(store, ui, service->record, record));
            }
        }
    }
    ASSERT_TRUE(ui.messages.empty());
}

}  // namespace velk::test
