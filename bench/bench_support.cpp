#include "bench_support.h"

#include "common/format.h"
#include "database/store_image.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>

#include <stdlib.h>

namespace velk::bench {

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

FullStore::FullStore()
{
    store.dir = dir.Path();
    store.productType = 2;
    StoreImage image;
    image.lnbs.resize(8);
    image.satellites.resize(kSatellites);
    image.carriers.resize(kCarriers);
    image.services.resize(kServices);
    for (std::uint32_t s = 0; s < kSatellites; ++s)
        image.satellites[s].name = Format("Sat %u", s);
    for (std::uint32_t k = 0; k < kCarriers; ++k) {
        auto& c = image.carriers[k];
        c.satelliteIndex = static_cast<std::uint8_t>(k * kSatellites / kCarriers);
        c.serviceCount = static_cast<std::uint16_t>((k + 1) * kServices / kCarriers - k * kServices / kCarriers);
        ++image.satellites[c.satelliteIndex].carrierCount;
    }
    for (std::uint32_t r = 0; r < kServices; ++r) {
        image.services[r].name = Format("Service %u", r);
        image.services[r].type = r % 5 == 0 ? kServiceRadio : kServiceTv;
    }
    image.serviceOrder.resize(kServices);
    std::iota(image.serviceOrder.begin(), image.serviceOrder.end(), std::uint16_t{0});
    std::shuffle(image.serviceOrder.begin(), image.serviceOrder.end(), std::mt19937(7));
    image.carrierOrder = CarrierOrderOf(image.carriers, kSatellites);
    if (!CommitStoreImage(store, image, image_part::kAll))
        throw std::runtime_error("store setup failed");
}

}  // namespace velk::bench
