#pragma once
// CRC-32/MPEG-2 as polynomial arithmetic: with no final xor the register is linear in
// its start value, so running n bytes from register s gives run(0, bytes) ^ s * x^(8n)
// modulo the polynomial. Lets CRCs be combined, split and solved without rereading data.
#include "common/bytes.h"

#include <cstdint>

namespace velk {

inline constexpr std::uint32_t kCrcPolynomial = 0x04C11DB7;
inline constexpr std::uint32_t kCrcInitial = 0xFFFFFFFF;
inline constexpr std::uint32_t kCrcX8 = 0x100;  // x^8: one byte of zeros
// x^-1: x * 0x82608EDB = the polynomial + 1, which is 1 modulo the polynomial.
inline constexpr std::uint32_t kCrcXInverse = 0x82608EDB;

// a * b modulo the polynomial, both as polynomials over GF(2).
std::uint32_t CrcMultiplyMod(std::uint32_t a, std::uint32_t b);

// base^exponent modulo the polynomial.
std::uint32_t CrcPower(std::uint32_t base, std::uint64_t exponent);

// The register after running `bytes` from `state`.
std::uint32_t CrcRun(std::uint32_t state, ByteView bytes);

}  // namespace velk
