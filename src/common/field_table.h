#pragma once
// A record layout declared once: a table of fields, each naming its bytes
// (offset, width) and how the record's member goes to and from them. One
// engine runs the table both ways, so encoding and decoding cannot drift apart.
#include "common/bytes.h"
#include "common/member_traits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <type_traits>
#include <utility>

namespace velk {

template <typename Record>
struct ByteField {
    std::size_t offset;
    std::size_t width;
    // `bytes` is exactly the field.
    void (*store)(MutableByteView bytes, const Record& r);
    void (*load)(ByteView bytes, Record& r);
};

template <typename Record, std::size_t N>
struct FieldTable {
    std::array<ByteField<Record>, N> fields;

    // Unrolled so that, run on a constant table, every field's access inlines.
    void Store(MutableByteView out, const Record& r) const
    {
        [&]<std::size_t... I>(std::index_sequence<I...>) { (StoreField(fields[I], out, r), ...); }(std::make_index_sequence<N>{});
    }
    void Load(ByteView in, Record& r) const
    {
        [&]<std::size_t... I>(std::index_sequence<I...>) { (LoadField(fields[I], in, r), ...); }(std::make_index_sequence<N>{});
    }
    static void StoreField(const ByteField<Record>& f, MutableByteView out, const Record& r)
    {
        CheckRange(out.size(), f.offset, f.width);
        f.store(out.subspan(f.offset, f.width), r);
    }
    static void LoadField(const ByteField<Record>& f, ByteView in, Record& r)
    {
        CheckRange(in.size(), f.offset, f.width);
        f.load(in.subspan(f.offset, f.width), r);
    }

    // The fields follow each other in offset order, none overlapping, inside `size` bytes.
    constexpr bool FitsIn(std::size_t size) const
    {
        std::size_t end = 0;
        for (const auto& f : fields) {
            if (f.offset < end || f.width == 0)
                return false;
            end = f.offset + f.width;
        }
        return end <= size;
    }
};

template <typename Record, typename... More>
constexpr FieldTable<Record, 1 + sizeof...(More)> Fields(ByteField<Record> first, More... more)
{
    return {{first, more...}};
}

namespace field_detail {

// Fixed byte fields that expose their bytes (FixedName).
template <typename V> concept HasRawBytes = requires(V v) { v.Raw().size(); };
template <typename V> struct IsByteArray : std::false_type {};
template <std::size_t N> struct IsByteArray<std::array<std::uint8_t, N>> : std::true_type {};

template <typename V>
constexpr std::size_t WidthOf()
{
    if constexpr (HasRawBytes<V>)
        return std::tuple_size_v<std::remove_cvref_t<decltype(std::declval<V&>().Raw())>>;
    else
        return sizeof(V);
}

template <typename V>
void StoreValue(MutableByteView out, const V& v)
{
    if constexpr (HasRawBytes<V>) {
        std::copy(v.Raw().begin(), v.Raw().end(), out.begin());
    } else if constexpr (IsByteArray<V>::value) {
        std::copy(v.begin(), v.end(), out.begin());
    } else if constexpr (std::is_same_v<V, double>) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        StoreLe32(out, 0, static_cast<std::uint32_t>(bits));
        StoreLe32(out, 4, static_cast<std::uint32_t>(bits >> 32));
    } else {
        static_assert(std::is_integral_v<V> && (sizeof(V) == 1 || sizeof(V) == 2 || sizeof(V) == 4));
        using U = std::make_unsigned_t<V>;
        const auto u = static_cast<U>(v);
        if constexpr (sizeof(V) == 1)
            StoreU8(out, 0, u);
        else if constexpr (sizeof(V) == 2)
            StoreLe16(out, 0, u);
        else
            StoreLe32(out, 0, u);
    }
}

template <typename V>
void LoadValue(ByteView in, V& v)
{
    if constexpr (HasRawBytes<V>) {
        std::copy_n(in.begin(), v.Raw().size(), v.Raw().begin());
    } else if constexpr (IsByteArray<V>::value) {
        std::copy_n(in.begin(), v.size(), v.begin());
    } else if constexpr (std::is_same_v<V, double>) {
        v = std::bit_cast<double>(LoadLe32(in, 0) | (std::uint64_t{LoadLe32(in, 4)} << 32));
    } else if constexpr (sizeof(V) == 1) {
        v = static_cast<V>(LoadU8(in, 0));
    } else if constexpr (sizeof(V) == 2) {
        v = static_cast<V>(LoadLe16(in, 0));
    } else {
        v = static_cast<V>(LoadLe32(in, 0));
    }
}

}  // namespace field_detail

// The member at `offset`: integers little-endian in their own width, doubles
// as 8 little-endian bytes, byte arrays and fixed names as they stand.
template <auto Member>
constexpr auto At(std::size_t offset)
{
    using M = MemberOf<decltype(Member)>;
    using R = typename M::Record;
    using V = typename M::Value;
    return ByteField<R>{offset, field_detail::WidthOf<V>(),
                        [](MutableByteView out, const R& r) { field_detail::StoreValue(out, r.*Member); },
                        [](ByteView in, R& r) { field_detail::LoadValue(in, r.*Member); }};
}

// A text member in a field of `Width` bytes: cut to leave a NUL, zero-filled;
// read up to the first NUL.
template <auto Member, std::size_t Width>
constexpr auto TextAt(std::size_t offset)
{
    using R = typename MemberOf<decltype(Member)>::Record;
    return ByteField<R>{offset, Width,
                        [](MutableByteView out, const R& r) {
                            const std::string& text = r.*Member;
                            const auto n = std::min(text.size(), Width - 1);
                            std::fill(std::copy_n(text.begin(), n, out.begin()), out.end(), 0);
                        },
                        [](ByteView in, R& r) {
                            const auto field = in.first(Width - 1);
                            r.*Member = std::string(field.begin(), std::find(field.begin(), field.end(), 0));
                        }};
}

}  // namespace velk
