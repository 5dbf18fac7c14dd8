#include "sample_store.h"

#include "common/bytes.h"
#include "database/record_io.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_reader.h"
#include "sdb/sdb_writer.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace velk::test {
namespace {

using namespace velk::sdb;

// Names as the text before the terminator: old files fill the rest with 0xFF.
template <typename R>
std::vector<R> Plain(std::vector<R> records)
{
    for (auto& r : records)
        r.name = r.name.Text();
    return records;
}

// Saves `from` to `file` and opens the file into a fresh store of the same kind.
struct RoundTrip {
    SampleStore opened;
    ScriptedUi ui;
    int result = 0;

    RoundTrip(SampleStore& from, bool keepNew, bool pad = false)
        : opened(from.store.productType, from.store.placement)
    {
        const auto file = from.dir / "rt.bin";
        EXPECT_EQ(WriteSdbBinFile(from.store, from.session, ui, file, keepNew, pad), 1);
        result = OpenSdbBinFile(opened.store, opened.session, ui, file);
    }
};

TEST(SdbReader, NewLayoutRoundTripGivesTheSameStore)
{
    SampleStore s(2);
    s.FillSample();
    s.session.sdbMajor = 3;
    s.session.sdbMinor = 4;
    s.session.userInitial = "XY";
    s.session.userSettings.type2[5] = 0x42;
    RoundTrip rt(s, true);
    ASSERT_EQ(rt.result, 1);
    auto lnbs = s.Lnbs();
    lnbs[0].word |= 0x80000000u;  // the file's mark stays on
    EXPECT_EQ(rt.opened.Lnbs(), lnbs);
    EXPECT_EQ(rt.opened.Satellites(), s.Satellites());
    EXPECT_EQ(rt.opened.Carriers(), s.Carriers());
    EXPECT_EQ(rt.opened.Services(), s.Services());
    EXPECT_EQ(rt.opened.Osl(), s.Osl());
    EXPECT_EQ(rt.opened.session.sdbMajor, 3);
    EXPECT_EQ(rt.opened.session.sdbMinor, 4);
    EXPECT_EQ(rt.opened.session.userInitial, "XY");
    EXPECT_EQ(rt.opened.session.userSettings.type2[5], 0x42);
    EXPECT_EQ(rt.opened.session.userSettings.type2[193], 2);
    // Carrier order grouped by satellite: B (sat 0), then A and C (sat 1).
    EXPECT_EQ(ReadOrderList(rt.opened.store, "TempCarOSL.stb").value(), (std::vector<std::uint16_t>{1, 0, 2}));
    EXPECT_EQ(rt.ui.progressTitles.back(), kOpeningTitle);
    EXPECT_EQ(rt.ui.progress.back(), 100u);
}

TEST(SdbReader, PlacementTwoRoundTripKeepsCarrierSwitchBlocks)
{
    SampleStore s(1, Placement::Carrier);
    auto c = MakeCarrier("A", 0, 11000, 27500, 0);
    c.switchBlock = SwitchBlock{1, 3, 7, 0, 1, 2, 255, 255};
    s.Fill({MakeLnb(9750, 10600)}, {MakeSatellite("S", 0, 100, 1)}, {c}, {});
    RoundTrip rt(s, false);
    ASSERT_EQ(rt.result, 1);
    EXPECT_EQ(rt.opened.Carriers(), s.Carriers());
}

TEST(SdbReader, OldLayoutRoundTripLosesOnlyWhatTheOldLayoutCannotCarry)
{
    SampleStore s(1);
    s.FillSample();
    s.session.userInitial = "Kym";
    s.session.sdbMajor = 5;
    RoundTrip rt(s, false, true);
    ASSERT_EQ(rt.result, 1);
    // Padding raised the LNB count to 8; old files always open as version 1.0.
    ASSERT_EQ(rt.opened.store.lnbCount, 8u);
    EXPECT_EQ(rt.opened.session.sdbMajor, 1);
    EXPECT_EQ(rt.opened.session.sdbMinor, 0);
    EXPECT_EQ(rt.opened.session.userInitial, "Kym");
    const auto lnb = rt.opened.Lnbs()[0];
    EXPECT_EQ(lnb.word, s.Lnbs()[0].word | 0x80000000u);
    // 22 kHz is not carried: index 3; bytes 6-7 255.
    EXPECT_EQ(lnb.switchBlock, (SwitchBlock{1, 2, 5, 1, 2, 3, 255, 255}));
    // The satellites come back unchanged.
    EXPECT_EQ(Plain(rt.opened.Satellites()), s.Satellites());
    auto carriers = Plain(rt.opened.Carriers());
    // Old files group carriers by satellite (B, A, C) and lose the skew (255).
    ASSERT_EQ(carriers.size(), 3u);
    EXPECT_EQ(carriers[0].name.Text(), "B");
    EXPECT_EQ(carriers[1].name.Text(), "A");
    EXPECT_EQ(carriers[0].skew, 255);
    auto expected = s.Carriers()[1];
    expected.skew = 255;
    EXPECT_EQ(carriers[0], expected);
    // Services move with their carriers (B's first); program numbers count down from the service count.
    const auto services = Plain(rt.opened.Services());
    ASSERT_EQ(services.size(), 3u);
    EXPECT_EQ(services[0].name.Text(), "Three");
    EXPECT_EQ(services[0].programNumber, 3);
    EXPECT_EQ(services[1].programNumber, 2);
    EXPECT_EQ(services[2].programNumber, 1);
    auto one = s.Services()[0];
    one.programNumber = 2;
    // Name- and PID-unchanged flags and flag B are not carried: they read back as 1.
    EXPECT_EQ(services[1], one);
    EXPECT_EQ(services[2].type, kServiceRadio);
    EXPECT_EQ(services[2].scrambled, 1);
    EXPECT_EQ(services[2].favourites, 5);
    // The channel order names the same services: Three, One, Two.
    EXPECT_EQ(rt.opened.Osl(), (std::vector<std::uint16_t>{0, 1, 2}));
}

TEST(SdbReader, HeaderChecksRefuseWithTheirMessages)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto file = s.dir / "h.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, false), 1);
    const auto good = ReadBytes(file);
    struct Case {
        std::size_t offset;
        std::uint8_t value;
        const char* message;
    };
    for (const auto& c : {Case{0, 'x', kMagicMismatch}, Case{5, 1, kMagicMismatch}, Case{2, 2, kMajorVersionInvalid},
                          Case{15, 1, kPlacementMismatch}}) {
        auto bad = good;
        bad[c.offset] = c.value;
        WriteBytes(file, bad);
        SampleStore target;
        ScriptedUi u;
        EXPECT_EQ(OpenSdbBinFile(target.store, target.session, u, file, {OpenMode::Open, false}), 0);
        EXPECT_EQ(u.Texts(), std::vector<std::string>{c.message});
    }
}

TEST(SdbReader, TooManyLnbsForTheProductType)
{
    SampleStore s(2);
    s.FillSample();
    ScriptedUi ui;
    const auto file = s.dir / "l.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, true), 1);
    SampleStore type1(1);
    EXPECT_EQ(OpenSdbBinFile(type1.store, type1.session, ui, file), 0);
    EXPECT_EQ(ui.Texts().back(), "LNB records exceeds the limit 8");
}

TEST(SdbReader, UserBoxCountZeroKeepsTheSettings)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto file = s.dir / "u.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, false), 1);
    auto b = ReadBytes(file);
    const auto userBoxAt = b.size() - 196 - 16;
    StoreLe16(b, userBoxAt + 12, 0);
    b.resize(userBoxAt + 16);
    WriteBytes(file, b);
    SampleStore target;
    target.session.userSettings.type13[0] = 0x99;
    ASSERT_EQ(OpenSdbBinFile(target.store, target.session, ui, file), 1);
    EXPECT_EQ(target.session.userSettings.type13[0], 0x99);
}

TEST(SdbReader, EveryTruncationFailsCleanlyAndLeavesTheStore)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto file = s.dir / "t.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, false), 1);
    const auto good = ReadBytes(file);
    const auto userBoxAt = good.size() - 196 - 16;
    SampleStore target;
    target.FillSample();
    for (std::size_t n = 0; n < good.size(); ++n) {
        if (n == userBoxAt)
            continue;  // ends right before "UserBox": a merged file, valid
        WriteBytes(file, ByteView(good).first(n));
        ScriptedUi u;
        ASSERT_EQ(OpenSdbBinFile(target.store, target.session, u, file), 0) << n;
        ASSERT_EQ(u.messages.size(), 1u) << n;
    }
    EXPECT_EQ(target.Carriers(), s.Carriers());
    EXPECT_EQ(target.store.serviceCount, 3u);
}

TEST(SdbReader, InconsistentRelationsAreRefused)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto file = s.dir / "i.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, false), 1);
    const auto good = ReadBytes(file);
    const std::size_t carriers = 24 + 16 + 8 + 16 + 2 * 28 + 16;
    auto badSat = good;
    badSat[carriers + 8] = 9;  // carrier A of satellite 9
    auto badRuns = good;
    StoreLe16(badRuns, carriers + 6, 5);  // A holds 5 services
    auto badOsl = good;
    StoreLe16(badOsl, carriers + 3 * 36 + 16 + 3 * 32 + 16, 3);
    auto badCount = good;
    badCount[24 + 16 + 8 + 16] = 2;  // Astra claims 2 carriers, 1 points to it
    // Each broken relation is diagnosed at the line of its own check.
    std::set<std::string> diagnosedAt;
    for (const auto& bad : {badSat, badRuns, badOsl, badCount}) {
        WriteBytes(file, bad);
        SampleStore target;
        ScriptedUi u;
        testing::internal::CaptureStderr();
        EXPECT_EQ(OpenSdbBinFile(target.store, target.session, u, file), 0);
        const auto diagnostic = testing::internal::GetCapturedStderr();
        EXPECT_EQ(u.Texts(), std::vector<std::string>{"Error No: -3 \n File Access Error!!!"});
        ASSERT_EQ(diagnostic.rfind("sdb_parser ", 0), 0u) << diagnostic;
        diagnosedAt.insert(diagnostic.substr(0, diagnostic.find('>')));
    }
    EXPECT_EQ(diagnosedAt.size(), 4u);
}

TEST(SdbReader, MissingFileAndEmptyPath)
{
    SampleStore s;
    ScriptedUi ui;
    EXPECT_EQ(OpenSdbBinFile(s.store, s.session, ui, {}), 0);
    EXPECT_EQ(OpenSdbBinFile(s.store, s.session, ui, s.dir / "none.bin", {OpenMode::Open, false}), 0);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Invalid File to Open", "Error No: -3 \n File Access Error!!!"}));
}

TEST(SdbReader, HandedOverTemporaryIsDeletedOnlyWhenAsked)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto file = s.dir / "handed.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, false), 1);
    SampleStore target;
    ASSERT_EQ(OpenSdbBinFile(target.store, target.session, ui, file, {OpenMode::Open, false, false}), 1);
    EXPECT_TRUE(std::filesystem::exists(file));
    ASSERT_EQ(OpenSdbBinFile(target.store, target.session, ui, file, {OpenMode::Open, false, true}), 1);
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace velk::test
