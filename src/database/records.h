#pragma once
// The four record layouts of the working store and their exact bytes.
#include "common/bit_field.h"
#include "common/bytes.h"
#include "database/fixed_name.h"

#include <array>
#include <cstdint>

namespace velk {

// Which record level carries the switch block: 0 LNB, 1 satellite, 2 carrier.
enum class Placement : std::uint8_t { Lnb = 0, Satellite = 1, Carrier = 2 };

// DiSEqC and tone settings; each byte indexes the value list shown for it.
struct SwitchBlock {
    std::uint8_t volt12 = 0;     // 0 "0 V", 1 "12 V", 2 "None"
    std::uint8_t diseqc10 = 0;   // 0..3 ports, 4 "None"
    std::uint8_t diseqc11 = 0;   // 0..15 "1".."16", 16 "None"
    std::uint8_t toneBurst = 0;  // 0 "A", 1 "B", 2 "None"
    std::uint8_t repeat = 0;     // 0 "None", 1 "1", 2 "2"
    std::uint8_t khz22 = 0;      // 0 "0K", 1 "22K", 2 "0/22K"
    std::uint8_t unused6 = 0;
    std::uint8_t unused7 = 0;

    static constexpr std::size_t kSize = 8;
    bool operator==(const SwitchBlock&) const = default;
};

namespace lnb_word {
inline constexpr BitField kLowMhz{0, 14};
inline constexpr BitField kHighMhz{14, 14};
inline constexpr BitField kType{28, 2};
inline constexpr BitField kPower{30, 1};
inline constexpr BitField kSdbMark{31, 1};
}  // namespace lnb_word

struct LnbRecord {
    std::uint32_t word = 0;  // frequencies, type, power: see lnb_word
    SwitchBlock switchBlock; // stored only with placement 0

    std::uint32_t LowMhz() const { return lnb_word::kLowMhz.Get(word); }
    std::uint32_t HighMhz() const { return lnb_word::kHighMhz.Get(word); }
    std::uint32_t Type() const { return lnb_word::kType.Get(word); }
    bool PowerOn() const { return lnb_word::kPower.Get(word) != 0; }
    void SetLowMhz(std::uint32_t v) { word = lnb_word::kLowMhz.Set(word, v); }
    void SetHighMhz(std::uint32_t v) { word = lnb_word::kHighMhz.Set(word, v); }
    void SetType(std::uint32_t v) { word = lnb_word::kType.Set(word, v); }
    void SetPower(bool on) { word = lnb_word::kPower.Set(word, on ? 1 : 0); }

    bool operator==(const LnbRecord&) const = default;
};

struct SatelliteRecord {
    std::uint8_t lnbIndex = 0;      // 0-based LNB record index
    FixedName name;
    std::uint8_t west = 0;          // 0 East, 1 West
    std::int16_t angle = 0;         // tenths of a degree
    std::uint8_t position = 0;      // 0..63
    std::uint8_t factoryDefault = 0;
    std::uint16_t carrierCount = 0;
    SwitchBlock switchBlock;        // stored only with placement 1

    static constexpr std::size_t kBaseSize = 28;
    bool operator==(const SatelliteRecord&) const = default;
};

struct CarrierRecord {
    FixedName name;
    std::uint8_t factoryDefault = 0;
    std::uint8_t satelliteIndex = 0;  // 0-based satellite record index
    std::uint8_t skew = 90;           // 90 - skew in degrees
    std::uint8_t polarization = 0;    // 0 H, 1 V, 2 L, 3 R
    std::uint32_t symbolRateKs = 0;
    std::uint32_t frequencyMhz = 0;
    std::uint8_t fec = 0;             // 0 AUTO, 1 1/2, 2 2/3, 3 3/4, 4 5/6, 5 7/8
    std::uint8_t unused33 = 0;
    std::uint16_t serviceCount = 0;
    SwitchBlock switchBlock;          // stored only with placement 2

    static constexpr std::size_t kBaseSize = 36;
    bool operator==(const CarrierRecord&) const = default;
};

inline constexpr std::uint32_t kNoPid = 8192;

struct ServiceRecord {
    FixedName name;
    std::uint8_t type = 1;  // 1 TV, 2 Radio
    std::array<std::uint8_t, 3> unused21{};
    std::uint32_t videoPid = kNoPid;
    std::uint32_t audioPid = kNoPid;
    std::uint32_t pcrPid = kNoPid;
    std::uint8_t favourites = 0;  // bit 0 group 1 .. bit 3 group 4
    std::uint8_t scrambled = 0;
    std::uint8_t preference = 0;
    std::uint8_t factoryDefault = 0;
    std::uint16_t programNumber = 0;
    std::uint8_t flagA = 1;
    std::uint8_t nameUnchanged = 1;
    std::uint8_t pidsUnchanged = 1;
    std::uint8_t flagB = 1;
    std::array<std::uint8_t, 2> unused46{};

    static constexpr std::size_t kSize = 48;
    bool operator==(const ServiceRecord&) const = default;
};

inline constexpr std::uint8_t kServiceTv = 1;
inline constexpr std::uint8_t kServiceRadio = 2;

// Record sizes in the store for a switch-block placement.
std::size_t LnbRecordSize(Placement p);
std::size_t SatelliteRecordSize(Placement p);
std::size_t CarrierRecordSize(Placement p);

void StoreSwitchBlock(MutableByteView out, std::size_t off, const SwitchBlock& sb);
SwitchBlock LoadSwitchBlock(ByteView in, std::size_t off);

// Encode into exactly the record size; decode from at least the record size.
Bytes EncodeLnb(const LnbRecord& r, Placement p);
Bytes EncodeSatellite(const SatelliteRecord& r, Placement p);
Bytes EncodeCarrier(const CarrierRecord& r, Placement p);
Bytes EncodeService(const ServiceRecord& r);
LnbRecord DecodeLnb(ByteView in, Placement p);
SatelliteRecord DecodeSatellite(ByteView in, Placement p);
CarrierRecord DecodeCarrier(ByteView in, Placement p);
ServiceRecord DecodeService(ByteView in);

}  // namespace velk
