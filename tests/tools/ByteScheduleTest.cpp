// Wire pacing of the simulator's output, on made-up times.

#include <gtest/gtest.h>

#include "ByteSchedule.h"

using namespace vorix::sim;
using std::chrono::microseconds;
using std::chrono::nanoseconds;

namespace {

const Clock::time_point kStart{std::chrono::seconds(100)};
const Bytes kThree{0x01, 0x02, 0x03};

} // namespace

TEST(ByteSchedule, ByteTimeIsTenBitsAt19200Baud) {
    EXPECT_NEAR(static_cast<double>(kByteTime.count()), 10.0 / 19200.0 * 1e9, 1.0);
}

TEST(ByteSchedule, BytesLeaveOneByteTimeApart) {
    ByteSchedule schedule(kByteTime);
    schedule.push(kThree, kStart);
    EXPECT_EQ(schedule.takeDue(kStart), Bytes{0x01});
    EXPECT_EQ(schedule.nextDeadline(), kStart + kByteTime);
    EXPECT_TRUE(schedule.takeDue(kStart + kByteTime - nanoseconds(1)).empty());
    EXPECT_EQ(schedule.takeDue(kStart + kByteTime), Bytes{0x02});
    EXPECT_EQ(schedule.nextDeadline(), kStart + 2 * kByteTime);
}

TEST(ByteSchedule, ALateWakeUpDoesNotDelayLaterBytes) {
    ByteSchedule schedule(kByteTime);
    schedule.push(Bytes{1, 2, 3, 4}, kStart);
    // Woken 300 us late for the second byte: it goes at once, the third keeps its own deadline.
    EXPECT_EQ(schedule.takeDue(kStart + kByteTime + microseconds(300)), (Bytes{1, 2}));
    EXPECT_EQ(schedule.nextDeadline(), kStart + 2 * kByteTime);
    EXPECT_EQ(schedule.takeDue(kStart + 10 * kByteTime), (Bytes{3, 4}));
    EXPECT_TRUE(schedule.empty());
    EXPECT_FALSE(schedule.nextDeadline().has_value());
}

TEST(ByteSchedule, BytesPushedWhileOthersWaitQueueBehindThem) {
    ByteSchedule schedule(kByteTime);
    schedule.push(kThree, kStart);
    schedule.push(Bytes{0x04}, kStart + microseconds(10));
    EXPECT_EQ(schedule.takeDue(kStart + 3 * kByteTime - nanoseconds(1)), kThree);
    EXPECT_EQ(schedule.nextDeadline(), kStart + 3 * kByteTime);
}

TEST(ByteSchedule, AnIdleLineStartsAgainAtOnce) {
    ByteSchedule schedule(kByteTime);
    schedule.push(kThree, kStart);
    schedule.takeDue(kStart + 3 * kByteTime);
    const Clock::time_point later = kStart + std::chrono::milliseconds(50);
    schedule.push(kThree, later);
    EXPECT_EQ(schedule.nextDeadline(), later);
    // Right after the last byte left, the next one still waits its byte time.
    ByteSchedule busy(kByteTime);
    busy.push(Bytes{0x01}, kStart);
    busy.takeDue(kStart);
    busy.push(Bytes{0x02}, kStart + microseconds(100));
    EXPECT_EQ(busy.nextDeadline(), kStart + kByteTime);
}

TEST(ByteSchedule, ZeroByteTimeSendsEverythingAtOnce) {
    ByteSchedule schedule(nanoseconds::zero());
    schedule.push(kThree, kStart);
    EXPECT_EQ(schedule.takeDue(kStart), kThree);
}

TEST(ByteSchedule, AnAdaptersLatencyTimerHoldsBytesUntilItRunsOutOrAPacketFills) {
    const auto timer = std::chrono::milliseconds(16);
    ByteSchedule schedule(kByteTime, timer);
    // A short answer waits for the timer, counted from its first byte off the wire.
    schedule.push(Bytes(8, 0x06), kStart);
    EXPECT_TRUE(schedule.takeDue(kStart + timer - nanoseconds(1)).empty());
    EXPECT_EQ(schedule.takeDue(kStart + timer).size(), 8u);
    // At 19200 baud a long answer leaves in the bytes that came off the wire within each run of the
    // timer: 31 in 16 ms.
    const Clock::time_point later = kStart + std::chrono::milliseconds(100);
    schedule.push(Bytes(100, 0x57), later);
    EXPECT_EQ(schedule.nextDeadline(), later + timer);
    EXPECT_EQ(schedule.takeDue(later + timer).size(), 31u);
    EXPECT_EQ(schedule.nextDeadline(), later + 31 * kByteTime + timer);
    // Faster than the timer, bytes fill a USB packet, which goes at once; the rest waits.
    ByteSchedule fast(nanoseconds::zero(), timer);
    fast.push(Bytes(100, 0x57), kStart);
    EXPECT_EQ(fast.takeDue(kStart).size(), std::size_t(kUsbPacketBytes));
    EXPECT_EQ(fast.nextDeadline(), kStart + timer);
    EXPECT_EQ(fast.takeDue(kStart + timer).size(), 100u - kUsbPacketBytes);
}
