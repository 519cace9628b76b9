#pragma once
// One line of a serial trace: when, which way, which bytes.

#include <chrono>
#include <string>

#include "link/LinkInterfaces.h"

namespace vorix::cli {

enum class TraceDirection { Sent, Received };

/// "12.003456 TX 50 52 4F 47 52 41 4D": seconds since the trace began with microseconds, "TX"
/// for bytes sent or "RX" for bytes received, then the bytes as upper-case hex pairs. No line end.
std::string FormatTraceLine(std::chrono::microseconds elapsed, TraceDirection direction,
                            const link::Bytes& bytes);

/// "50 52 4F": bytes as upper-case hex pairs separated by spaces.
std::string HexPairs(const link::Bytes& bytes);

} // namespace vorix::cli
