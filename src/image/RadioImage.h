#pragma once
// The radio's 128-byte configuration memory, exactly as the radio stores it.

#include <array>
#include <cstdint>

namespace vorix {

inline constexpr int kImageSize = 128;
using ImageBytes = std::array<std::uint8_t, kImageSize>;

/// The one copy of the radio's configuration. Every access is bounds-checked: an index outside
/// 0..127 throws std::out_of_range in every build, so a bad index is never a silent write.
class RadioImage {
public:
    RadioImage() { bytes_.fill(0); }
    explicit RadioImage(const ImageBytes& bytes) : bytes_(bytes) {}

    std::uint8_t read(int index) const;
    void write(int index, std::uint8_t value);

    /// Sets or clears the bits of `mask` at `index`, leaving every other bit as it is.
    void setBits(int index, std::uint8_t mask, bool on);

    const ImageBytes& bytes() const { return bytes_; }
    void replaceAll(const ImageBytes& bytes) { bytes_ = bytes; }

    friend bool operator==(const RadioImage&, const RadioImage&) = default;

private:
    static void checkIndex(int index);
    ImageBytes bytes_{};
};

} // namespace vorix
