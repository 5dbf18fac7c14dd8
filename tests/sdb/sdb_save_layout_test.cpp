#include "sample_store.h"

#include "database/record_io.h"
#include "sdb/sdb_commands.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_old_layout.h"
#include "sdb/sdb_content.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_save_layout.h"
#include "sdb/sdb_writer.h"
#include "support/scripted_ui.h"
#include "support/shown_database.h"

#include <gtest/gtest.h>

#include <map>

namespace velk::test {
namespace {

using namespace velk::sdb;

const VersionDialog kConfirm = [](SdbSession&) { return true; };

SdbImage Shown(const SampleStore& s) { return ShownDatabase(s.store); }

// Carrier name -> the names of its services, in run order.
std::map<std::string, std::vector<std::string>> ServicesByCarrier(const SdbImage& shown)
{
    std::map<std::string, std::vector<std::string>> out;
    std::size_t next = 0;
    for (const auto& c : shown.carriers)
        for (std::uint16_t i = 0; i < c.serviceCount && next < shown.services.size(); ++i)
            out[c.name.Text()].push_back(shown.services[next++].name.Text());
    return out;
}

void ExpectSameContent(const SdbImage& a, const SdbImage& b)
{
    EXPECT_EQ(a.lnbs, b.lnbs);
    EXPECT_EQ(a.satellites, b.satellites);
    EXPECT_EQ(a.carriers, b.carriers);
    EXPECT_EQ(a.services, b.services);
    EXPECT_EQ(a.osl, b.osl);
}

// Saves with Save (padded) in `layout`, answering the layout question with
// `answer` when it comes, and opens the file into a fresh store.
struct SavedAndReopened {
    ScriptedUi ui;
    SampleStore reopened;
    int saved = 0;

    SavedAndReopened(SampleStore& s, const SaveLayoutChoice& choice, Answer answer = Answer::Yes)
        : reopened(s.store.productType, s.store.placement)
    {
        s.session.currentFile = s.dir / "db.bin";
        ui.answers.push_back(answer);
        saved = SaveCommand(s.store, s.session, ui, kConfirm, choice);
        if (saved == 1)
            EXPECT_EQ(OpenSdbBinFile(reopened.store, reopened.session, ui, s.session.currentFile), 1);
    }
};

TEST(SdbOldLayout, EveryServiceStaysWithItsCarrier)
{
    // Carriers A (satellite 1), B (satellite 0), C (satellite 1): the old file
    // lists B first, so its services must come first too.
    SampleStore s(1);
    s.FillSample();
    const auto before = ServicesByCarrier(Shown(s));
    ScriptedUi ui;
    const auto file = s.dir / "old.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, false, false), 1);
    SampleStore reopened(1);
    ASSERT_EQ(OpenSdbBinFile(reopened.store, reopened.session, ui, file), 1);
    EXPECT_EQ(ServicesByCarrier(Shown(reopened)), before);
    EXPECT_EQ(before.at("A"), (std::vector<std::string>{"One", "Two"}));
    // The channel order names the same services: Three, One, Two.
    const auto shown = Shown(reopened);
    std::vector<std::string> channels;
    for (const auto entry : shown.osl)
        channels.push_back(shown.services.at(entry).name.Text());
    EXPECT_EQ(channels, (std::vector<std::string>{"Three", "One", "Two"}));
}

TEST(SdbOldLayout, GroupedFileConvertsToTheSameBytesAsThePlainConversion)
{
    SampleStore s(1);
    auto v1 = MakeService("V1", 1);
    s.Fill({MakeLnb(9750, 10600)}, {MakeSatellite("S0", 0, 10, 2), MakeSatellite("S1", 0, 20, 1)},
           {MakeCarrier("A", 0, 11000, 27500, 1), MakeCarrier("B", 0, 11100, 27500, 0), MakeCarrier("C", 1, 11200, 27500, 0)},
           {v1});
    const auto content = ContentFromStore(s.store, s.session);
    ASSERT_TRUE(content);
    const auto image = EncodeNewLayout(*content, HeaderForSave(s.session));
    EXPECT_EQ(GroupedBySatellite(image), image);
    EXPECT_EQ(OldLayoutOfImage(image, 1), ConvertNew2Old(image, 1));
}

TEST(SdbLayoutCheck, NamesWhatTheOldLayoutLosesAndNothingOnceReopened)
{
    SampleStore s(1);
    s.FillSample();
    ScriptedUi ui;
    const auto loss = OldLayoutLossOfStore(ui, s.store, s.session);
    ASSERT_TRUE(loss);
    EXPECT_EQ(loss->programNumbers, 3u);
    EXPECT_EQ(loss->khz22Settings, 1u);
    EXPECT_EQ(loss->skews, 3u);
    EXPECT_EQ(loss->otherRecords, 0u);
    const auto text = OldLayoutWarning(*loss);
    EXPECT_NE(text.find("3 program numbers"), std::string::npos) << text;
    EXPECT_NE(text.find("1 22 kHz setting (reset"), std::string::npos) << text;
    EXPECT_NE(text.find("3 carrier skews"), std::string::npos) << text;
    EXPECT_EQ(text.find("other"), std::string::npos) << text;

    // An edited name mark is a value the old layout drops too.
    auto services = s.Services();
    services[0].nameUnchanged = 0;
    ASSERT_TRUE(WriteAllRecords<ServiceRecord>(s.store, services));
    EXPECT_EQ(OldLayoutLossOfStore(ui, s.store, s.session)->otherRecords, 1u);

    // A database that came from an old file loses nothing more.
    const auto file = s.dir / "old.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, false, false), 1);
    SampleStore reopened(1);
    ASSERT_EQ(OpenSdbBinFile(reopened.store, reopened.session, ui, file), 1);
    EXPECT_FALSE(OldLayoutLossOfStore(ui, reopened.store, reopened.session)->Any());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(SdbSaveLayout, TheAnswerChoosesTheLayoutAndCancelSavesNothing)
{
    SampleStore s(1);
    s.FillSample();
    ScriptedUi ui;
    const SaveLayoutChoice ask;
    ui.answers = {Answer::Yes, Answer::No, Answer::Cancel};
    EXPECT_EQ(ChooseSaveLayout(s.store, s.session, ui, ask), SdbLayout::Old);
    EXPECT_EQ(ChooseSaveLayout(s.store, s.session, ui, ask), SdbLayout::New);
    EXPECT_EQ(ChooseSaveLayout(s.store, s.session, ui, ask), std::nullopt);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(ui.messages[0].text, OldLayoutQuestion(*OldLayoutLossOfStore(ui, s.store, s.session)));

    // The preference decides without a question.
    EXPECT_EQ(ChooseSaveLayout(s.store, s.session, ui, {SdbLayout::New, true}), SdbLayout::New);
    EXPECT_EQ(ChooseSaveLayout(s.store, s.session, ui, {SdbLayout::Old, false}), SdbLayout::Old);
    EXPECT_EQ(ui.messages.size(), 3u);

    // Cancelled: neither the file nor the store changes.
    SavedAndReopened cancelled(s, ask, Answer::Cancel);
    EXPECT_EQ(cancelled.saved, 0);
    EXPECT_FALSE(std::filesystem::exists(s.session.currentFile));
    EXPECT_EQ(s.store.lnbCount, 1u);
}

// Save -> reopen gives what the editor shows after the save, for every
// placement, product type and layout; the old layout differs only in what it
// cannot keep, and only because the user said so.
TEST(SdbSaveLayout, ReopenedDatabaseEqualsTheSavedOne)
{
    struct Case {
        std::uint8_t productType;
        Placement placement;
        Answer answer;  // to the layout question
        bool oldLayout;
    };
    const Case cases[] = {
        {1, Placement::Lnb, Answer::No, false},       {1, Placement::Lnb, Answer::Yes, true},
        {2, Placement::Lnb, Answer::No, false},       {2, Placement::Lnb, Answer::Yes, true},
        {1, Placement::Satellite, Answer::Yes, false}, {2, Placement::Satellite, Answer::Yes, false},
        {1, Placement::Carrier, Answer::Yes, false},   {2, Placement::Carrier, Answer::Yes, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int{c.productType} << " placement " << int(c.placement)
                                        << (c.oldLayout ? " old" : " new"));
        SampleStore s(c.productType, c.placement);
        s.FillSample();
        SavedAndReopened rt(s, {}, c.answer);
        ASSERT_EQ(rt.saved, 1);
        // Padding: full LNB table, and 64 satellites for product type 2.
        EXPECT_EQ(s.store.lnbCount, c.productType == 2 ? 16u : 8u);
        EXPECT_EQ(s.store.satelliteCount, c.productType == 2 ? 64u : 2u);
        auto kept = Shown(s);
        if (c.oldLayout)
            DropWhatTheOldLayoutCannotKeep(kept);
        ExpectSameContent(Shown(rt.reopened), kept);
        // Only the old layout with values to lose asks.
        EXPECT_EQ(rt.ui.messages.size(), c.placement == Placement::Lnb ? 1u : 0u);
    }
}

TEST(SdbSaveLayout, PaddingRecordsAreThoseTheFileGivesBack)
{
    SampleStore s(2);
    s.FillSample();
    SavedAndReopened rt(s, {SdbLayout::New, true});
    ASSERT_EQ(rt.saved, 1);
    const auto lnbs = s.Lnbs();
    ASSERT_EQ(lnbs.size(), 16u);
    EXPECT_EQ(lnbs[1].LowMhz(), 9750u);
    EXPECT_EQ(lnbs[1].HighMhz(), 10600u);
    EXPECT_EQ(lnbs[1].Type(), 2u);
    EXPECT_EQ(lnbs[15].switchBlock, (SwitchBlock{2, 4, 16, 2, 0, 2, 255, 255}));
    const auto satellites = s.Satellites();
    ASSERT_EQ(satellites.size(), 64u);
    EXPECT_EQ(satellites[63].name.Text(), "----");
    EXPECT_EQ(satellites[63].factoryDefault, 1);
    // A second save writes the same records again.
    SavedAndReopened again(s, {SdbLayout::New, true});
    ExpectSameContent(Shown(again.reopened), Shown(s));
}

}  // namespace
}  // namespace velk::test
