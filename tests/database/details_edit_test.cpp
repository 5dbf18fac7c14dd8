#include "edit_fixture.h"

#include "database/details.h"
#include "database/marking.h"
#include "database/record_edit.h"

namespace velk::test {
namespace {

using Names = std::vector<std::string>;
using Rows = std::vector<std::uint32_t>;

TEST_F(EditTest, ServiceDetailsShowTheWholeChainForEveryPlacement)
{
    for (const auto placement : {Placement::Lnb, Placement::Satellite, Placement::Carrier}) {
        ClearStore(store);
        store.placement = placement;
        Build({{1}, {2}});
        auto service = *ReadRecord<ServiceRecord>(store, ui, 3);
        service.videoPid = 0x1FF;
        service.programNumber = 7;
        ASSERT_TRUE(WriteRecord(store, ui, 3, service));
        const Rows row{3};
        const auto details = LoadServiceDetails(store, ui, {}, row, true);
        ASSERT_TRUE(details);
        EXPECT_EQ(details->title, "s2c1v2 Service Information");
        EXPECT_EQ(details->satellite.caption, "Satellite - S2");
        EXPECT_EQ(details->satellite.fields[0], (std::pair<std::string, std::string>{"Low freq. [MHz]", "9750"}));
        EXPECT_EQ(details->satellite.fields[1].second, "10600");
        EXPECT_EQ(details->satellite.fields[2], (std::pair<std::string, std::string>{"Satellite angle \u00B0", "000.0"}));
        EXPECT_EQ(details->carrier.caption, "Carrier - s2c1");
        EXPECT_EQ(details->carrier.fields[3], (std::pair<std::string, std::string>{"FEC", "AUTO"}));
        EXPECT_EQ(details->service.fields[0].second, "7");
        EXPECT_EQ(details->service.fields[2], (std::pair<std::string, std::string>{"Video PID [Hex]", "1FF"}));
        EXPECT_EQ(LoadServiceDetails(store, ui, {}, row, false)->service.fields[3], (std::pair<std::string, std::string>{"Audio PID [Dec]", "8192"}));
    }
    const Rows two{1, 2};
    EXPECT_FALSE(LoadServiceDetails(store, ui, {}, two, false));
    EXPECT_EQ(ui.Texts(), Names{"Select any one service record"});
}

TEST_F(EditTest, DetailStripsFollowTheSwitchBlockPlacement)
{
    store.placement = Placement::Satellite;
    Build({{1}});
    const auto snapshot = *StoreSnapshot::Read(store);
    const auto sat = SatelliteDetailStrip(snapshot, store, 0);
    EXPECT_EQ(sat.caption, "Info - S1");
    EXPECT_EQ(sat.headers, (Names{"LNB Index", "0v/12v Control", "DiSEqC1.0", "DiSEqC1.1", "ToneBurstMode", "EastWest Flag", "Angle", "Position"}));
    EXPECT_EQ(sat.values, (Names{" LNB1", "None", "None", "None", "None", " East ", "000.0", "0"}));
    const auto lnb = LnbDetailStrip(snapshot, store, 0);
    EXPECT_EQ(lnb.caption, "Info - LNB 1");
    EXPECT_EQ(lnb.values, (Names{"9750", "10600", "Universal Band", "ON"}));
    const auto carrier = CarrierDetailStrip(snapshot, store, 0);
    EXPECT_EQ(carrier.headers, (Names{"Frequency", "Polarization", "Symbol Rate", "Factory Default"}));
    const auto service = ServiceDetailStrip(snapshot, 0);
    EXPECT_EQ(service.values, (Names{"S1", "000.0", "s1c1", "0", "0", "Horizontal"}));
    // Records past the snapshot (a stale selection) give empty strips, not a crash.
    EXPECT_TRUE(CarrierDetailStrip(snapshot, store, 1).headers.empty());
    EXPECT_TRUE(ServiceDetailStrip(snapshot, 5).headers.empty());
    EXPECT_EQ(LnbDetailStrip(snapshot, store, 3).caption, "Info - LNB 4");
    EXPECT_TRUE(ui.Texts().empty());
}

TEST_F(EditTest, DialogOkWritesTheRecordAndCarriesItsEffects)
{
    Build({{2}, {1}});
    // The short LNB dialog derives the tone burst from the DiSEqC 1.0 port.
    auto lnb = *OpenLnbRecord(store, ui, 1);
    lnb.switchBlock = {2, 2, 3, 2, 1, 0, 255, 255};
    ASSERT_TRUE(UpdateLnbRecord(store, ui, 1, lnb));
    EXPECT_EQ(ReadRecord<LnbRecord>(store, ui, 1)->switchBlock, (SwitchBlock{0, 2, 16, 0, 0, 2, 255, 255}));
    lnb.switchBlock.diseqc10 = 3;
    ASSERT_TRUE(UpdateLnbRecord(store, ui, 1, lnb));
    EXPECT_EQ(ReadRecord<LnbRecord>(store, ui, 1)->switchBlock.toneBurst, 1);
    // A satellite keeps its number and carrier count; clearing its flag clears below.
    const Rows first{1};
    ASSERT_TRUE(MarkServices(store, ui, {}, first, ServiceMark::FactoryDefault));
    auto sat = *OpenSatelliteRecord(store, ui, 1);
    sat.name = "Astra";
    sat.factoryDefault = 0;
    sat.carrierCount = 9;
    const auto updated = UpdateSatelliteRecord(store, ui, 1, sat);
    ASSERT_TRUE(updated);
    EXPECT_EQ(updated->label, "[ 1 ] Astra");
    EXPECT_EQ(updated->flags.carriers, Rows{1});
    EXPECT_EQ(ReadRecord<SatelliteRecord>(store, ui, 1)->carrierCount, 1);
    EXPECT_EQ(ReadRecord<ServiceRecord>(store, ui, 1)->factoryDefault, 0);
    // TV to Radio in a TV-only view removes the row.
    const ServiceView tv{ViewKind::Carrier, 1, 1, ServiceFilter::Tv};
    ASSERT_EQ(BuildServiceView(store, ui, tv)->size(), 2u);
    auto service = OpenServiceRecord(store, ui, tv, 2);
    ASSERT_TRUE(service);
    EXPECT_EQ(service->otherProgramNumbers, std::vector<std::uint16_t>{1});
    service->service.type = kServiceRadio;
    service->service.audioPid = 100;
    const auto edited = UpdateServiceRecord(store, ui, tv, 2, service->service);
    ASSERT_TRUE(edited);
    EXPECT_TRUE(edited->rowsChanged);
    EXPECT_EQ(ReadOrderList(store, store_file::kCarrierView)->size(), 1u);
    const auto written = *ReadRecord<ServiceRecord>(store, ui, service->record);
    EXPECT_EQ(written.nameUnchanged, 1);
    EXPECT_EQ(written.pidsUnchanged, 0);
    EXPECT_EQ(written.preference, 0);
    EXPECT_FALSE(OpenSatelliteRecord(store, ui, 3));
    EXPECT_FALSE(OpenCarrierRecord(store, ui, 2, 2));
    EXPECT_EQ(ui.Texts(), (Names{"Invalid Record Index", "Invalid Record Index"}));
}

}  // namespace
}  // namespace velk::test
