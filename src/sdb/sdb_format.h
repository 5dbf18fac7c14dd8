#pragma once
// The two SDB BIN layouts: header sizes, section tags, the section header and
// the packed words shared by the writer, the reader and both converters.
// Every packed word is declared once as bit fields so packing and unpacking agree.
#include "common/bit_field.h"
#include "common/bytes.h"
#include "database/records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace velk::sdb {

// Result codes of the converters.
inline constexpr std::uint32_t kConvertOk = 0x50000;
inline constexpr std::uint32_t kConvertFailed = 0x50001;
inline constexpr std::uint32_t kConvertNotOpened = 0x50003;

inline constexpr std::size_t kNewHeaderSize = 24;
inline constexpr std::size_t kOldHeaderSize = 16;

// Byte offsets of the new layout's header ('e','E').
namespace new_header {
inline constexpr std::size_t kMagicAt = 0;         // 'e', 'E'
inline constexpr std::size_t kFormatAt = 2;        // kFormat
inline constexpr std::size_t kFlagsAt = 5;         // bit 0 clear
inline constexpr std::size_t kSectionCountAt = 6;  // 16 bits
inline constexpr std::size_t kDateAt = 8;          // day, month, year (16 bits), hour, minute, second
inline constexpr std::size_t kPlacementAt = 15;
inline constexpr std::size_t kUserInitialAt = 16;  // 3 bytes
inline constexpr std::size_t kSdbMajorAt = 20;
inline constexpr std::size_t kSdbMinorAt = 21;
inline constexpr std::size_t kEndMarkAt = 22;      // 0xFFFF
inline constexpr std::uint8_t kFormat = 1;
}  // namespace new_header

// Byte offsets of the old layout's header ("SB").
namespace old_header {
inline constexpr std::size_t kMagicAt = 0;         // 'S', 'B'
inline constexpr std::size_t kFillAt = 2;          // 0xFFFF
inline constexpr std::size_t kFormatAt = 4;        // kFormat, then three zeros
inline constexpr std::size_t kUserInitialAt = 8;   // 3 bytes, then 0xFF
inline constexpr std::size_t kSectionCountAt = 12; // 16 bits
inline constexpr std::size_t kEndMarkAt = 14;      // 0xFFFF
inline constexpr std::uint8_t kFormat = 4;
}  // namespace old_header
inline constexpr std::size_t kUserInitialSize = 3;
inline constexpr std::size_t kSectionHeaderSize = 16;
inline constexpr std::uint16_t kSectionCount = 6;
inline constexpr std::size_t kUserBoxSize = 196;

// Record sizes in the files.
inline constexpr std::size_t kNewLnbSize = 8;          // 4 with placement 1 or 2
inline constexpr std::size_t kOldLnbSize = 12;
inline constexpr std::size_t kSatelliteSize = 28;      // new: 32 with placement 1
inline constexpr std::size_t kCarrierSize = 36;        // new: 40 with placement 2
inline constexpr std::size_t kServiceSize = 32;
inline constexpr std::size_t kOslEntrySize = 2;

enum class Section { Lnb, Satellite, Carrier, Service, Osl, UserBox, Unknown };
inline constexpr std::array<std::string_view, 6> kTags{"lnb", "Satelli", "Carrier", "Service", "OSL", "UserBox"};

// Byte offsets of a section header: tag, record size, 0xFFFF, count, 0xFFFF.
namespace section_header {
inline constexpr std::size_t kRecordSizeAt = 8;
inline constexpr std::size_t kCountAt = 12;
}  // namespace section_header

struct SectionHeader {
    std::array<std::uint8_t, 8> tag{};
    std::uint16_t recordSize = 0;
    std::uint16_t count = 0;

    Section Kind() const;
};

SectionHeader MakeSectionHeader(Section kind, std::uint16_t recordSize, std::uint16_t count);
// Appends the 16 bytes: tag, size, 0xFFFF, count, 0xFFFF.
void AppendSectionHeader(Bytes& out, const SectionHeader& h);
void StoreSectionHeader(MutableByteView out, std::size_t off, const SectionHeader& h);
// nullopt when fewer than 16 bytes are left at `off`.
std::optional<SectionHeader> LoadSectionHeader(ByteView in, std::size_t off);

// Record sizes of the new layout for a placement.
std::size_t NewLnbSize(Placement p);
std::size_t NewSatelliteSize(Placement p);
std::size_t NewCarrierSize(Placement p);

// Packed switch word of the new layout; bits 17-31 are ones.
namespace switch_word {
inline constexpr BitField kVolt12{0, 2};
inline constexpr BitField kDiseqc10{2, 3};
inline constexpr BitField kDiseqc11{5, 5};
inline constexpr BitField kToneBurst{10, 2};
inline constexpr BitField kRepeat{12, 3};
inline constexpr BitField kKhz22{15, 2};
inline constexpr std::uint32_t kOnes = 0xFFFE0000u;
}  // namespace switch_word

std::uint32_t PackSwitchWord(const SwitchBlock& sb);
// Bytes 6 and 7 come back as 255.
SwitchBlock UnpackSwitchWord(std::uint32_t word);

// New-layout satellite words.
namespace new_sat {
inline constexpr BitField kCarrierCount{0, 13};
inline constexpr BitField kLnbIndex{13, 8};
inline constexpr std::uint32_t kWord0Ones = 0xFFE00000u;
inline constexpr BitField kPosition{0, 8};
inline constexpr BitField kFactoryDefault{8, 1};
inline constexpr BitField kWest{16, 1};
inline constexpr BitField kAngle{17, 12};
inline constexpr std::uint32_t kWord1Ones = 0xE000FE00u;
}  // namespace new_sat

// Carrier words (word 0 and 1 are the same in both layouts).
namespace carrier_word {
inline constexpr BitField kSymbolRate{0, 24};
inline constexpr BitField kLnbByte{24, 8};
inline constexpr BitField kFirstService{0, 16};
inline constexpr BitField kServiceCount{16, 16};
inline constexpr BitField kSatelliteIndex{0, 10};
inline constexpr BitField kPolarization{10, 2};
inline constexpr BitField kFec{12, 3};
inline constexpr BitField kFactoryDefault{15, 1};
inline constexpr BitField kSkew{16, 8};
inline constexpr std::uint32_t kWord2Ones = 0xFF000000u;
}  // namespace carrier_word

// New-layout service words 0 to 2.
namespace new_service {
inline constexpr BitField kProgramNumber{0, 16};
inline constexpr BitField kCarrier{16, 16};  // file position of its carrier
inline constexpr BitField kVideoPid{0, 14};
inline constexpr BitField kAudioPid{14, 14};
inline constexpr BitField kUnused21Zero{28, 1};
inline constexpr BitField kUnused22Zero{29, 1};
inline constexpr BitField kUnused23Zero{30, 1};
inline constexpr BitField kNotPreferred{31, 1};
inline constexpr BitField kPcrPid{0, 14};
inline constexpr BitField kType{14, 2};
inline constexpr BitField kNotScrambled{16, 1};
inline constexpr BitField kFavourites{17, 4};
inline constexpr BitField kFactoryDefault{21, 1};
inline constexpr BitField kFlagA{22, 1};
inline constexpr BitField kNameUnchanged{23, 1};
inline constexpr BitField kPidsUnchanged{24, 1};
inline constexpr BitField kFlagB{25, 1};
inline constexpr std::uint32_t kWord2Ones = 0xFC000000u;
}  // namespace new_service

// Old-layout words.
namespace old_lnb {
inline constexpr BitField kType{2, 2};
inline constexpr BitField kPower{4, 1};
inline constexpr BitField kVolt12{5, 2};
inline constexpr BitField kDiseqc10{7, 3};
inline constexpr BitField kDiseqc11{10, 5};
inline constexpr BitField kToneBurst{15, 2};
inline constexpr BitField kRepeat{17, 3};
inline constexpr std::uint32_t kOnes = 0xFFF00000u;
}  // namespace old_lnb

namespace old_sat {
inline constexpr BitField kFirstCarrier{0, 16};
inline constexpr BitField kCarrierCount{16, 13};
inline constexpr BitField kLnbIndex{9, 7};
}  // namespace old_sat

namespace old_carrier {
inline constexpr BitField kFec{14, 3};
inline constexpr BitField kFactoryDefault{17, 1};
inline constexpr std::uint32_t kWord2Ones = 0xFFFC0000u;
}  // namespace old_carrier

namespace old_service {
inline constexpr BitField kCarrier{0, 16};
inline constexpr BitField kVideoPid{16, 14};
inline constexpr BitField kFactoryDefault{30, 1};
inline constexpr BitField kFlagA{31, 1};
inline constexpr BitField kFavourites{0, 4};
inline constexpr BitField kAudioPid{0, 14};
inline constexpr BitField kPcrPid{14, 14};
inline constexpr BitField kNotScrambled{28, 1};
inline constexpr BitField kNotPreferred{29, 1};
inline constexpr BitField kTypeMinusOne{30, 2};
}  // namespace old_service

// Padding records written when the writer fills the full tables.
inline constexpr std::uint32_t kPaddingLnbWord = 0xAA5A2616u;
inline constexpr std::uint32_t kPaddingSwitchWord = 0xFFFF0A12u;
inline constexpr std::uint32_t kPaddingSatelliteWord1 = 0x00000100u;
inline constexpr std::string_view kPaddingSatelliteName = "----";

// Copies a 20-byte name field up to and including its terminator; the bytes after
// it keep what the target held (zeros in the new layout, 0xFF in the old one).
void CopyName(ByteView from, std::size_t fromOff, MutableByteView to, std::size_t toOff);

}  // namespace velk::sdb
