#pragma once
// Paces outgoing bytes like a 19200-baud wire: each byte leaves at a deadline one byte time after
// the one before, so waiting late for one byte does not delay every later byte.

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>

#include "SimRadio.h"

namespace vorix::sim {

using Clock = std::chrono::steady_clock;

/// 10 bits (start, 8 data, stop) at 19200 baud.
inline constexpr std::chrono::nanoseconds kByteTime{520833};

class ByteSchedule {
public:
    /// A zero byte time sends everything at once.
    explicit ByteSchedule(std::chrono::nanoseconds byteTime) : byteTime_(byteTime) {}

    /// Queues bytes behind those already waiting; an idle line starts again at now.
    void push(std::span<const std::uint8_t> bytes, Clock::time_point now);
    /// Removes and returns every byte whose deadline has come.
    Bytes takeDue(Clock::time_point now);
    /// The deadline of the next waiting byte, nothing when none waits.
    std::optional<Clock::time_point> nextDeadline() const;
    bool empty() const { return queue_.empty(); }

private:
    struct Scheduled {
        std::uint8_t byte;
        Clock::time_point deadline;
    };
    std::chrono::nanoseconds byteTime_;
    std::deque<Scheduled> queue_;
    std::optional<Clock::time_point> lastDeadline_;
};

} // namespace vorix::sim
