#include "image/crc_polynomial.h"

#include <boost/crc.hpp>

namespace velk {

std::uint32_t CrcMultiplyMod(std::uint32_t a, std::uint32_t b)
{
    std::uint32_t product = 0;
    for (int bit = 31; bit >= 0; --bit) {
        product = (product & 0x80000000u) ? (product << 1) ^ kCrcPolynomial : product << 1;
        if ((b >> bit) & 1)
            product ^= a;
    }
    return product;
}

std::uint32_t CrcPower(std::uint32_t base, std::uint64_t exponent)
{
    std::uint32_t result = 1;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1)
            result = CrcMultiplyMod(result, base);
        base = CrcMultiplyMod(base, base);
    }
    return result;
}

std::uint32_t CrcRun(std::uint32_t state, ByteView bytes)
{
    boost::crc_optimal<32, kCrcPolynomial, 0, 0, false, false> crc(state);
    crc.process_bytes(bytes.data(), bytes.size());
    return crc.checksum();
}

}  // namespace velk
