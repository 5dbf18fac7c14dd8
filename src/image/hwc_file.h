#pragma once
// The "HWC$" compressed image file: signature, little-endian 32-bit fields, the
// compressed bytes, and 'z' padding to a multiple of four bytes.
#include "common/bytes.h"
#include "common/checksums.h"

#include <initializer_list>

namespace velk {

// CRC-16/ARC as the "Bin2Cod" images carry it ("123456789" gives 0xBB3D, no bytes give 0).
inline std::uint16_t Crc16(ByteView data) { return Crc16Arc(data); }

// "HWC$", each of `fields` as a little-endian u32, `data`, then 0x7A bytes up to the
// next multiple of four of data's length.
Bytes HwcFile(std::initializer_list<std::uint32_t> fields, ByteView data);

// Zlib layout: compressed size, uncompressed size, zlib stream.
Bytes ZlibHwcFile(ByteView stream, std::uint32_t uncompressedSize);

// Bin2Cod layout: uncompressed size, CRC-16 of the input, compressed size, CRC-16 of
// the compressed bytes, then the compressed bytes ("vqx." and the LZARI code).
Bytes Bin2CodHwcFile(ByteView compressed, std::uint32_t uncompressedSize, std::uint16_t inputCrc);

}  // namespace velk
