#include "sample_store.h"

#include "common/bytes.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_merge.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk::test {
namespace {

using namespace velk::sdb;

std::filesystem::path SaveNew(SampleStore& s, const char* name)
{
    ScriptedUi ui;
    const auto file = s.dir / name;
    EXPECT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, false), 1);
    return file;
}

SdbImage Parse(const std::filesystem::path& file)
{
    auto parsed = ParseSdbImage(ReadBytes(file), Placement::Lnb, 1);
    EXPECT_TRUE(std::holds_alternative<SdbImage>(parsed));
    return std::get<SdbImage>(parsed);
}

std::vector<std::string> Names(const auto& records)
{
    std::vector<std::string> names;
    for (const auto& r : records)
        names.push_back(r.name.Text());
    return names;
}

struct TwoFiles {
    SampleStore one, two;
    std::filesystem::path f1, f2, out;

    TwoFiles(const char* sharedName = "Shared")
    {
        one.session.userInitial = "ONE";
        one.session.sdbMajor = 4;
        one.Fill({MakeLnb(9750, 10600)}, {MakeSatellite("Astra", 0, 192, 1), MakeSatellite(sharedName, 0, 130, 1)},
                 {MakeCarrier("A1", 0, 11000, 27500, 1), MakeCarrier("S1", 1, 12000, 27500, 2)},
                 {MakeService("a1", 1), MakeService("s1a", 2), MakeService("s1b", 3)}, {2, 1, 0});
        two.Fill({MakeLnb(9750, 10600), MakeLnb(5150, 5750)}, {MakeSatellite("shared", 0, 130, 1)},
                 {MakeCarrier("S2", 0, 10900, 22000, 1)}, {MakeService("s2", 9)});
        f1 = SaveNew(one, "f1.bin");
        f2 = SaveNew(two, "f2.bin");
        out = one.dir / "out.bin";
    }
};

TEST(SdbMerge, DuplicateAnsweredYesKeepsFile1CopyAndRenumbersCarriers)
{
    TwoFiles t;
    ScriptedUi ui;
    ui.answers = {Answer::No, Answer::Yes};  // keep File 1's LNBs; keep File 1's "Shared"
    ASSERT_EQ(MergeSdbFiles(ui, {t.f1, t.f2, t.out, Placement::Lnb}), kMergeDone);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "File2 Bin File have more LNB records.\nDo you want to overwrite the LNB Record.");
    EXPECT_EQ(ui.messages[1].text,
              "File1 and File2 are having \"Shared\" Satellite.\nDetails\nFile1 -> Total Carrier(s) : 1\n"
              "File2 -> Total Carrier(s) : 1\nClick \"YES\" to copy File1 Shared\nClick \"NO\" to copy File2 Shared.");
    const auto b = ReadBytes(t.out);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 24),
              (Bytes{'e', 'E', 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 'O', 'N', 'E', 0, 4, 0, 0, 0}));
    const auto image = Parse(t.out);
    EXPECT_EQ(image.lnbs.size(), 1u);
    EXPECT_EQ(Names(image.satellites), (std::vector<std::string>{"Astra", "Shared"}));
    EXPECT_EQ(Names(image.carriers), (std::vector<std::string>{"A1", "S1"}));
    EXPECT_EQ(Names(image.services), (std::vector<std::string>{"a1", "s1a", "s1b"}));
    // A satellite was dropped: the channel order is the record order.
    EXPECT_EQ(image.osl, (std::vector<std::uint16_t>{0, 1, 2}));
    EXPECT_FALSE(image.userBox);
}

TEST(SdbMerge, DuplicateAnsweredNoKeepsFile2CopyWithCarrierIndexesOfTheOutput)
{
    TwoFiles t;
    ScriptedUi ui;
    ui.answers = {Answer::Yes, Answer::No};  // File 2's LNBs; File 2's "shared"
    ASSERT_EQ(MergeSdbFiles(ui, {t.f1, t.f2, t.out, Placement::Lnb}), kMergeDone);
    const auto image = Parse(t.out);
    EXPECT_EQ(image.lnbs.size(), 2u);
    EXPECT_EQ(Names(image.satellites), (std::vector<std::string>{"Astra", "shared"}));
    EXPECT_EQ(Names(image.carriers), (std::vector<std::string>{"A1", "S2"}));
    EXPECT_EQ(image.carriers[1].satelliteIndex, 1);
    EXPECT_EQ(Names(image.services), (std::vector<std::string>{"a1", "s2"}));
    // Carrier index of each service renumbered to the output, first-service index too.
    const auto b = ReadBytes(t.out);
    const std::size_t car = 24 + 16 + 2 * 8 + 16 + 2 * 28 + 16;
    EXPECT_EQ(LoadLe32(b, car + 36 + 4) & 0xFFFF, 1u);
    const std::size_t ser = car + 2 * 36 + 16;
    EXPECT_EQ(LoadLe16(b, ser + 2), 0);
    EXPECT_EQ(LoadLe16(b, ser + 32 + 2), 1);
    EXPECT_EQ(LoadLe16(b, ser + 32), 9);  // program number copied
}

TEST(SdbMerge, WithoutDuplicatesEverythingIsKeptAndChannelOrdersJoin)
{
    TwoFiles t("Other");
    ScriptedUi ui;
    ui.answers = {Answer::No};
    ASSERT_EQ(MergeSdbFiles(ui, {t.f1, t.f2, t.out, Placement::Lnb}), kMergeDone);
    EXPECT_EQ(ui.messages.size(), 1u);
    const auto image = Parse(t.out);
    EXPECT_EQ(Names(image.satellites), (std::vector<std::string>{"Astra", "Other", "shared"}));
    EXPECT_EQ(image.carriers[2].satelliteIndex, 2);
    EXPECT_EQ(image.osl, (std::vector<std::uint16_t>{2, 1, 0, 3}));
}

TEST(SdbMerge, EqualLnbCountsAskTheEqualQuestion)
{
    TwoFiles t;
    ScriptedUi ui;
    ASSERT_EQ(MergeSdbFiles(ui, {t.f1, t.f1, t.out, Placement::Lnb}), kMergeDone);
    EXPECT_EQ(ui.messages[0].text, "Bin Files have equal number of LNB records.\nDo you want to copy File2 LNB Records.");
}

TEST(SdbMerge, ResultCodes)
{
    TwoFiles t;
    ScriptedUi ui;
    const auto old = t.one.dir / "old.bin";
    ASSERT_EQ(WriteSdbBinFile(t.one.store, t.one.session, ui, old, false, false), 1);
    EXPECT_EQ(MergeSdbFiles(ui, {t.one.dir / "none", t.f2, t.out}), kMergeInputNotOpened);
    EXPECT_EQ(MergeSdbFiles(ui, {old, t.f2, t.out}), kMergeFile1Magic);
    EXPECT_EQ(MergeSdbFiles(ui, {t.f1, old, t.out}), kMergeFile2Magic);
    EXPECT_EQ(MergeSdbFiles(ui, {t.f1, t.f2, t.out, Placement::Satellite}), kMergePlacementDiffers);
    EXPECT_EQ(MergeSdbFiles(ui, {t.f1, t.f2, t.one.dir / "no" / "x.bin"}), kMergeOutputNotCreated);
    auto v = ReadBytes(t.f2);
    v[3] = 1;
    WriteBytes(t.one.dir / "v.bin", v);
    EXPECT_EQ(MergeSdbFiles(ui, {t.f1, t.one.dir / "v.bin", t.out}), kMergeOldVersion);
    v = ReadBytes(t.f2);
    StoreLe16(v, 6, 4);
    WriteBytes(t.one.dir / "v.bin", v);
    EXPECT_EQ(MergeSdbFiles(ui, {t.f1, t.one.dir / "v.bin", t.out}), kMergeOldVersion);
    v = ReadBytes(t.f2);
    v.resize(100);
    WriteBytes(t.one.dir / "v.bin", v);
    EXPECT_EQ(MergeSdbFiles(ui, {t.f1, t.one.dir / "v.bin", t.out}), kMergeInputNotOpened);
    EXPECT_FALSE(std::filesystem::exists(t.out));
    EXPECT_EQ(MergeResultMessage(kMergeFile2Magic, "a", "b", "c"), "Invalid static bin - b. \nMajic Id mismatch. ");
    EXPECT_EQ(MergeResultMessage(kMergeDone, "a", "b", "c"), "Static bin file's are merged successfully. \nOutput file ( c ) created.");
    EXPECT_EQ(MergeResultMessage(kMergeOutputNotCreated, "a", "b", "c"), "Unable to open the output file - c ");
}

TEST(SdbMerge, MergeButtonChecksPaths)
{
    TwoFiles t;
    ScriptedUi ui;
    WriteText(t.one.dir / "empty.bin", "");
    EXPECT_EQ(MergeButton(ui, t.one.dir / "none", t.f2, Placement::Lnb), -1);
    EXPECT_EQ(MergeButton(ui, t.f1, t.one.dir / "empty.bin", Placement::Lnb), -1);
    EXPECT_EQ(MergeButton(ui, t.f1, t.f2, Placement::Lnb), -1);  // save dialog cancelled
    ui.files = {t.out};
    EXPECT_EQ(MergeButton(ui, t.f1, t.f2, Placement::Lnb), kMergeDone);
    const auto texts = ui.Texts();
    EXPECT_EQ(texts[0], "Static binary file does not exist or invalid path.");
    EXPECT_EQ(texts[1], "Static binary file does not contains any data to merge.");
    EXPECT_EQ(ui.fileChoices[0].title, "Save Bin File as");
    EXPECT_EQ(texts.back(), MergeResultMessage(kMergeDone, t.f1, t.f2, t.out));
}

TEST(SdbMerge, ReaderMergeModeMergesIntoTheCurrentOldLayoutFile)
{
    TwoFiles t("Other");
    ScriptedUi ui;
    // The current file is saved in the old layout, as Save does.
    t.one.session.currentFile = t.one.dir / "current.bin";
    ASSERT_EQ(WriteSdbBinFile(t.one.store, t.one.session, ui, t.one.session.currentFile, false, false), 1);
    const auto settings = t.one.session.userSettings.type13;
    ASSERT_EQ(OpenSdbBinFile(t.one.store, t.one.session, ui, t.f2, {OpenMode::Merge}), 1);
    EXPECT_EQ(t.one.store.satelliteCount, 3u);
    EXPECT_EQ(t.one.store.serviceCount, 4u);
    EXPECT_EQ(t.one.session.userSettings.type13, settings);
    EXPECT_EQ(ReadBytes(t.one.session.currentFile)[0], 'e');
    EXPECT_FALSE(std::filesystem::exists(t.one.dir / "outputSDXBIN.bin"));
}

}  // namespace
}  // namespace velk::test
