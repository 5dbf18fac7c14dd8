#include "sample_store.h"

#include "sdb/sdb_commands.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk::test {
namespace {

using namespace velk::sdb;

const VersionDialog kConfirm = [](SdbSession&) { return true; };
const VersionDialog kCancel = [](SdbSession&) { return false; };

TEST(SdbVersionDialog, InitialFieldsAndChecks)
{
    SdbSession session;
    const auto fields = VersionDialogFields(session);
    EXPECT_EQ(fields.major, "1");
    EXPECT_EQ(fields.minor, "0");
    EXPECT_EQ(fields.userInitial, "Kym");

    ScriptedUi ui;
    EXPECT_EQ(AcceptVersionDialog({"", "0", "Kym"}, ui, session), VersionField::Major);
    EXPECT_EQ(AcceptVersionDialog({"256", "0", "Kym"}, ui, session), VersionField::Major);
    EXPECT_EQ(AcceptVersionDialog({"1", "", "Kym"}, ui, session), VersionField::Minor);
    EXPECT_EQ(AcceptVersionDialog({"1", "999", "Kym"}, ui, session), VersionField::Minor);
    EXPECT_EQ(AcceptVersionDialog({"1", "2", ""}, ui, session), VersionField::UserInitial);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Major Version should be entered", "Major Version should be less than 256",
                                                    "Minor Version should be entered", "Minor Version should be less than 256",
                                                    "User Initial should be entered"}));
    EXPECT_EQ(session.sdbMajor, 0);
    EXPECT_EQ(AcceptVersionDialog({"255", "x7", "ABCD"}, ui, session), std::nullopt);
    EXPECT_EQ(session.sdbMajor, 255);
    EXPECT_EQ(session.sdbMinor, 0);  // not a number: 0
    EXPECT_EQ(session.userInitial, "ABC");
    EXPECT_EQ(VersionDialogFields(session).major, "255");
}

TEST(SdbSaveCommands, CountChecks)
{
    ScriptedUi ui;
    SampleStore none;
    EXPECT_EQ(SaveCommand(none.store, none.session, ui, kConfirm), 0);
    SampleStore tooMany(1);
    tooMany.Fill(std::vector<LnbRecord>(9, MakeLnb(1, 2)), {MakeSatellite("S", 0, 1, 0)}, {}, {});
    EXPECT_EQ(SaveAsCommand(tooMany.store, tooMany.session, ui, kConfirm), 0);
    SampleStore type2(2);
    type2.Fill(std::vector<LnbRecord>(17, MakeLnb(1, 2)), {MakeSatellite("S", 0, 1, 0)}, {}, {});
    EXPECT_EQ(SaveCommand(type2.store, type2.session, ui, kConfirm), 0);
    SampleStore noSat;
    noSat.Fill({MakeLnb(1, 2)}, {}, {}, {});
    EXPECT_EQ(SaveCommand(noSat.store, noSat.session, ui, kConfirm), 0);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"LNB Information should be entered", "LNB records exceeds the limit 8",
                                                    "LNB records exceeds the limit 16", "Satellite Information should be entered"}));
    EXPECT_TRUE(ui.fileChoices.empty());
}

TEST(SdbSaveCommands, SaveAsksOnceThenUsesTheCurrentFile)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    EXPECT_EQ(SaveCommand(s.store, s.session, ui, kCancel), 0);
    EXPECT_TRUE(ui.fileChoices.empty());
    const auto file = s.dir / "db.bin";
    ui.files = {file};
    ASSERT_EQ(SaveCommand(s.store, s.session, ui, kConfirm), 1);
    EXPECT_EQ(ui.fileChoices.at(0).title, "Save");
    EXPECT_EQ(ui.fileChoices.at(0).defaultExtension, "bin");
    EXPECT_EQ(s.session.currentFile, file);
    EXPECT_EQ(ReadBytes(file)[0], 'S');
    EXPECT_EQ(s.store.lnbCount, 8u);  // padded
    ASSERT_EQ(SaveCommand(s.store, s.session, ui, kConfirm), 1);
    EXPECT_EQ(ui.fileChoices.size(), 1u);
    EXPECT_EQ(SavedCaption(file), "[ " + file.string() + " ]");
}

TEST(SdbSaveCommands, SaveAsKeepsTheCurrentFileAndFailureLeavesTheOldFile)
{
    SampleStore s;
    s.FillSample();
    s.session.currentFile = s.dir / "current.bin";
    WriteText(s.session.currentFile, "old");
    ScriptedUi ui;
    ui.files = {s.dir / "copy.bin"};
    ASSERT_EQ(SaveAsCommand(s.store, s.session, ui, kConfirm), 1);
    EXPECT_EQ(s.session.currentFile, s.dir / "current.bin");
    EXPECT_TRUE(std::filesystem::exists(s.dir / "copy.bin"));

    std::filesystem::remove(s.dir / "TempSER.stb");
    ui.messages.clear();  // the layout question of the first save
    EXPECT_EQ(SaveCommand(s.store, s.session, ui, kConfirm), 0);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Error No: -3 \n File Access Error!!!", "Error No: -11 \n Save as BIN File"}));
    EXPECT_EQ(ReadBytes(s.session.currentFile), (Bytes{'o', 'l', 'd'}));
}

TEST(SdbInformationCommand, TextsAndSizes)
{
    SampleStore s;
    ScriptedUi ui;
    EXPECT_EQ(SdbInformation(s.store, s.session, ui), 0);
    s.Fill({MakeLnb(1, 2)}, {}, {}, {});
    EXPECT_EQ(SdbInformation(s.store, s.session, ui), 0);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"LNB Information should be entered ", "Satellite Information should be entered "}));

    s.FillSample();
    ASSERT_EQ(SdbInformation(s.store, s.session, ui), 1);
    EXPECT_TRUE(s.session.sizeInformation);
    EXPECT_EQ(ui.messages.back().caption, "SDB file information ");
    // 12 + 56 + 108 + 102 + 308 = 586 bytes.
    EXPECT_EQ(ui.messages.back().text,
              " Total  LNBs\t: 1 \n Total  Satellites\t: 2 \n Total  Carriers\t: 3 \n Total  Services\t: 3 \n BIN File Size\t: 586 Bytes ");
    s.store.serviceCount = 100;
    EXPECT_EQ(OldLayoutSize(s.store), 12u + 56 + 108 + 3400 + 308);
    EXPECT_TRUE(FitsSdbUpload(s.store));
    s.store.serviceCount = 1910;  // 65424 bytes, the largest below the limit
    EXPECT_TRUE(FitsSdbUpload(s.store));
    ++s.store.serviceCount;
    EXPECT_FALSE(FitsSdbUpload(s.store));
    s.store.serviceCount = 100;
    EXPECT_EQ(SdbInformationText(s.store).substr(SdbInformationText(s.store).rfind('\n') + 1),
              " BIN File Size\t: 3.79 KB ( 3884 Bytes )");
}

TEST(SdbOpenCommand, AsksClearsAndKeepsThePath)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto file = s.dir / "db.bin";
    ui.files = {file};
    ASSERT_EQ(SaveCommand(s.store, s.session, ui, kConfirm), 1);
    SampleStore other;
    other.session.currentFile = "stale.bin";
    EXPECT_EQ(OpenCommand(other.store, other.session, ui), 0);  // dialog cancelled
    EXPECT_EQ(ui.fileChoices.back().title, "Open");
    ASSERT_EQ(OpenCommand(other.store, other.session, ui, file), 1);
    EXPECT_EQ(other.session.currentFile, file);
    EXPECT_EQ(other.store.lnbCount, 8u);
    EXPECT_EQ(other.store.carrierCount, 3u);
    EXPECT_EQ(OpenCommand(other.store, other.session, ui, s.dir / "missing.bin"), 0);
    EXPECT_TRUE(other.session.currentFile.empty());
    EXPECT_EQ(other.store.carrierCount, 0u);
}

}  // namespace
}  // namespace velk::test
