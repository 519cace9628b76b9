#include "cli/TraceLine.h"

#include <cstdio>

namespace vorix::cli {

std::string HexPairs(const link::Bytes& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::string FormatTraceLine(std::chrono::microseconds elapsed, TraceDirection direction,
                            const link::Bytes& bytes) {
    const long long us = elapsed.count() < 0 ? 0 : elapsed.count();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%lld.%06lld", us / 1000000, us % 1000000);
    return std::string(stamp) + (direction == TraceDirection::Sent ? " TX " : " RX ") + HexPairs(bytes);
}

} // namespace vorix::cli
