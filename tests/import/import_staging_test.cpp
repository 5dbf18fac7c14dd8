#include "import/import_staging.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace velk {
namespace {

// The duplicate rules as plain scans over everything staged: the indexes of
// ImportStaging must give exactly these results.
struct ScanningStaging {
    std::vector<ImportCarrier> carriers;
    std::vector<ImportService> services;

    std::optional<std::uint32_t> FindCarrier(const ImportCarrier& c) const
    {
        for (std::uint32_t i = 0; i < carriers.size(); ++i) {
            const auto& e = carriers[i];
            const auto d = static_cast<std::int64_t>(e.frequencyMhz) - c.frequencyMhz;
            if (e.satellite == c.satellite && e.symbolRateKs == c.symbolRateKs && e.polarization == c.polarization && d >= -1 && d <= 1)
                return i + 1;
        }
        return std::nullopt;
    }

    bool AddService(ImportService s)
    {
        for (auto i = services.size(); i-- > 0;) {
            const auto& e = services[i];
            if (e.carrier != s.carrier || e.serviceId != s.serviceId)
                continue;
            if (e.videoPid == s.videoPid) {
                if (s.videoPid != 0 && s.videoPid != kImportNoPid)
                    return false;
                if (s.videoPid == kImportNoPid)
                    s.serviceId = kImportNoServiceId;
            } else if (e.audioPid == s.audioPid) {
                if (s.audioPid != kImportNoPid)
                    return false;
            } else {
                s.serviceId = kImportNoServiceId;
            }
        }
        services.push_back(s);
        return true;
    }

    void Number(std::uint32_t carrier)
    {
        std::uint16_t largest = 0;
        for (const auto& s : services)
            if (s.carrier == carrier && s.serviceId != kImportNoServiceId)
                largest = std::max(largest, s.serviceId);
        for (auto& s : services)
            if (s.carrier == carrier && s.serviceId == kImportNoServiceId)
                s.serviceId = ++largest;
    }
};

TEST(ImportStaging, IndexesGiveTheResultsOfPlainScans)
{
    std::mt19937 random(7);
    const auto pick = [&](std::initializer_list<std::uint32_t> values) {
        return *(values.begin() + random() % values.size());
    };
    ImportStaging staging;
    ScanningStaging scans;
    for (int step = 0; step < 6000; ++step) {
        const auto what = random() % 10;
        if (what == 0) {
            ImportCarrier c;
            c.satellite = pick({1, 2, 3});
            c.symbolRateKs = pick({22000, 27500});
            c.polarization = pick({0, 1});
            c.frequencyMhz = 11000 + random() % 8;
            ASSERT_EQ(staging.FindCarrier(c), scans.FindCarrier(c));
            if (AddImportCarrier(staging, c).added)
                scans.carriers.push_back(c);
        } else if (what == 1) {
            const auto carrier = pick({1, 2, 3, 4});
            NumberMissingServiceIds(staging, carrier);
            scans.Number(carrier);
        } else {
            ImportService s;
            s.carrier = pick({1, 2, 3, 4});
            s.serviceId = static_cast<std::uint16_t>(pick({kImportNoServiceId, 1, 2, 3, 4, 5, 6}));
            s.videoPid = static_cast<std::uint16_t>(pick({0, kImportNoPid, 100, 101}));
            s.audioPid = static_cast<std::uint16_t>(pick({kImportNoPid, 200, 201}));
            ASSERT_EQ(AddImportService(staging, s), scans.AddService(s)) << step;
        }
    }
    ASSERT_EQ(staging.services.size(), scans.services.size());
    for (std::size_t i = 0; i < scans.services.size(); ++i)
        ASSERT_EQ(staging.services[i].serviceId, scans.services[i].serviceId) << i;
}

TEST(ImportStaging, UniqueNamesAndCountSlots)
{
    ImportStaging st;
    AddImportSatellite(st, {1, "Astra", 0, 1, 0});
    AddImportSatellite(st, {1, "ASTRA1", 0, 1, 0});
    EXPECT_EQ(MakeUniqueSatelliteName(st, "astra  ", 12), "astra2");
    EXPECT_EQ(MakeUniqueSatelliteName(st, "Hotbird", 12), "Hotbird");
    AddImportSatellite(st, {1, "ABCDEFGHIJKL", 0, 1, 0});
    EXPECT_EQ(MakeUniqueSatelliteName(st, "ABCDEFGHIJKLMNOP", 12), "ABCDEFGHIJK1");

    st.carrierCounts.Set(3, 12345);  // slots 1 and 2 never written: zero bytes
    st.carrierCounts.Set(0, 1);      // no slot before the first
    test::TempDir dir;
    ASSERT_TRUE(st.Save(dir.Path()));
    EXPECT_EQ(test::ReadBytes(dir / "CarCount.tmp"), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, '1', '2', '3', '4'}));
    EXPECT_EQ(test::ReadBytes(dir / "SvcCount.tmp"), Bytes{});
}

TEST(ImportStaging, RecordsRoundTrip)
{
    const ImportSatellite sat{3, std::string(30, 'n'), 1, 1, 130.5};
    const auto bytes = EncodeImportSatellite(sat);
    ASSERT_EQ(bytes.size(), ImportSatellite::kSize);
    EXPECT_EQ(bytes[25], 0);  // the name never runs into the flags
    auto expected = sat;
    expected.name.resize(23);
    EXPECT_EQ(DecodeImportSatellite(bytes), expected);
    const ImportCarrier car{9, 27500, 2, 11778, 3, "C", 5, 1, 1};
    EXPECT_EQ(DecodeImportCarrier(EncodeImportCarrier(car)), car);
    const ImportService ser{9, "S", 1, 1, 2, 3, 4, 1, 2};
    EXPECT_EQ(DecodeImportService(EncodeImportService(ser)), ser);
    EXPECT_EQ(EncodeImportLnb({1, 10600, 9750, 1}), (Bytes{1, 0, 0x68, 0x29, 0x16, 0x26, 1, 0}));
}

}  // namespace
}  // namespace velk
