#pragma once
// Records packed into 32-bit words, declared once: a table of {word, bit field,
// member} drives both packing and unpacking, so the two cannot drift apart.
#include "common/bit_field.h"
#include "common/bytes.h"
#include "common/member_traits.h"

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>
#include <utility>

namespace velk {

// `Words` little-endian words from the start of `in` / `out`.
template <std::size_t Words>
std::array<std::uint32_t, Words> LoadWords(ByteView in)
{
    std::array<std::uint32_t, Words> words{};
    for (std::size_t i = 0; i < Words; ++i)
        words[i] = LoadLe32(in, 4 * i);
    return words;
}

template <std::size_t Words>
void StoreWords(MutableByteView out, const std::array<std::uint32_t, Words>& words)
{
    for (std::size_t i = 0; i < Words; ++i)
        StoreLe32(out, 4 * i, words[i]);
}

template <typename Record>
struct WordField {
    std::size_t word;  // index of the word in the record
    BitField bits;
    std::uint32_t (*get)(const Record&);
    void (*set)(Record&, std::uint32_t);
};

template <typename Record, std::size_t Words, std::size_t N>
struct WordTable {
    using Packed = std::array<std::uint32_t, Words>;

    Packed fill;  // the bits no field covers
    std::array<WordField<Record>, N> fields;

    // Unrolled so that, run on a constant table, every field's access inlines.
    Packed Pack(const Record& r) const
    {
        auto words = fill;
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            ((words[fields[I].word] = fields[I].bits.Set(words[fields[I].word], fields[I].get(r))), ...);
        }(std::make_index_sequence<N>{});
        return words;
    }
    void Unpack(const Packed& words, Record& r) const
    {
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            (fields[I].set(r, fields[I].bits.Get(words[fields[I].word])), ...);
        }(std::make_index_sequence<N>{});
    }
    // Every field lies inside one of the words and overlaps neither another field nor the fill.
    constexpr bool Disjoint() const
    {
        Packed used = fill;
        for (const auto& f : fields) {
            if (f.word >= Words || f.bits.width == 0 || f.bits.shift + f.bits.width > 32)
                return false;
            const auto mask = f.bits.Mask() << f.bits.shift;
            if ((used[f.word] & mask) != 0)
                return false;
            used[f.word] |= mask;
        }
        return true;
    }
};

template <typename Record, std::size_t Words, typename... More>
constexpr WordTable<Record, Words, 1 + sizeof...(More)> PackedWords(std::array<std::uint32_t, Words> fill,
                                                                    WordField<Record> first, More... more)
{
    return {fill, {first, more...}};
}

// The member's value in the field; a signed member goes in as its unsigned bits.
// Unpacking casts back to the member's type.
template <auto Member>
constexpr auto Bits(std::size_t word, BitField bits)
{
    using M = MemberOf<decltype(Member)>;
    using R = typename M::Record;
    using V = typename M::Value;
    return WordField<R>{word, bits,
                        [](const R& r) { return static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<V>>(r.*Member)); },
                        [](R& r, std::uint32_t v) { r.*Member = static_cast<V>(v); }};
}

// A one-bit flag set when the member is zero; unpacks to 1 or 0.
template <auto Member>
constexpr auto ZeroFlag(std::size_t word, BitField bits)
{
    using M = MemberOf<decltype(Member)>;
    using R = typename M::Record;
    using V = typename M::Value;
    return WordField<R>{word, bits, [](const R& r) { return std::uint32_t{r.*Member == 0}; },
                        [](R& r, std::uint32_t v) { r.*Member = static_cast<V>(v == 0 ? 1 : 0); }};
}

// As ZeroFlag, for byte `Index` of an array member.
template <auto Member, std::size_t Index>
constexpr auto ZeroFlagOfElement(std::size_t word, BitField bits)
{
    using R = typename MemberOf<decltype(Member)>::Record;
    return WordField<R>{word, bits, [](const R& r) { return std::uint32_t{(r.*Member)[Index] == 0}; },
                        [](R& r, std::uint32_t v) { (r.*Member)[Index] = v == 0 ? 1 : 0; }};
}

}  // namespace velk
