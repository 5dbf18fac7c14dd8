// Find, duplicates, reference order and the CSV round trip over a small database
// whose satellites, transponders and services are set field by field.
#include "edit_fixture.h"

#include "common/csv.h"
#include "database/duplicates.h"
#include "database/reference_order.h"
#include "database/service_csv.h"
#include "database/service_find.h"

#include <algorithm>
#include <random>

namespace velk::test {
namespace {

class ServiceListsTest : public EditTest {
protected:
    // Two satellites: 19.2E with carriers of 27 500 and 2 000 kSps, 13.0E with one.
    void SetUp() override
    {
        EditTest::SetUp();
        Build({{3, 2}, {2}});
        auto image = *LoadStoreImage(store, image_part::kAll);
        image.satellites[0].angle = 192;
        image.satellites[1].angle = 130;
        const std::array<std::pair<std::uint32_t, std::uint32_t>, 3> transponders{{{11836, 27500}, {12188, 2000}, {10971, 29700}}};
        for (std::size_t k = 0; k < 3; ++k) {
            image.carriers[k].frequencyMhz = transponders[k].first;
            image.carriers[k].symbolRateKs = transponders[k].second;
        }
        for (std::size_t r = 0; r < image.services.size(); ++r) {
            image.services[r].programNumber = static_cast<std::uint16_t>(100 + r);
            image.services[r].videoPid = static_cast<std::uint32_t>(0x200 + r);
        }
        ASSERT_TRUE(CommitStoreImage(store, image, image_part::kAll));
    }

    ServiceCatalog Catalog() { return *LoadServiceCatalog(store); }

    void Change(const std::function<void(StoreImage&)>& edit)
    {
        auto image = *LoadStoreImage(store, image_part::kAll);
        edit(image);
        ASSERT_TRUE(CommitStoreImage(store, image, image_part::kAll));
    }

    std::vector<std::string> Names()
    {
        const auto catalog = Catalog();
        std::vector<std::string> names;
        for (const auto& e : catalog.channels)
            names.push_back(catalog.Service(e).name.Text());
        return names;
    }
};

TEST_F(ServiceListsTest, FindMatchesNamesWithoutCaseOrAccentsAndNumbersInTheirRadix)
{
    Change([](StoreImage& image) { image.services[1].name = "S\xFC" "d TV"; });
    const auto catalog = Catalog();
    const ServiceFinder finder(catalog);
    auto channels = [&](std::string_view text, bool hex) {
        std::vector<std::pair<std::uint32_t, MatchField>> out;
        for (const auto& m : finder.Find(text, hex))
            out.emplace_back(m.channel, m.field);
        return out;
    };
    using P = std::vector<std::pair<std::uint32_t, MatchField>>;
    EXPECT_EQ(channels("SUD", false), (P{{1, MatchField::Name}}));
    EXPECT_EQ(channels("s\xFC" "d t", false), (P{{1, MatchField::Name}}));
    EXPECT_EQ(channels("102", false), (P{{2, MatchField::ProgramNumber}}));
    EXPECT_EQ(channels("204", true), (P{{4, MatchField::Pid}}));   // 0x204
    EXPECT_EQ(channels("516", false), (P{{4, MatchField::Pid}}));  // 0x204 in decimal
    EXPECT_EQ(channels("104", true), (P{{4, MatchField::ProgramNumber}}));
    EXPECT_EQ(channels("12188", false), (P{{3, MatchField::Frequency}, {4, MatchField::Frequency}}));
    EXPECT_TRUE(channels("", false).empty());
    EXPECT_TRUE(channels("zzz", false).empty());
}

TEST_F(ServiceListsTest, DuplicateServicesAndTranspondersAtTheToleranceBoundaries)
{
    Change([](StoreImage& image) {
        image.services[1].programNumber = image.services[0].programNumber;  // same carrier and program
        image.services[4].name = image.services[3].name;                    // same name, PIDs, satellite...
        image.services[4].videoPid = image.services[3].videoPid;            // ...on another carrier
    });
    auto groups = FindDuplicates(Catalog());
    EXPECT_EQ(groups.services, (std::vector<std::vector<std::uint32_t>>{{0, 1}, {3, 4}}));
    EXPECT_EQ(DuplicatesToDelete(groups), (std::vector<std::uint32_t>{1, 4}));
    EXPECT_TRUE(groups.carriers.empty());

    // 27 500 kSps allows 6.875 MHz; 2 000 kSps the floor of 2 MHz.
    const std::array<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, bool>, 5> cases{{
        {27500, 11836, 11842, true}, {27500, 11836, 11843, false}, {2000, 11836, 11838, true},
        {2000, 11836, 11839, false}, {27500, 11836, 11836, true}}};
    for (const auto& [rate, f1, f2, same] : cases) {
        Change([&, rate = rate, f1 = f1, f2 = f2](StoreImage& image) {
            image.carriers[0].symbolRateKs = image.carriers[1].symbolRateKs = rate;
            image.carriers[0].frequencyMhz = f1;
            image.carriers[1].frequencyMhz = f2;
        });
        EXPECT_EQ(FindDuplicates(Catalog()).carriers.size(), same ? 1u : 0u) << rate << " " << f2;
    }
    Change([](StoreImage& image) { image.carriers[1].polarization = 1; });
    EXPECT_TRUE(FindDuplicates(Catalog()).carriers.empty());
}

TEST_F(ServiceListsTest, ReferenceOrderFromAShuffledRenamedPartlyMissingCopy)
{
    const auto before = Names();  // s1c1v1 s1c1v2 s1c1v3 s1c2v1 s1c2v2 s2c1v1 s2c1v2
    auto reference = KeysOf(Catalog());
    std::mt19937 rng(3);
    std::shuffle(reference.begin(), reference.end(), rng);
    reference[0].name = "renamed";         // still its transponder and program
    reference[1].programNumber = 999;       // found by its name instead
    const auto missing = reference.back().name;
    reference.pop_back();
    reference.push_back({130, 12000, 27500, 0, 1, "Nowhere"});

    const auto summary = *ApplyReferenceOrder(store, reference);
    EXPECT_EQ(summary.byTransponder, 5u);
    EXPECT_EQ(summary.byName, 1u);
    EXPECT_EQ(summary.unmatched, std::vector<std::size_t>{6});
    auto names = Names();
    EXPECT_EQ(names.back(), missing);  // unmatched services keep their place after the matched
    for (std::size_t i = 1; i < 6; ++i)
        EXPECT_EQ(names[i], reference[i].name);
    EXPECT_NE(OrderSummaryText(summary, reference).find("1 reference entries found nothing: Nowhere"), std::string::npos);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>(before.begin(), before.end())));
}

// One name for every service: each name-only key takes the next service not yet
// claimed, also past one claimed by its transponder in between.
TEST_F(ServiceListsTest, ReferenceKeysOfOneNameClaimTheServicesInTurn)
{
    Change([](StoreImage& image) {
        for (auto& service : image.services)
            service.name = "Same";
    });
    const auto catalog = Catalog();
    const auto own = KeysOf(catalog);
    std::vector<ServiceKey> reference{own[3]};
    for (const auto& key : own) {
        reference.push_back(key);
        reference.back().programNumber = 999;  // names only
    }
    const auto found = IdentifyServices(catalog, reference);
    ASSERT_EQ(found.size(), 8u);
    EXPECT_EQ(found[0]->channel, 3u);
    EXPECT_EQ(found[0]->rule, MatchRule::Transponder);
    std::vector<std::uint32_t> byName;
    for (std::size_t i = 1; i < 8; ++i)
        if (found[i])
            byName.push_back(found[i]->channel);
    // Two satellites: the 19.2E keys find its five services, the 13.0E keys its two.
    EXPECT_EQ(byName, (std::vector<std::uint32_t>{0, 1, 2, 4, 5, 6}));
    EXPECT_FALSE(found[5]);  // 19.2E has no sixth service left
}

TEST_F(ServiceListsTest, CsvRoundTripAppliesExactlyWhatWasEdited)
{
    const auto image = *LoadStoreImage(store, image_part::kAll);
    const auto text = ExportServiceCsv(Catalog());
    std::string error;
    auto table = *ParseCsv(text, error);
    ASSERT_EQ(table.rows.size(), 8u);
    EXPECT_EQ(table.rows[0][6], "Program number");
    EXPECT_EQ(table.rows[1][2], "19.2E");
    // Rename with a comma, quotes and a Latin letter; move the last row first; drop row 3.
    table.rows[2][7] = "Caf\xC3\xA9, \"Live\"";
    std::rotate(table.rows.begin() + 1, table.rows.end() - 1, table.rows.end());
    table.rows.erase(table.rows.begin() + 4);
    std::string edited;
    for (const auto& row : table.rows)
        edited += CsvLine(row);

    NameConversion names;
    const auto result = *ImportServiceCsv(store, edited, names);
    EXPECT_TRUE(result.problems.empty()) << CsvImportText(result);
    EXPECT_EQ(result.renamed, 1u);
    EXPECT_EQ(result.deleted, 1u);
    EXPECT_TRUE(result.reordered);
    EXPECT_EQ(Names(), (std::vector<std::string>{"s2c1v2", "s1c1v1", "Caf\xE9, \"Live\"", "s1c2v1", "s1c2v2", "s2c1v1"}));
    const auto after = *LoadStoreImage(store, image_part::kAll);
    EXPECT_EQ(after.carriers[0].serviceCount, 2);
    EXPECT_EQ(after.services[0], image.services[0]);  // untouched fields stay byte for byte
    EXPECT_EQ(after.services[1].nameUnchanged, 0);
    EXPECT_EQ(after.services[1].programNumber, image.services[1].programNumber);
}

TEST_F(ServiceListsTest, CsvRowsThatNameNoServiceChangeNothing)
{
    const auto before = *LoadStoreImage(store, image_part::kAll);
    std::string error;
    auto table = *ParseCsv(ExportServiceCsv(Catalog()), error);
    table.rows[3][3] = "11000";  // another transponder, and renamed: nothing to know it by
    table.rows[3][7] = "Gone";
    table.rows[4][6] = "abc";    // not a number
    std::string edited;
    for (const auto& row : table.rows)
        edited += CsvLine(row);
    NameConversion names;
    const auto result = *ImportServiceCsv(store, edited, names);
    ASSERT_EQ(result.problems.size(), 2u);
    EXPECT_EQ(result.problems[0], "Line 5: a key field is empty or not a number.");
    EXPECT_NE(CsvImportText(result).find("Line 4: no service of the database matches \"Gone\"."), std::string::npos);
    const auto after = *LoadStoreImage(store, image_part::kAll);
    EXPECT_EQ(after.services, before.services);
    EXPECT_EQ(after.serviceOrder, before.serviceOrder);

    for (const auto* broken : {"a,\"b\n", "a,b\"c\n"})
        EXPECT_FALSE(ParseCsv(broken, error)) << broken;
    const auto quoted = *ParseCsv("\xEF\xBB\xBFx,\"a,\"\"b\"\"\r\nc\"\r\ny,\n", error);
    EXPECT_EQ(quoted.rows, (std::vector<CsvRow>{{"x", "a,\"b\"\r\nc"}, {"y", ""}}));
    EXPECT_EQ(quoted.lines, (std::vector<std::size_t>{1, 3}));
}

}  // namespace
}  // namespace velk::test
