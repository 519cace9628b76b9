#pragma once
// A check of packed BCD bytes for tests and fuzz targets: the tool writes such bytes
// (ByteToBcd) but never has to tell whether a byte is one.

#include <cstdint>

namespace vorix::test {

/// True when both nibbles of b are decimal digits.
constexpr bool IsBcd(std::uint8_t b) {
    return (b >> 4) <= 9 && (b & 0x0F) <= 9;
}

} // namespace vorix::test
