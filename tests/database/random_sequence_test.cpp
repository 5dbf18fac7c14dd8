// Thousands of mixed edits on a store built from scratch, checking after every
// step the store's relations and what each operation promises about the
// channel order and the services' carriers.
#include "edit_fixture.h"

#include "common/format.h"
#include "database/change_carrier.h"
#include "database/delete_records.h"
#include "database/factory_default.h"
#include "database/marking.h"
#include "database/move_records.h"
#include "database/move_services.h"

#include <algorithm>
#include <map>
#include <random>

namespace velk::test {
namespace {

using Names = std::vector<std::string>;
using CarrierMap = std::vector<std::pair<std::string, std::string>>;

// Carrier name -> satellite name.
std::map<std::string, std::string> CarrierSatellites(const WorkingStore& store)
{
    const auto image = LoadStoreImage(store, image_part::kSatellites | image_part::kCarriers);
    std::map<std::string, std::string> out;
    for (const auto& c : image->carriers)
        out[c.name.Text()] = image->satellites[c.satelliteIndex].name.Text();
    return out;
}

class RandomSequence : public EditTest {
protected:
    std::uint32_t Pick(std::uint32_t n) { return std::uniform_int_distribution<std::uint32_t>(1, n)(rng); }
    bool Coin() { return Pick(2) == 1; }

    void NameService(std::uint32_t record)
    {
        auto service = *ReadRecord<ServiceRecord>(store, ui, record);
        service.name = Format("v%u", nextName++);
        service.type = Coin() ? kServiceTv : kServiceRadio;
        ASSERT_TRUE(WriteRecord(store, ui, record, service));
    }
    void NameCarrier(std::uint32_t record)
    {
        auto carrier = *ReadRecord<CarrierRecord>(store, ui, record);
        carrier.name = Format("c%u", nextName++);
        ASSERT_TRUE(WriteRecord(store, ui, record, carrier));
    }
    void NameSatellite(std::uint32_t record)
    {
        auto sat = *ReadRecord<SatelliteRecord>(store, ui, record);
        sat.name = Format("s%u", nextName++);
        ASSERT_TRUE(WriteRecord(store, ui, record, sat));
    }

    std::uint32_t CarriersOf(std::uint32_t s) { return ReadRecord<SatelliteRecord>(store, ui, s)->carrierCount; }

    // A random existing carrier (satellite, position), if any.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> AnyCarrier()
    {
        if (store.carrierCount == 0)
            return std::nullopt;
        for (;;) {
            const auto s = Pick(store.satelliteCount);
            if (const auto n = CarriersOf(s))
                return std::make_pair(s, Pick(n));
        }
    }

    ServiceView AnyView()
    {
        ServiceView view;
        view.filter = static_cast<ServiceFilter>(Pick(3));
        const auto carrier = AnyCarrier();
        switch (carrier ? Pick(3) : 1) {
        case 2: view = {ViewKind::Satellite, carrier->first, 0, view.filter}; break;
        case 3: view = {ViewKind::Carrier, carrier->first, carrier->second, view.filter}; break;
        default: break;
        }
        return view;
    }

    // Builds the view; its row count.
    std::uint32_t Show(const ServiceView& view) { return static_cast<std::uint32_t>(BuildServiceView(store, ui, view).value().size()); }

    void Step();

    std::mt19937 rng;
    std::uint32_t nextName = 1;
    std::uint32_t lastOperation = 0;
};

void RandomSequence::Step()
{
    const auto channels = ChannelNames(store);
    const auto carriers = ServiceCarriers(store);
    const auto satellites = CarrierSatellites(store);
    // Operations that promise to keep the channel order and every service's carrier.
    const auto keepsAll = [&] {
        EXPECT_EQ(ChannelNames(store), channels);
        EXPECT_EQ(ServiceCarriers(store), carriers);
    };
    const bool crowded = store.serviceCount > 150;
    lastOperation = Pick(24) - 1;
    switch (lastOperation) {
    case 0:
        if (const auto n = AddLnbRecord(store, ui))
            EXPECT_EQ(*n, store.lnbCount);
        break;
    case 1:
        if (store.lnbCount > 0)
            DeleteLnbRecord(store, ui, Pick(store.lnbCount));
        keepsAll();
        break;
    case 2:
        if (const auto n = AppendSatelliteRecord(store, ui))
            NameSatellite(*n);
        keepsAll();
        break;
    case 3:
        if (store.satelliteCount > 0)
            if (const auto n = InsertSatelliteRecord(store, ui, Pick(store.satelliteCount)))
                NameSatellite(*n);
        keepsAll();
        EXPECT_EQ(CarrierSatellites(store), satellites);
        break;
    case 4:
        if (store.satelliteCount > 0 && (crowded || Pick(4) == 1))
            DeleteSatellite(store, ui, Pick(store.satelliteCount));
        break;
    case 5:
        if (store.satelliteCount > 0)
            if (const auto added = AddCarrierRecord(store, ui, Pick(store.satelliteCount)))
                NameCarrier(added->record);
        keepsAll();
        break;
    case 6:
        if (const auto c = AnyCarrier()) {
            const auto added = InsertCarrierRecord(store, ui, c->first, c->second);
            ASSERT_TRUE(added);
            EXPECT_EQ(added->position, c->second);
            NameCarrier(added->record);
        }
        keepsAll();
        EXPECT_EQ(CarrierSatellites(store).size(), satellites.size() + (store.carrierCount > satellites.size() ? 1 : 0));
        break;
    case 7:
        if (const auto c = AnyCarrier(); c && (crowded || Pick(3) == 1))
            DeleteCarrier(store, ui, c->first, c->second);
        break;
    case 8:
        if (const auto c = AnyCarrier(); c && !crowded) {
            const auto added = AddServiceRecord(store, ui, c->first, c->second, ServiceFilter::Both);
            ASSERT_TRUE(added);
            NameService(added->record);
            auto expected = channels;
            expected.push_back(ChannelNames(store).back());
            EXPECT_EQ(ChannelNames(store), expected);
        }
        break;
    case 9:
        if (const auto c = AnyCarrier(); c && !crowded) {
            const ServiceView view{ViewKind::Carrier, c->first, c->second, ServiceFilter::Both};
            if (const auto rows = Show(view)) {
                const auto row = Pick(rows);
                const auto added = InsertServiceRecord(store, ui, c->first, c->second, row);
                ASSERT_TRUE(added);
                NameService(added->record);
                auto after = ChannelNames(store);
                after.erase(after.begin() + (added->channelPosition - 1));
                EXPECT_EQ(after, channels);
            }
        }
        break;
    case 10: {
        const auto view = AnyView();
        if (const auto rows = Show(view)) {
            std::vector<std::uint32_t> picked{Pick(rows)};
            if (rows > 1 && Coin())
                picked.push_back(Pick(rows));
            std::sort(picked.begin(), picked.end());
            picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
            const auto removed = DeleteServices(store, ui, view, picked);
            ASSERT_TRUE(removed);
            EXPECT_EQ(ChannelNames(store).size() + *removed, channels.size());
        }
        break;
    }
    case 11:
    case 12:
        if (store.satelliteCount > 1) {
            const auto a = Pick(store.satelliteCount);
            auto b = Pick(store.satelliteCount);
            if (a != b)
                ASSERT_TRUE(Pick(2) == 1 ? MoveSatellite(store, ui, a, b) : SwapSatellites(store, ui, std::min(a, b), std::max(a, b)));
        }
        keepsAll();
        EXPECT_EQ(CarrierSatellites(store), satellites);
        break;
    case 13:
    case 14:
        if (const auto c = AnyCarrier()) {
            const auto n = CarriersOf(c->first);
            const auto b = Pick(n);
            if (b != c->second)
                ASSERT_TRUE(Coin() ? MoveCarrier(store, ui, c->first, c->second, b) : SwapCarriers(store, ui, c->first, c->second, b));
        }
        keepsAll();
        EXPECT_EQ(CarrierSatellites(store), satellites);
        break;
    case 15: {
        const auto view = AnyView();
        if (const auto rows = Show(view)) {
            const auto a = Pick(rows) - 1;
            const auto n = std::min(Pick(4), rows - a);
            ASSERT_TRUE(MoveServiceBlock(store, ui, view, a, n, Pick(rows) - 1));
            auto sorted = ChannelNames(store);
            auto before = channels;
            std::sort(sorted.begin(), sorted.end());
            std::sort(before.begin(), before.end());
            EXPECT_EQ(sorted, before);
            EXPECT_EQ(ServiceCarriers(store), carriers);
        }
        break;
    }
    case 16:
    case 17: {
        const auto view = AnyView();
        if (const auto rows = Show(view); rows > 1) {
            const std::vector<std::uint32_t> one{Pick(rows)};
            std::vector<std::uint32_t> two{Pick(rows), Pick(rows)};
            if (Coin())
                ASSERT_TRUE(MoveServiceUpDown(store, ui, view, one, Coin()));
            else if (two[0] != two[1])
                ASSERT_TRUE(SwapServices(store, ui, view, two));
            EXPECT_EQ(ServiceCarriers(store), carriers);
        }
        break;
    }
    case 18: {
        const auto view = AnyView();
        const auto target = AnyCarrier();
        if (const auto rows = Show(view); rows > 0 && target) {
            const std::vector<std::uint32_t> picked{Pick(rows)};
            ChangeServiceCarrier(store, ui, view, picked, target->first, target->second);
            EXPECT_EQ(ChannelNames(store), channels);
        }
        break;
    }
    case 19: {
        const auto view = AnyView();
        if (const auto rows = Show(view)) {
            const std::vector<std::uint32_t> picked{Pick(rows)};
            ASSERT_TRUE(MarkServices(store, ui, view, picked, static_cast<ServiceMark>(Pick(6) - 1)));
        }
        keepsAll();
        break;
    }
    case 20:
        if (store.satelliteCount > 0)
            ASSERT_TRUE(ToggleSatelliteFactoryDefault(store, ui, Pick(store.satelliteCount)));
        keepsAll();
        break;
    case 21:
        if (const auto c = AnyCarrier())
            ToggleCarrierFactoryDefault(store, ui, c->first, c->second);
        keepsAll();
        break;
    case 22:
        if (store.satelliteCount > 0) {
            const std::vector<std::uint32_t> picked{Pick(store.satelliteCount)};
            ASSERT_TRUE(MarkSatellites(store, ui, picked, SatelliteField::FactoryDefault, static_cast<std::uint8_t>(Pick(2) - 1)));
        }
        keepsAll();
        break;
    default:
        if (store.carrierCount > 0) {
            const std::vector<std::uint32_t> picked{Pick(store.carrierCount)};
            ASSERT_TRUE(MarkCarriers(store, ui, 0, picked, CarrierField::FactoryDefault, static_cast<std::uint8_t>(Pick(2) - 1)));
        }
        keepsAll();
        break;
    }
}

TEST_F(RandomSequence, EveryStepKeepsTheStoreConsistent)
{
    for (const auto seed : {1u, 2u, 3u}) {
        ClearStore(store);
        store.placement = static_cast<Placement>(seed % 3);
        rng.seed(seed);
        ui.messages.clear();
        for (int step = 0; step < 700; ++step) {
            ASSERT_NO_FATAL_FAILURE(Step()) << "seed " << seed << " step " << step << " operation " << lastOperation;
            ASSERT_EQ(StoreInvariantFault(store), "") << "seed " << seed << " step " << step << " operation " << lastOperation;
            for (const auto& m : ui.messages)
                ASSERT_EQ(m.text.find("File"), std::string::npos) << m.text << " seed " << seed << " step " << step;
            ui.messages.clear();
            if (::testing::Test::HasFailure())
                FAIL() << "seed " << seed << " step " << step << " operation " << lastOperation;
        }
        EXPECT_GT(store.serviceCount + store.carrierCount, 0u);
    }
}

}  // namespace
}  // namespace velk::test
