#include "image/ByteHelpers.h"

#include <stdexcept>

namespace vorix {

std::uint8_t ByteToBcd(int value) {
    if (value < 0 || value >= 160)
        throw std::overflow_error("ByteToBcd: value does not fit a packed byte");
    return static_cast<std::uint8_t>((value / 10) * 16 + value % 10);
}

} // namespace vorix
