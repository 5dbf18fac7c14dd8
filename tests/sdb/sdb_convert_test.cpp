#include "sample_store.h"

#include "common/bytes.h"
#include "sdb/sdb_convert.h"
#include "sdb/sdb_format.h"
#include "sdb/sdb_writer.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace velk::test {
namespace {

using namespace velk::sdb;

std::string Tag(ByteView b, std::size_t off) { return std::string(reinterpret_cast<const char*>(b.data() + off)); }

Bytes NewLayoutOf(SampleStore& s, bool pad = false)
{
    ScriptedUi ui;
    const auto file = s.dir / "new.bin";
    EXPECT_EQ(WriteSdbBinFile(s.store, s.session, ui, file, true, pad), 1);
    return ReadBytes(file);
}

TEST(SdbConvertNew2Old, OldLayoutBytesWithCarrierRegrouping)
{
    SampleStore s(1);
    s.FillSample();
    s.session.userInitial = "Kym";
    const auto in = NewLayoutOf(s);
    const auto out = ConvertNew2Old(in, 1).value();
    EXPECT_EQ(out.size(), in.size() + 64);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 16), (Bytes{'S', 'B', 0xFF, 0xFF, 4, 0, 0, 0, 'K', 'y', 'm', 0xFF, 6, 0, 0xFF, 0xFF}));

    std::size_t off = 16;
    EXPECT_EQ(Tag(out, off), "lnb");
    EXPECT_EQ(LoadLe16(out, off + 8), 12);
    off += 16;
    // type 3, power, 12 V, DiSEqC 1.0 "3", DiSEqC 1.1 6, tone B, repeat 2, ones 20-31.
    EXPECT_EQ(LoadLe32(out, off), 0xFFF00000u | 2u << 17 | 1u << 15 | 5u << 10 | 2u << 7 | 1u << 5 | 1u << 4 | 3u << 2);
    EXPECT_EQ(LoadLe32(out, off + 4), 9750u);
    EXPECT_EQ(LoadLe32(out, off + 8), 10600u);
    off += 12;

    off += 16;
    // Astra: first carrier 0, 1 carrier; Hotbird: first carrier 1, 2 carriers.
    EXPECT_EQ(LoadLe32(out, off), 1u << 16);
    EXPECT_EQ(LoadLe32(out, off + 4), 0xE0000000u | 192u << 17 | 0u << 9 | 7u);
    EXPECT_EQ(Tag(out, off + 8), "Astra");
    EXPECT_EQ(out[off + 8 + 6], 0xFF);  // 0xFF after the terminator
    EXPECT_EQ(LoadLe32(out, off + 28), 2u << 16 | 1u);
    off += 2 * 28;

    off += 16;
    // Carriers grouped by satellite: B, A, C.
    EXPECT_EQ(Tag(out, off + 12), "B");
    EXPECT_EQ(Tag(out, off + 36 + 12), "A");
    EXPECT_EQ(Tag(out, off + 72 + 12), "C");
    // A keeps the new file's first service index (0) and count 2.
    EXPECT_EQ(LoadLe32(out, off + 36 + 4), 2u << 16);
    // A: sat 1, vertical, FEC 3 at bits 14-16, ones 18-31.
    EXPECT_EQ(LoadLe32(out, off + 36 + 8), 0xFFFC0000u | 3u << 14 | 1u << 10 | 1u);
    off += 3 * 36;

    off += 16;
    // Services of A point to old position 1, the service of B to 0.
    EXPECT_EQ(LoadLe32(out, off) & 0xFFFF, 1u);
    EXPECT_EQ(LoadLe32(out, off + 32) & 0xFFFF, 1u);
    EXPECT_EQ(LoadLe32(out, off + 64) & 0xFFFF, 0u);
    // Word 0: video 512 at 16, flag A at 31; word 7: audio, PCR, not scrambled, not preferred, TV.
    EXPECT_EQ(LoadLe32(out, off), 1u << 31 | 512u << 16 | 1u);
    EXPECT_EQ(LoadLe32(out, off + 4), 0u);
    EXPECT_EQ(Tag(out, off + 8), "One");
    EXPECT_EQ(LoadLe32(out, off + 28), 0u << 30 | 1u << 29 | 1u << 28 | 8190u << 14 | 650u);
    // Two: radio (type - 1 = 1), scrambled, favourites 5.
    EXPECT_EQ(LoadLe32(out, off + 32 + 4), 5u);
    EXPECT_EQ(LoadLe32(out, off + 32 + 28) >> 28, 0b0110u);
    off += 3 * 32;

    EXPECT_EQ(Tag(out, off), "OSL");
    EXPECT_EQ(LoadLe16(out, off + 16), 2);
    off += 16 + 6;
    EXPECT_EQ(Tag(out, off), "UserBox");
    off += 16 + 196;
    // Size: 12 L + 28 S + 36 C + 34 N + 308, then 72 - 4 L bytes of 0xFF.
    EXPECT_EQ(off, 12u * 1 + 28 * 2 + 36 * 3 + 34 * 3 + 308);
    EXPECT_EQ(out.size() - off, 72u - 4);
    EXPECT_TRUE(std::all_of(out.begin() + static_cast<std::ptrdiff_t>(off), out.end(), [](auto b) { return b == 0xFF; }));
}

TEST(SdbConvertNew2Old, FillerLengthFollowsTheLnbCount)
{
    for (const std::uint8_t type : {1, 2}) {
        SampleStore s(type);
        s.FillSample();
        const auto in = NewLayoutOf(s, true);
        const auto out = ConvertNew2Old(in, type).value();
        const std::size_t lnbs = type == 2 ? 16 : 8;
        const std::size_t sats = type == 2 ? 64 : 2;
        const std::size_t size = 12 * lnbs + 28 * sats + 36 * 3 + 34 * 3 + 308;
        EXPECT_EQ(out.size(), size + (type == 2 ? 8u : 40u));
    }
}

TEST(SdbConvertNew2Old, SameInputGivesTheSameOutputAndOldInputPassesThrough)
{
    SampleStore s;
    s.FillSample();
    auto in = NewLayoutOf(s);
    const auto first = ConvertNew2Old(in, 1).value();
    in[8] ^= 0x55;  // another save date
    EXPECT_EQ(ConvertNew2Old(in, 1).value(), first);
    EXPECT_EQ(ConvertNew2Old(first, 1).value(), first);
}

TEST(SdbConvertNew2Old, LnbIndexAtOrAboveTheLimitBecomesZero)
{
    SampleStore s(1);
    s.Fill({MakeLnb(9750, 10600)}, {MakeSatellite("S", 9, 100, 0), MakeSatellite("T", 7, 100, 0)}, {}, {});
    const auto out = ConvertNew2Old(NewLayoutOf(s), 1).value();
    const std::size_t sats = 16 + 16 + 12 + 16;
    EXPECT_EQ((LoadLe32(out, sats + 4) >> 9) & 0x7F, 0u);
    EXPECT_EQ((LoadLe32(out, sats + 28 + 4) >> 9) & 0x7F, 7u);
}

TEST(SdbConvertNew2Old, StructureFailures)
{
    SampleStore s;
    s.FillSample();
    const auto good = NewLayoutOf(s);
    for (std::size_t n = 0; n < good.size(); ++n)
        if (n != 0 && n != 1)
            EXPECT_FALSE(ConvertNew2Old(ByteView(good).first(n), 1)) << n;
    // Carrier section before the satellite section.
    auto swapped = good;
    std::copy_n("Carrier", 8, swapped.begin() + 24 + 16 + 8);
    EXPECT_FALSE(ConvertNew2Old(swapped, 1));
    // Placement 1 files cannot become old files.
    SampleStore p1(1, Placement::Satellite);
    p1.Fill({MakeLnb(9750, 10600)}, {MakeSatellite("S", 0, 1, 0)}, {}, {});
    EXPECT_FALSE(ConvertNew2Old(NewLayoutOf(p1), 1));
}

TEST(SdbConvertFiles, ResultCodesAndNothingWrittenOnFailure)
{
    SampleStore s;
    s.FillSample();
    ScriptedUi ui;
    const auto in = s.dir / "in.bin";
    WriteBytes(in, NewLayoutOf(s));
    EXPECT_EQ(StaticDB_ConvertNew2Old(in, s.dir / "old.bin", 1), kConvertOk);
    EXPECT_EQ(StaticDB_ConvertNew2Old(s.dir / "missing.bin", s.dir / "x.bin", 1), kConvertNotOpened);
    EXPECT_EQ(StaticDB_ConvertNew2Old(in, s.dir / "no" / "dir" / "x.bin", 1), kConvertNotOpened);
    EXPECT_EQ(StaticDB_ConvertOld2New(ui, s.dir / "old.bin", s.dir / "back.bin", 1), kConvertOk);
    EXPECT_EQ(ReadBytes(s.dir / "back.bin")[0], 'e');

    WriteText(s.dir / "junk.bin", "XYjunk");
    EXPECT_EQ(StaticDB_ConvertOld2New(ui, s.dir / "junk.bin", s.dir / "j.bin", 1), kConvertFailed);
    EXPECT_FALSE(std::filesystem::exists(s.dir / "j.bin"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kOld2NewMagicError);
    EXPECT_EQ(ui.messages[0].caption, "Velk Editor");
    auto old = ReadBytes(s.dir / "old.bin");
    old.resize(100);
    WriteBytes(s.dir / "short.bin", old);
    EXPECT_EQ(StaticDB_ConvertOld2New(ui, s.dir / "short.bin", s.dir / "s.bin", 1), kConvertFailed);
    EXPECT_FALSE(std::filesystem::exists(s.dir / "s.bin"));
}

TEST(SdbConvertOld2New, NewLayoutBytesFromAnOldFile)
{
    SampleStore s(1);
    s.FillSample();
    s.session.userInitial = "Kym";
    const auto old = ConvertNew2Old(NewLayoutOf(s), 1).value();
    ScriptedUi ui;
    const auto r = ConvertOld2New(ui, old, 1);
    ASSERT_EQ(r.code, kConvertOk);
    const auto& b = r.data;
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 24),
              (Bytes{'e', 'E', 1, 0, 0, 0, 6, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 'K', 'y', 'm', 0xFF, 1, 0, 0xFF, 0xFF}));
    // lnb: 8-byte records; switch word with bits 15-31 ones.
    EXPECT_EQ(LoadLe16(b, 24 + 8), 8);
    EXPECT_EQ(LoadLe32(b, 40 + 4), 0xFFFF8000u | 2u << 12 | 1u << 10 | 5u << 5 | 2u << 2 | 1u);
    const std::size_t car = 40 + 8 + 16 + 2 * 28 + 16;
    // B first; word 2 bits 16-31 ones: skew 255.
    EXPECT_EQ(LoadLe32(b, car + 8), 0xFFFF0000u | 3u << 12 | 1u << 10 | 0u);
    const std::size_t ser = car + 3 * 36 + 16;
    EXPECT_EQ(LoadLe16(b, ser), 3);      // program numbers count down
    EXPECT_EQ(LoadLe16(b, ser + 2), 1);  // old carrier position
    EXPECT_EQ(LoadLe16(b, ser + 64), 1);
    EXPECT_EQ(LoadLe32(b, ser + 4), 0xF0000000u | 650u << 14 | 512u);
    // Input length kept (old filler included): 4 bytes less per LNB, 8 more of header.
    EXPECT_EQ(b.size(), old.size());
}

TEST(SdbConvertOld2New, MissingChannelOrderAndUserBoxAreAppended)
{
    SampleStore s(1);
    s.FillSample();
    auto old = ConvertNew2Old(NewLayoutOf(s), 1).value();
    const std::size_t oslAt = 16 + 16 + 12 + 16 + 2 * 28 + 16 + 3 * 36 + 16 + 3 * 32;
    old.resize(oslAt);
    StoreLe16(old, 12, 4);
    ScriptedUi ui;
    const auto r = ConvertOld2New(ui, old, 1);
    ASSERT_EQ(r.code, kConvertOk);
    const std::size_t at = oslAt + 8 - 4;
    EXPECT_EQ(Tag(r.data, at), "OSL");
    EXPECT_EQ(LoadLe16(r.data, at + 12), 3);
    EXPECT_EQ(LoadLe16(r.data, at + 16 + 4), 2);
    EXPECT_EQ(Tag(r.data, at + 22), "UserBox");
    EXPECT_EQ(LoadLe16(r.data, at + 22 + 12), 1);
    // One LNB: the new layout is 4 bytes longer than the old one, so the
    // output grows past the input length plus the appended sections.
    EXPECT_EQ(r.data.size(), old.size() + 4 + 22 + 16 + 196);
}

}  // namespace
}  // namespace velk::test
