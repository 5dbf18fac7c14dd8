#pragma once
// The checksums of the receiver's formats.
#include "common/bytes.h"

namespace velk {

// CRC-32/MPEG-2: poly 0x04C11DB7, init 0xFFFFFFFF, no reflection, no final xor.
std::uint32_t Crc32Mpeg2(ByteView data);
// CRC-16/ARC: poly 0x8005 reflected, init 0, no final xor.
std::uint16_t Crc16Arc(ByteView data);
// Plain 32-bit sum of the bytes, wrapping.
std::uint32_t ByteSum32(ByteView data);

}  // namespace velk
