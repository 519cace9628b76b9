#pragma once
// The byte helper shared by every writer of the image.

#include <cstdint>

namespace vorix {

/// Packed BCD of 0..99 (37 gives 0x37). Values whose packed form does not fit a byte
/// (negative, or 160 and more) throw std::overflow_error.
std::uint8_t ByteToBcd(int value);

} // namespace vorix
