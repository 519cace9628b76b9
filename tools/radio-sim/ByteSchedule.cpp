#include "ByteSchedule.h"

#include <algorithm>

namespace vorix::sim {

void ByteSchedule::push(std::span<const std::uint8_t> bytes, Clock::time_point now) {
    for (std::uint8_t byte : bytes) {
        // The first byte after a pause goes at once; the rest follow one byte time apart, counted
        // from the previous deadline rather than from when the previous byte actually left.
        Clock::time_point deadline = now;
        if (lastDeadline_)
            deadline = std::max(now, *lastDeadline_ + byteTime_);
        queue_.push_back({byte, deadline});
        lastDeadline_ = deadline;
        if (latencyTimer_ > std::chrono::nanoseconds::zero())
            holdInAdapter(deadline);
    }
}

void ByteSchedule::holdInAdapter(Clock::time_point offTheWire) {
    // A byte after the open packet went out (or filled) starts the next one, and with it the timer.
    if (!packetSent_ || offTheWire > *packetSent_ || packetBytes_ == kUsbPacketBytes) {
        packetSent_ = offTheWire + latencyTimer_;
        packetBytes_ = 0;
    }
    ++packetBytes_;
    queue_.back().deadline = *packetSent_;
    if (packetBytes_ < kUsbPacketBytes)
        return;
    // A full packet goes at once, with every byte it holds.
    for (auto it = queue_.rbegin(); it != queue_.rend() && it - queue_.rbegin() < packetBytes_; ++it)
        it->deadline = offTheWire;
    packetSent_ = offTheWire;
}

Bytes ByteSchedule::takeDue(Clock::time_point now) {
    Bytes due;
    while (!queue_.empty() && queue_.front().deadline <= now) {
        due.push_back(queue_.front().byte);
        queue_.pop_front();
    }
    return due;
}

std::optional<Clock::time_point> ByteSchedule::nextDeadline() const {
    if (queue_.empty())
        return std::nullopt;
    return queue_.front().deadline;
}

} // namespace vorix::sim
