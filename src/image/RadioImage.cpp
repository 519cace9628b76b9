#include "image/RadioImage.h"

#include <stdexcept>
#include <string>

namespace vorix {

void RadioImage::checkIndex(int index) {
    if (index < 0 || index >= kImageSize)
        throw std::out_of_range("RadioImage index " + std::to_string(index) + " outside 0..127");
}

std::uint8_t RadioImage::read(int index) const {
    checkIndex(index);
    return bytes_[static_cast<std::size_t>(index)];
}

void RadioImage::write(int index, std::uint8_t value) {
    checkIndex(index);
    bytes_[static_cast<std::size_t>(index)] = value;
}

void RadioImage::setBits(int index, std::uint8_t mask, bool on) {
    const std::uint8_t old = read(index);
    write(index, static_cast<std::uint8_t>(on ? (old | mask) : (old & ~mask)));
}

} // namespace vorix
