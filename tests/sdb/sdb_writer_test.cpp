#include "sample_store.h"

#include "common/bytes.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_writer.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk::test {
namespace {

using namespace velk::sdb;

std::string Tag(ByteView b, std::size_t off) { return std::string(reinterpret_cast<const char*>(b.data() + off)); }

void ExpectSectionHeader(ByteView b, std::size_t off, const char* tag, std::uint16_t size, std::uint16_t count)
{
    EXPECT_EQ(Tag(b, off), tag);
    EXPECT_EQ(LoadLe16(b, off + 8), size) << tag;
    EXPECT_EQ(LoadLe16(b, off + 10), 0xFFFF) << tag;
    EXPECT_EQ(LoadLe16(b, off + 12), count) << tag;
    EXPECT_EQ(LoadLe16(b, off + 14), 0xFFFF) << tag;
}

TEST(SdbWriter, NewLayoutBytesOfEveryField)
{
    SampleStore s(3);
    s.FillSample();
    s.session.sdbMajor = 2;
    s.session.sdbMinor = 7;
    s.session.userInitial = "ABC";
    ScriptedUi ui;
    const auto target = s.dir / "out.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, target, true, false), 1);
    const auto b = ReadBytes(target);

    // Header.
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 8), (Bytes{'e', 'E', 1, 0, 0, 0, 6, 0}));
    EXPECT_EQ(b[15], 0);
    EXPECT_EQ(Bytes(b.begin() + 16, b.begin() + 24), (Bytes{'A', 'B', 'C', 0, 2, 7, 0xFF, 0xFF}));
    EXPECT_GE(LoadLe16(b, 10), 2024);

    std::size_t off = 24;
    ExpectSectionHeader(b, off, "lnb", 8, 1);
    off += 16;
    // low 9750, high 10600, type 3, power on, bit 31.
    EXPECT_EQ(LoadLe32(b, off), 0x80000000u | 1u << 30 | 3u << 28 | 10600u << 14 | 9750u);
    // switch {1,2,5,1,2,1}: 1 | 2<<2 | 5<<5 | 1<<10 | 2<<12 | 1<<15 | ones 17-31.
    EXPECT_EQ(LoadLe32(b, off + 4), 0xFFFE0000u | 1u << 15 | 2u << 12 | 1u << 10 | 5u << 5 | 2u << 2 | 1u);
    off += 8;

    ExpectSectionHeader(b, off, "Satelli", 28, 2);
    off += 16;
    EXPECT_EQ(LoadLe32(b, off), 0xFFE00000u | 0u << 13 | 1u);             // Astra: 1 carrier, LNB 0
    EXPECT_EQ(LoadLe32(b, off + 4), 0xE000FE00u | 192u << 17 | 7u);      // position 7, East, 19.2
    EXPECT_EQ(Tag(b, off + 8), "Astra");
    EXPECT_EQ(b[off + 27], 0);
    off += 2 * 28;

    ExpectSectionHeader(b, off, "Carrier", 36, 3);
    off += 16;
    // A: symbol rate 27500, LNB byte of satellite record 1 (0); first service 0, count 2.
    EXPECT_EQ(LoadLe32(b, off), 27500u);
    EXPECT_EQ(LoadLe32(b, off + 4), 2u << 16);
    // sat 1, vertical, FEC 3/4, skew byte 60, ones 24-31.
    EXPECT_EQ(LoadLe32(b, off + 8), 0xFF000000u | 60u << 16 | 3u << 12 | 1u << 10 | 1u);
    EXPECT_EQ(Tag(b, off + 12), "A");
    EXPECT_EQ(LoadLe32(b, off + 32), 11000u);
    // B: first service 2 (after A's two), count 1.
    EXPECT_EQ(LoadLe32(b, off + 36 + 4), 1u << 16 | 2u);
    off += 3 * 36;

    ExpectSectionHeader(b, off, "Service", 32, 3);
    off += 16;
    // One: program 100, carrier 0; PIDs; bytes 21-23 zero and preference 0 set bits 28-31.
    EXPECT_EQ(LoadLe16(b, off), 100);
    EXPECT_EQ(LoadLe16(b, off + 2), 0);
    EXPECT_EQ(LoadLe32(b, off + 4), 0xF0000000u | 650u << 14 | 512u);
    // PCR 8190, TV, not scrambled, flags A, name, PIDs, B.
    EXPECT_EQ(LoadLe32(b, off + 8), 0xFC000000u | 1u << 25 | 1u << 24 | 1u << 23 | 1u << 22 | 1u << 16 | 1u << 14 | 8190u);
    EXPECT_EQ(Tag(b, off + 12), "One");
    // Two: radio, scrambled, favourites 0b0101, still carrier 0.
    EXPECT_EQ(LoadLe16(b, off + 32 + 2), 0);
    EXPECT_EQ(LoadLe32(b, off + 32 + 8) & 0x1FC000u, 5u << 17 | 0u << 16 | 2u << 14);
    // Three belongs to B (carrier record 1).
    EXPECT_EQ(LoadLe16(b, off + 64 + 2), 1);
    off += 3 * 32;

    ExpectSectionHeader(b, off, "OSL", 2, 3);
    EXPECT_EQ(LoadLe16(b, off + 16), 2);
    EXPECT_EQ(LoadLe16(b, off + 18), 0);
    EXPECT_EQ(LoadLe16(b, off + 20), 1);
    off += 16 + 6;

    ExpectSectionHeader(b, off, "UserBox", 196, 1);
    EXPECT_EQ(b[off + 16 + 193], 3);
    EXPECT_EQ(b.size(), off + 16 + 196);
    EXPECT_EQ(s.session.lastFileSize, b.size());
    EXPECT_EQ(ui.progressTitles, std::vector<std::string>{kSavingTitle});
}

TEST(SdbWriter, PaddingToFullTablesForProductType2)
{
    SampleStore s(2);
    s.Fill({MakeLnb(9750, 10600)}, {MakeSatellite("Astra", 0, 192, 0)}, {}, {});
    ScriptedUi ui;
    const auto target = s.dir / "pad.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, target, true, true), 1);
    EXPECT_EQ(s.store.lnbCount, 16u);
    EXPECT_EQ(s.store.satelliteCount, 64u);
    const auto b = ReadBytes(target);
    ExpectSectionHeader(b, 24, "lnb", 8, 16);
    for (std::size_t i = 1; i < 16; ++i) {
        EXPECT_EQ(LoadLe32(b, 40 + 8 * i), kPaddingLnbWord);
        EXPECT_EQ(LoadLe32(b, 44 + 8 * i), kPaddingSwitchWord);
    }
    const std::size_t sats = 40 + 16 * 8;
    ExpectSectionHeader(b, sats, "Satelli", 28, 64);
    for (std::size_t i = 1; i < 64; ++i) {
        const auto rec = sats + 16 + 28 * i;
        EXPECT_EQ(LoadLe32(b, rec), 0u);
        EXPECT_EQ(LoadLe32(b, rec + 4), 0x100u);
        EXPECT_EQ(Tag(b, rec), "");
        EXPECT_EQ(Tag(b, rec + 8), "----");
    }
    // Empty carrier, service and channel-order sections.
    const auto car = sats + 16 + 64 * 28;
    ExpectSectionHeader(b, car, "Carrier", 36, 0);
    ExpectSectionHeader(b, car + 16, "Service", 32, 0);
    ExpectSectionHeader(b, car + 32, "OSL", 2, 0);
    ExpectSectionHeader(b, car + 48, "UserBox", 196, 1);
    // A second save with the raised counts writes the same padding.
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, s.dir / "again.bin", true, true), 1);
    const auto again = ReadBytes(s.dir / "again.bin");
    EXPECT_TRUE(std::equal(b.begin() + 24, b.end(), again.begin() + 24, again.end()));
}

TEST(SdbWriter, PaddingForProductType1StopsAtEightLnbsAndKeepsSatellites)
{
    SampleStore s(1);
    s.FillSample();
    ScriptedUi ui;
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, s.dir / "p.bin", true, true), 1);
    EXPECT_EQ(s.store.lnbCount, 8u);
    EXPECT_EQ(s.store.satelliteCount, 2u);
}

TEST(SdbWriter, SizeInformationFlagChangesTheTitleOnceAndIsCleared)
{
    SampleStore s;
    s.FillSample();
    s.session.sizeInformation = true;
    ScriptedUi ui;
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, s.dir / "a.bin", true, false), 1);
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, s.dir / "a.bin", true, false), 1);
    EXPECT_EQ(ui.progressTitles, (std::vector<std::string>{kSizingTitle, kSavingTitle}));
    EXPECT_FALSE(s.session.sizeInformation);
}

TEST(SdbWriter, MissingRecordFileFailsAndLeavesTheTargetUntouched)
{
    SampleStore s;
    s.FillSample();
    std::filesystem::remove(s.dir / "TempCAR.stb");
    const auto target = s.dir / "keep.bin";
    WriteText(target, "previous");
    ScriptedUi ui;
    EXPECT_EQ(WriteSdbBinFile(s.store, s.session, ui, target, false, true), 0);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Error No: -3 \n File Access Error!!!"});
    EXPECT_EQ(ReadBytes(target), (Bytes{'p', 'r', 'e', 'v', 'i', 'o', 'u', 's'}));
}

TEST(SdbWriter, UnwritableTargetReportsFileAccessError)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    EXPECT_EQ(WriteSdbBinFile(s.store, s.session, ui, s.dir / "no" / "such" / "x.bin", true, false), 0);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Error No: -3 \n File Access Error!!!"});
}

TEST(SdbWriter, PlacementOneIsSavedInTheNewLayoutWithSwitchWords)
{
    SampleStore s(1, Placement::Satellite);
    auto sat = MakeSatellite("Astra", 0, 192, 0);
    sat.switchBlock = SwitchBlock{2, 4, 16, 2, 0, 2, 255, 255};
    s.Fill({MakeLnb(9750, 10600)}, {sat}, {}, {});
    ScriptedUi ui;
    const auto target = s.dir / "p1.bin";
    ASSERT_EQ(WriteSdbBinFile(s.store, s.session, ui, target, false, false), 1);
    const auto b = ReadBytes(target);
    EXPECT_EQ(b[0], 'e');
    EXPECT_EQ(b[15], 1);
    ExpectSectionHeader(b, 24, "lnb", 4, 1);
    ExpectSectionHeader(b, 44, "Satelli", 32, 1);
    EXPECT_EQ(LoadLe32(b, 60 + 28), kPaddingSwitchWord);
}

TEST(SdbWriter, SelectionWritesChosenSatellitesRenumbered)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto target = s.dir / "sel.bin";
    const std::vector<std::uint32_t> selected{1};
    ASSERT_EQ(WriteSdbSelection(s.store, s.session, ui, target, selected), 1);
    const auto b = ReadBytes(target);
    ASSERT_EQ(b[0], 'S');
    // Old layout: 8 LNB... only the one LNB record of the store is written (no padding).
    std::size_t off = 16;
    ExpectSectionHeader(b, off, "lnb", 12, 1);
    off += 16 + 12;
    ExpectSectionHeader(b, off, "Satelli", 28, 1);
    EXPECT_EQ(Tag(b, off + 16 + 8), "Hotbird");
    off += 16 + 28;
    ExpectSectionHeader(b, off, "Carrier", 36, 2);
    EXPECT_EQ(Tag(b, off + 16 + 12), "A");
    EXPECT_EQ(LoadLe32(b, off + 16 + 8) & 0x3FF, 0u);  // satellite renumbered to 0
    EXPECT_EQ(Tag(b, off + 16 + 36 + 12), "C");
    off += 16 + 72;
    ExpectSectionHeader(b, off, "Service", 32, 2);
    EXPECT_EQ(Tag(b, off + 16 + 8), "One");
    EXPECT_EQ(Tag(b, off + 48 + 8), "Two");
    off += 16 + 64;
    ExpectSectionHeader(b, off, "OSL", 2, 2);
    EXPECT_EQ(LoadLe16(b, off + 16), 0);
    EXPECT_EQ(LoadLe16(b, off + 18), 1);
}

}  // namespace
}  // namespace velk::test
