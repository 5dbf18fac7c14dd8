#pragma once
// Where the two SDB layouts keep the same value: one table of new<->old bit
// field pairs per record, run in either direction by both converters. What a
// converter fills in around the pairs (the bits no pair covers, running
// counts, the carrier positions) stays with that converter.
#include "common/bit_field.h"
#include "common/bytes.h"
#include "sdb/sdb_format.h"

#include <array>
#include <cstdint>
#include <utility>

namespace velk::sdb {

enum class PairTransform : std::uint8_t {
    None,
    TypeLessOne,  // the old layout keeps the service type less one
    LnbIndex,     // an index past the product's LNB limit becomes 0
};

// A value in the word at byte `newAt` of the new record and `oldAt` of the old one.
struct FieldPair {
    std::size_t newAt;
    BitField newBits;
    std::size_t oldAt;
    BitField oldBits;
    PairTransform transform = PairTransform::None;
};

// The 20-byte name's offset in each layout.
struct NamePair {
    std::size_t newAt;
    std::size_t oldAt;
};

inline constexpr BitField kWholeWord{0, 32};

// The new LNB word and switch word against the old LNB word and its two frequency words.
inline constexpr std::array kLnbPairs{
    FieldPair{0, lnb_word::kType, 0, old_lnb::kType},
    FieldPair{0, lnb_word::kPower, 0, old_lnb::kPower},
    FieldPair{4, switch_word::kVolt12, 0, old_lnb::kVolt12},
    FieldPair{4, switch_word::kDiseqc10, 0, old_lnb::kDiseqc10},
    FieldPair{4, switch_word::kDiseqc11, 0, old_lnb::kDiseqc11},
    FieldPair{4, switch_word::kToneBurst, 0, old_lnb::kToneBurst},
    FieldPair{4, switch_word::kRepeat, 0, old_lnb::kRepeat},
    FieldPair{0, lnb_word::kLowMhz, 4, kWholeWord},
    FieldPair{0, lnb_word::kHighMhz, 8, kWholeWord},
};

// Position and factory default (bits 0-8), side and angle stay where they are.
inline constexpr BitField kSatellitePositionAndDefault{0, 9};
inline constexpr std::array kSatellitePairs{
    FieldPair{0, new_sat::kCarrierCount, 0, old_sat::kCarrierCount},
    FieldPair{0, new_sat::kLnbIndex, 4, old_sat::kLnbIndex, PairTransform::LnbIndex},
    FieldPair{4, kSatellitePositionAndDefault, 4, kSatellitePositionAndDefault},
    FieldPair{4, new_sat::kWest, 4, new_sat::kWest},
    FieldPair{4, new_sat::kAngle, 4, new_sat::kAngle},
};
inline constexpr NamePair kSatelliteName{8, 8};

// Words 0 and 1, the name and the frequency are the same in both layouts.
inline constexpr std::array kCarrierPairs{
    FieldPair{8, carrier_word::kSatelliteIndex, 8, carrier_word::kSatelliteIndex},
    FieldPair{8, carrier_word::kPolarization, 8, carrier_word::kPolarization},
    FieldPair{8, carrier_word::kFec, 8, old_carrier::kFec},
    FieldPair{8, carrier_word::kFactoryDefault, 8, old_carrier::kFactoryDefault},
};
inline constexpr NamePair kCarrierName{12, 12};

// The carrier (new word 0 bits 16-31, old word 0 bits 0-15) is placed by each converter.
inline constexpr std::array kServicePairs{
    FieldPair{4, new_service::kVideoPid, 0, old_service::kVideoPid},
    FieldPair{8, new_service::kFactoryDefault, 0, old_service::kFactoryDefault},
    FieldPair{8, new_service::kFlagA, 0, old_service::kFlagA},
    FieldPair{8, new_service::kFavourites, 4, old_service::kFavourites},
    FieldPair{4, new_service::kAudioPid, 28, old_service::kAudioPid},
    FieldPair{8, new_service::kPcrPid, 28, old_service::kPcrPid},
    FieldPair{8, new_service::kNotScrambled, 28, old_service::kNotScrambled},
    FieldPair{4, new_service::kNotPreferred, 28, old_service::kNotPreferred},
    FieldPair{8, new_service::kType, 28, old_service::kTypeMinusOne, PairTransform::TypeLessOne},
};
inline constexpr NamePair kServiceName{12, 8};

enum class ConvertDirection { NewToOld, OldToNew };

inline std::uint32_t TransformPair(std::uint32_t v, PairTransform t, ConvertDirection d, std::uint32_t lnbLimit)
{
    switch (t) {
    case PairTransform::None:
        return v;
    case PairTransform::TypeLessOne:
        return d == ConvertDirection::NewToOld ? v - 1 : v + 1;
    case PairTransform::LnbIndex:
        return v < lnbLimit ? v : 0;
    }
    return v;
}

// One pair's value from `from` into its bits of `to`.
[[gnu::always_inline]] inline void CopyPair(const FieldPair& p, ByteView from, MutableByteView to, ConvertDirection direction, std::uint32_t lnbLimit)
{
    const bool toOld = direction == ConvertDirection::NewToOld;
    const auto fromAt = toOld ? p.newAt : p.oldAt;
    const auto toAt = toOld ? p.oldAt : p.newAt;
    const auto& fromBits = toOld ? p.newBits : p.oldBits;
    const auto& toBits = toOld ? p.oldBits : p.newBits;
    const auto value = TransformPair(fromBits.Get(LoadLe32(from, fromAt)), p.transform, direction, lnbLimit);
    StoreLe32(to, toAt, toBits.Set(LoadLe32(to, toAt), value));
}

// Copies every pair's value from `from` into the bits of `to`, whose words
// already hold what the pairs do not cover. Unrolled, so that on a constant
// table every pair's offsets and fields fold into the code.
template <std::size_t N>
[[gnu::always_inline]] inline void CopyPairs(const std::array<FieldPair, N>& pairs, ByteView from, MutableByteView to, ConvertDirection direction,
               std::uint32_t lnbLimit)
{
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (CopyPair(pairs[I], from, to, direction, lnbLimit), ...);
    }(std::make_index_sequence<N>{});
}

}  // namespace velk::sdb
