#pragma once
// The two byte helpers shared by every writer of the image.

#include <cstdint>

namespace vorix {

/// Packed BCD of 0..99 (37 gives 0x37). Values whose packed form does not fit a byte
/// (negative, or 160 and more) throw std::overflow_error.
std::uint8_t ByteToBcd(int value);

/// value shifted left by n bits, keeping the low 8 bits; 0 for n >= 8. ShiftByteLeft(1, k) is the mask of bit k.
std::uint8_t ShiftByteLeft(std::uint8_t value, int n);

/// True when both nibbles of b are decimal digits.
constexpr bool IsBcd(std::uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; }

} // namespace vorix
