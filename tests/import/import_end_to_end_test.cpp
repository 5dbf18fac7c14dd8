#include "import/import_command.h"
#include "import/import_finish.h"
#include "import/staging_files.h"
#include "list_builders.h"
#include "sdb/sdb_reader.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

struct EndToEnd : ::testing::Test {
    test::ScriptedUi ui;
    test::TempDir dir;
    WorkingStore store;
    sdb::SdbSession session;

    EndToEnd() { store.dir = dir.Path(); }

    // Imports in non-filter mode with one default LNB; the import file's image.
    sdb::SdbImage Import(const std::string& name, const Bytes& list)
    {
        test::WriteBytes(dir / name, list);
        ui.answers.push_back(Answer::No);
        auto imported = RunImportCommand(ui, dir.Path(), dir / name);
        EXPECT_TRUE(imported);
        ImportWizard wizard(ui, dir.Path(), std::move(*imported));
        EXPECT_TRUE(wizard.SetLnbCount(1));
        EXPECT_TRUE(WriteImportDatabase(ui, wizard, store, session, dir / "out.bin"));
        auto parsed = sdb::ParseSdbImage(test::ReadBytes(dir / "out.bin"), store.placement, store.productType);
        EXPECT_TRUE(std::holds_alternative<sdb::SdbImage>(parsed));
        return std::get<sdb::SdbImage>(parsed);
    }
};

TEST_F(EndToEnd, SatcoDxListOrderedByChannel)
{
    test::SdxRecord a, b, c;
    a.name = "One";
    a.serviceId = "00001";
    b.name = "Two";
    b.frequencyMhz = "012188";
    b.polarization = '0';
    b.serviceId = "00002";
    b.type = 'R';
    b.videoPid = "____";
    c.name = "Three";
    c.serviceId = "00003";
    c.videoPid = "0201";
    c.access = "0B00";
    for (auto* r : {&a, &b, &c})
        r->tail = "            ";
    const auto image = Import("list.sdx", test::JoinSdx({a, b, c}, true));
    ASSERT_EQ(image.lnbs.size(), 1u);
    EXPECT_EQ(image.lnbs[0].LowMhz(), 5150u);
    EXPECT_TRUE(image.lnbs[0].PowerOn());
    ASSERT_EQ(image.satellites.size(), 1u);
    EXPECT_EQ(image.satellites[0].name.Text(), "ASTRA_____________");
    EXPECT_EQ(image.satellites[0].angle, 192);
    EXPECT_EQ(image.satellites[0].carrierCount, 2u);
    ASSERT_EQ(image.carriers.size(), 2u);
    EXPECT_EQ(image.carriers[0].name.Text(), "Carrier1_S1");
    EXPECT_EQ(image.carriers[0].frequencyMhz, 11778u);
    EXPECT_EQ(image.carriers[0].symbolRateKs, 27500u);
    EXPECT_EQ(image.carriers[0].fec, 3u);
    EXPECT_EQ(image.carriers[0].serviceCount, 2u);
    EXPECT_EQ(image.carriers[1].polarization, 1u);
    ASSERT_EQ(image.services.size(), 3u);
    EXPECT_EQ(image.services[0].name.Text(), "One");
    EXPECT_EQ(image.services[1].name.Text(), "Three");  // with its carrier
    EXPECT_EQ(image.services[1].scrambled, 1u);
    EXPECT_EQ(image.services[1].videoPid, 201u);
    EXPECT_EQ(image.services[2].type, 2u);
    EXPECT_EQ(image.services[2].videoPid, kNoPid);
    EXPECT_EQ(image.services[2].programNumber, 2u);
    EXPECT_EQ(image.osl, (std::vector<std::uint16_t>{0, 2, 1}));  // the list's channel order
    EXPECT_EQ(ui.messages.front().text, kFilterModeQuestion);
}

TEST_F(EndToEnd, Dvb2000AndLyngsatLists)
{
    const auto dvb = Import("list.dvb", test::JoinDvb({test::DvbSatellite("Hotbird-0130.0E"),
                                                       test::DvbChannel("RAI 1", 11766, 3401, 160, 161)}));
    ASSERT_EQ(dvb.services.size(), 1u);
    EXPECT_EQ(dvb.satellites[0].name.Text(), "Hotbird");
    EXPECT_EQ(dvb.satellites[0].west, 1u);
    EXPECT_EQ(dvb.carriers[0].frequencyMhz, 11766u);
    EXPECT_EQ(dvb.services[0].programNumber, 3401u);
    EXPECT_EQ(dvb.services[0].audioPid, 161u);

    const std::string text = ":SAT \"Astra\" 19.2 E\n:TRP 11778V 27500S H 2/3\n:CHN \"ARD\" 28106 T\n";
    const auto lyngsat = Import("list.dat", Bytes(text.begin(), text.end()));
    ASSERT_EQ(lyngsat.services.size(), 1u);
    EXPECT_EQ(lyngsat.satellites[0].angle, 192);
    EXPECT_EQ(lyngsat.carriers[0].fec, 2u);
    EXPECT_EQ(lyngsat.carriers[0].polarization, 0u);
    EXPECT_EQ(lyngsat.services[0].name.Text(), "ARD");
}

TEST_F(EndToEnd, UncheckedSatelliteLeavesTheFile)
{
    test::SdxRecord a, b;
    b.satellite = "HOTBIRD";
    b.position = "0130";
    test::WriteBytes(dir / "two.sdx", test::JoinSdx({a, b}, false));
    ui.answers.push_back(Answer::No);
    ImportWizard wizard(ui, dir.Path(), std::move(*RunImportCommand(ui, dir.Path(), dir / "two.sdx")));
    ASSERT_TRUE(wizard.SetLnbCount(1));
    wizard.SetSatelliteSelected(0, false);
    ASSERT_TRUE(wizard.LeaveSatelliteStep());
    wizard.LeaveCarrierStep();
    ASSERT_TRUE(WriteImportDatabase(ui, wizard, store, session, dir / "out.bin"));
    const auto image = std::get<sdb::SdbImage>(sdb::ParseSdbImage(test::ReadBytes(dir / "out.bin"), store.placement, store.productType));
    ASSERT_EQ(image.satellites.size(), 1u);
    EXPECT_EQ(image.satellites[0].name.Text(), "HOTBIRD___________");
    EXPECT_EQ(image.carriers.size(), 1u);
    EXPECT_EQ(image.carriers[0].satelliteIndex, 0u);
    EXPECT_EQ(image.services.size(), 1u);
}

TEST_F(EndToEnd, FrontRefusesWrongTypes)
{
    test::WriteBytes(dir / "list.sdx", Bytes{'S', 'A', 'T', 'C', 'O', 'D'});
    test::WriteBytes(dir / "list.DVB", Bytes{'D', 'V', 'S', 'O'});
    test::WriteBytes(dir / staging_file::kCarrierFilters, Bytes{1});
    EXPECT_FALSE(RunImportCommand(ui, dir.Path(), dir / "list.sdx"));
    EXPECT_FALSE(RunImportCommand(ui, dir.Path(), dir / "list.DVB"));  // the extension is case-sensitive
    EXPECT_FALSE(RunImportCommand(ui, dir.Path(), dir / "none.sdx"));
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{kInvalidListFile, kInvalidListFile, "Error in Opening File"}));
    EXPECT_FALSE(std::filesystem::exists(dir / staging_file::kCarrierFilters));
    const Bytes sdx{'s', 'a', 't', 'c', 'o', 'd', 'x'};
    EXPECT_EQ(DetectListFormat("a.sdxz", sdx), ListFormat::SatcoDx);
    EXPECT_EQ(DetectListFormat("a.dat", Bytes{':', 'S', 'A', 'T'}), ListFormat::Lyngsat);
}

TEST_F(EndToEnd, NoDatabaseOpenSavesUnderTheListsName)
{
    test::SdxRecord a;
    test::WriteBytes(dir / "astra.sdx", test::JoinSdx({a}, false));
    ui.answers.push_back(Answer::No);
    auto imported = RunImportCommand(ui, dir.Path(), dir / "astra.sdx");
    ASSERT_TRUE(imported);
    ImportWizard wizard(ui, dir.Path(), std::move(*imported));
    ASSERT_TRUE(wizard.SetLnbCount(1));
    ui.files.push_back(std::nullopt);  // the save dialog is cancelled
    ASSERT_EQ(FinishImportWizard(ui, wizard, store, session, false), 1);
    EXPECT_EQ(DefaultBinName("C:\\lists\\astra.sdx"), "C:\\lists\\astra.bin");
    EXPECT_EQ(session.currentFile, dir / "astra.bin");
    EXPECT_TRUE(std::filesystem::exists(dir / "astra.bin"));
    EXPECT_EQ(store.serviceCount, 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / kImportFileName));
    EXPECT_FALSE(std::filesystem::exists(dir / staging_file::kServices));
}

// Cancelled while the list is parsed: no message after the mode question, no staging file left.
TEST_F(EndToEnd, CancelledParseLeavesNoStagingFiles)
{
    std::vector<test::SdxRecord> records(50);
    test::WriteBytes(dir / "big.sdx", test::JoinSdx(records, false));
    std::string lyngsat;
    for (int i = 0; i < 50; ++i)
        lyngsat += ":SAT Astra\n";
    test::WriteBytes(dir / "big.dat", Bytes(lyngsat.begin(), lyngsat.end()));
    std::vector<test::DvbRecord> dvb{test::DvbSatellite("Hotbird-0130.0E")};
    for (std::uint16_t i = 0; i < 50; ++i)
        dvb.push_back(test::DvbChannel("RAI " + std::to_string(i), 11766, i));
    test::WriteBytes(dir / "big.dvb", test::JoinDvb(dvb));
    for (const char* name : {"big.sdx", "big.dat", "big.dvb"}) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        ui.progress.clear();
        ui.cancelAfterSteps = 10;
        ui.answers.push_back(Answer::No);
        EXPECT_FALSE(RunImportCommand(ui, dir.Path(), dir / name));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages.front().icon, Icon::Question);
        EXPECT_EQ(ui.progress.size(), 10u);  // stopped at the first check after the cancel
        for (const auto staged : staging_file::kAll)
            EXPECT_FALSE(std::filesystem::exists(dir / staged)) << staged;
    }
}

TEST_F(EndToEnd, OpenDatabaseReceivesTheImportByMerging)
{
    test::SdxRecord a;
    test::WriteBytes(dir / "first.sdx", test::JoinSdx({a}, false));
    ui.answers.push_back(Answer::No);
    ImportWizard first(ui, dir.Path(), std::move(*RunImportCommand(ui, dir.Path(), dir / "first.sdx")));
    ASSERT_TRUE(first.SetLnbCount(1));
    ui.files.push_back(dir / "db.bin");
    ASSERT_EQ(FinishImportWizard(ui, first, store, session, false), 1);

    test::SdxRecord b;
    b.satellite = "HOTBIRD";
    b.position = "0130";
    b.name = "RAI";
    test::WriteBytes(dir / "second.sdx", test::JoinSdx({b}, false));
    ui.answers.push_back(Answer::No);
    ImportWizard second(ui, dir.Path(), std::move(*RunImportCommand(ui, dir.Path(), dir / "second.sdx")));
    std::vector<LnbRecord> lnbs(1);
    second.StartWithOpenDatabase(lnbs);
    ui.answers.push_back(Answer::Yes);  // whatever the merge asks
    ASSERT_EQ(FinishImportWizard(ui, second, store, session, true), 1);
    EXPECT_EQ(session.currentFile, dir / "db.bin");
    EXPECT_EQ(store.satelliteCount, 2u);
    EXPECT_EQ(store.serviceCount, 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / kImportMergeFileName));
}

}  // namespace
}  // namespace velk
