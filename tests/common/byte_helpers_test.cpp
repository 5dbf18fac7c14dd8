#include "common/bit_field.h"
#include "common/byte_reader.h"
#include "common/bytes.h"
#include "common/field_table.h"
#include "common/word_table.h"

#include <gtest/gtest.h>

#include <limits>

namespace velk {
namespace {

TEST(CheckRange, AcceptsTheLastByteAndRejectsOnePast)
{
    EXPECT_NO_THROW(CheckRange(4, 0, 4));
    EXPECT_NO_THROW(CheckRange(4, 4, 0));  // an empty access at the end
    EXPECT_NO_THROW(CheckRange(0, 0, 0));
    EXPECT_THROW(CheckRange(4, 1, 4), std::out_of_range);
    EXPECT_THROW(CheckRange(4, 5, 0), std::out_of_range);
    EXPECT_THROW(CheckRange(0, 0, 1), std::out_of_range);
    // offset + width would wrap round to a small number
    constexpr auto kHuge = std::numeric_limits<std::size_t>::max();
    EXPECT_THROW(CheckRange(4, 2, kHuge), std::out_of_range);
    EXPECT_THROW(CheckRange(4, kHuge, 2), std::out_of_range);
}

TEST(CheckRange, LoadsAndStoresStopAtTheEnd)
{
    Bytes data{0x11, 0x22, 0x33, 0x44, 0x55};
    EXPECT_EQ(LoadLe32(data, 1), 0x55443322u);
    EXPECT_EQ(LoadBe24(data, 2), 0x334455u);
    EXPECT_EQ(LoadU8(data, 4), 0x55);
    EXPECT_THROW(LoadLe32(data, 2), std::out_of_range);
    EXPECT_THROW(LoadBe16(data, 4), std::out_of_range);
    EXPECT_THROW(LoadU8(data, 5), std::out_of_range);
    EXPECT_THROW(StoreLe24(data, 3, 0), std::out_of_range);
    EXPECT_THROW(Slice(data, 3, 3), std::out_of_range);
    // a refused store leaves the buffer as it was
    EXPECT_EQ(data, (Bytes{0x11, 0x22, 0x33, 0x44, 0x55}));
    StoreBe32(data, 1, 0xA1B2C3D4);
    EXPECT_EQ(data, (Bytes{0x11, 0xA1, 0xB2, 0xC3, 0xD4}));
}

TEST(ByteReader, SpanAndSkipPastTheEndFailWithoutMoving)
{
    const Bytes data{1, 2, 3, 4};
    ByteReader r(data);
    EXPECT_EQ(r.Span(3).size(), 3u);
    EXPECT_TRUE(r.Span(2).empty());
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.Position(), 3u);
    EXPECT_EQ(r.Be32(), 0u);

    ByteReader skip(data);
    skip.Skip(4);
    EXPECT_TRUE(skip.Ok());
    EXPECT_TRUE(skip.AtEnd());
    EXPECT_EQ(skip.Le24(), 0u);
    EXPECT_FALSE(skip.Ok());

    ByteReader empty(ByteView{});
    EXPECT_TRUE(empty.AtEnd());
    EXPECT_EQ(empty.U8(), 0);
    EXPECT_FALSE(empty.Ok());
}

TEST(BitField, WholeWordAndTopBitWidths)
{
    constexpr BitField whole{0, 32};
    EXPECT_EQ(whole.Mask(), 0xFFFFFFFFu);
    EXPECT_EQ(whole.Get(0xDEADBEEF), 0xDEADBEEFu);
    EXPECT_EQ(whole.Set(0x12345678, 0xCAFEF00D), 0xCAFEF00Du);

    constexpr BitField top{31, 1};
    EXPECT_EQ(top.Set(0, 1), 0x80000000u);
    EXPECT_EQ(top.Set(0xFFFFFFFF, 0), 0x7FFFFFFFu);
    EXPECT_EQ(top.Get(0x80000000), 1u);

    constexpr BitField upper{1, 31};
    EXPECT_EQ(upper.Set(0, 0xFFFFFFFF), 0xFFFFFFFEu);  // cut to 31 bits, bit 0 untouched
    EXPECT_EQ(upper.Set(1, 0), 1u);
    EXPECT_EQ(upper.Get(0xFFFFFFFF), 0x7FFFFFFFu);
}

struct Sample {
    std::uint8_t a = 0;
    std::int16_t b = 0;
    std::array<std::uint8_t, 2> c{};
    double d = 0;
    std::string e;
};

constexpr auto kSampleFields = Fields(At<&Sample::a>(0), At<&Sample::b>(1), At<&Sample::c>(3), At<&Sample::d>(5),
                                      TextAt<&Sample::e, 4>(13));
static_assert(kSampleFields.FitsIn(17));
static_assert(!kSampleFields.FitsIn(16));
static_assert(!Fields(At<&Sample::a>(0), At<&Sample::b>(0)).FitsIn(8));  // overlapping fields

// Word tables refuse fields that overlap, leave their word or cover the fill.
static_assert(PackedWords<Sample, 1>({0}, Bits<&Sample::a>(0, {0, 8}), Bits<&Sample::b>(0, {8, 16})).Disjoint());
static_assert(!PackedWords<Sample, 1>({0}, Bits<&Sample::a>(0, {0, 8}), Bits<&Sample::b>(0, {7, 16})).Disjoint());
static_assert(!PackedWords<Sample, 1>({0}, Bits<&Sample::a>(1, {0, 8})).Disjoint());
static_assert(!PackedWords<Sample, 1>({0x80}, Bits<&Sample::a>(0, {0, 8})).Disjoint());

TEST(FieldTable, EveryKindOfFieldBothWays)
{
    const Sample s{0xAB, -2, {7, 8}, 1.0, "toolong"};
    Bytes out(17, 0xEE);
    kSampleFields.Store(out, s);
    EXPECT_EQ(out, (Bytes{0xAB, 0xFE, 0xFF, 7, 8, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 't', 'o', 'o', 0}));
    Sample back;
    kSampleFields.Load(out, back);
    EXPECT_EQ(back.a, s.a);
    EXPECT_EQ(back.b, s.b);
    EXPECT_EQ(back.c, s.c);
    EXPECT_EQ(back.d, s.d);
    EXPECT_EQ(back.e, "too");
    EXPECT_THROW(kSampleFields.Load(ByteView(out).first(16), back), std::out_of_range);
}

}  // namespace
}  // namespace velk
