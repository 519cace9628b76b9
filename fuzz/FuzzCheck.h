#pragma once
// What every fuzz target uses to state an invariant and to split its input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vorix::fuzz {

/// Stops the run with a message when an invariant does not hold, so libFuzzer keeps the input.
inline void Require(bool holds, const char* invariant) {
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

/// The fuzzer's bytes read from the front: a few control bytes, then the rest as text.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    /// The next byte, or 0 once the input is used up.
    std::uint8_t takeByte() {
        if (position_ >= size_)
            return 0;
        return data_[position_++];
    }

    /// Up to n next bytes, fewer when the input ends first.
    std::string_view take(std::size_t n) {
        const std::size_t count = n < size_ - position_ ? n : size_ - position_;
        const std::string_view bytes{reinterpret_cast<const char*>(data_) + position_, count};
        position_ += count;
        return bytes;
    }

    /// True once every byte has been taken.
    bool exhausted() const { return position_ >= size_; }

    /// Everything not taken yet.
    std::string_view rest() const {
        return {reinterpret_cast<const char*>(data_) + position_, size_ - position_};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

} // namespace vorix::fuzz
