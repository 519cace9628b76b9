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

/// Payload bytes of one USB packet of a common serial adapter (64 bytes less 2 status bytes).
inline constexpr int kUsbPacketBytes = 62;

class ByteSchedule {
public:
    /// A zero byte time sends everything at once. A latency timer above zero models a USB serial
    /// adapter between the wire and the tool: bytes that came off the wire are held until the timer
    /// has run that long since the first of them, or until they fill a USB packet.
    explicit ByteSchedule(std::chrono::nanoseconds byteTime,
                          std::chrono::nanoseconds latencyTimer = std::chrono::nanoseconds::zero())
        : byteTime_(byteTime), latencyTimer_(latencyTimer) {}

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
    void holdInAdapter(Clock::time_point offTheWire);

    std::chrono::nanoseconds byteTime_;
    std::chrono::nanoseconds latencyTimer_;
    std::deque<Scheduled> queue_;
    std::optional<Clock::time_point> lastDeadline_; // when the last byte is off the wire
    std::optional<Clock::time_point> packetSent_;   // when the adapter's open packet goes to the tool
    int packetBytes_ = 0;                           // bytes in the open packet
};

} // namespace vorix::sim
