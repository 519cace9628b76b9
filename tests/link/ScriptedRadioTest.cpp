// The scripted radio's cable, on which the link tests and the fault soak run: echo and answer, the
// receive threshold, pieces over time, synchronous events, a pulled cable and a closed port.

#include <gtest/gtest.h>

#include <vector>

#include <algorithm>

#include "support/FakeClock.h"
#include "support/ScriptedRadio.h"

namespace vorix::test {
namespace {

const link::Bytes kHandshake{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
const link::Bytes kHandshakeAnswered{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D, 0x06};

struct Line {
    FakeClock clock;
    ScriptedRadio port{clock};
    std::vector<std::int64_t> eventTimes;

    Line() {
        port.answerDelayMs = 0; // the answer right behind the echo
        port.onEvent = [this] { eventTimes.push_back(clock.now()); };
        EXPECT_TRUE(port.open());
    }
};

TEST(ScriptedRadio, EchoAndAnswerComeBackAsOneEventOnceTheThresholdIsMet) {
    Line line;
    line.port.setReceiveThreshold(8);
    line.port.send(kHandshake);
    EXPECT_TRUE(line.eventTimes.empty()) << "queued, not raised inside send()";
    line.clock.advance(0);
    EXPECT_EQ(line.eventTimes.size(), 1u);
    EXPECT_EQ(line.port.takeAll(), kHandshakeAnswered);
    EXPECT_TRUE(line.port.takeAll().empty());
    EXPECT_TRUE(line.port.radio().programming());
    ASSERT_EQ(line.port.radioFrames.size(), 1u);
    EXPECT_EQ(line.port.radioFrames[0].kind, sim::FrameKind::Handshake);
}

TEST(ScriptedRadio, ThresholdDecidesWhetherWaitingBytesRaiseAnEvent) {
    struct Row {
        int threshold;
        bool event;
    };
    for (const Row row : {Row{0, false}, Row{1, true}, Row{8, true}, Row{9, false}}) {
        Line line;
        line.port.send(kHandshake); // threshold 0: the bytes wait without an event
        line.clock.advance(0);
        EXPECT_TRUE(line.eventTimes.empty());
        line.port.setReceiveThreshold(row.threshold); // bytes already waiting count at once
        line.clock.advance(0);
        EXPECT_EQ(!line.eventTimes.empty(), row.event) << "threshold " << row.threshold;
        EXPECT_EQ(line.port.waiting(), 8u);
    }
}

TEST(ScriptedRadio, PiecesArriveOverTimeAndTheEventWaitsForTheLastNeeded) {
    Line line;
    line.port.chunkSize = 3;
    line.port.chunkDelayMs = 2;
    line.port.setReceiveThreshold(8);
    line.port.send(kHandshake);
    const std::vector<std::size_t> waitingAt{0, 0, 3, 3, 6, 6, 8}; // after 0, 1, ... 6 ms
    for (std::size_t ms = 0; ms < waitingAt.size(); ++ms) {
        line.clock.advance(ms == 0 ? 0 : 1);
        EXPECT_EQ(line.port.waiting(), waitingAt[ms]) << ms << " ms";
    }
    EXPECT_EQ(line.eventTimes, std::vector<std::int64_t>{6});
    EXPECT_EQ(line.port.takeAll(), kHandshakeAnswered);
}

TEST(ScriptedRadio, SynchronousEventsAreRaisedInsideTheCall) {
    Line line;
    line.port.synchronousEvents = true;
    line.port.setReceiveThreshold(8);
    line.port.send(kHandshake);
    EXPECT_EQ(line.eventTimes.size(), 1u);
    line.port.setReceiveThreshold(4);
    EXPECT_EQ(line.eventTimes.size(), 2u) << "the waiting bytes meet the new threshold at once";
}

TEST(ScriptedRadio, PulledCableDropsSendsAndHearsNothing) {
    Line line;
    line.port.faults[2] = RadioFault::pullCable();
    line.port.setReceiveThreshold(1);
    line.port.send(kHandshake);
    line.port.send(link::Bytes{0x52, 0x00, 0x00, 0x10});
    line.clock.advance(10);
    EXPECT_TRUE(line.port.cablePulled());
    EXPECT_FALSE(line.port.isOpen());
    EXPECT_FALSE(line.port.open()) << "a pulled cable does not come back within the run";
    EXPECT_TRUE(line.port.takeAll().empty());
    EXPECT_TRUE(line.eventTimes.empty()) << "the echo waiting before the pull is gone with it";
    ASSERT_EQ(line.port.sent.size(), 2u);
    EXPECT_EQ(line.port.sent[0].reach, ScriptedRadio::Reach::Radio);
    EXPECT_NE(line.port.sent[1].reach, ScriptedRadio::Reach::Radio);
    EXPECT_EQ(line.port.radio().framesReceived(), 1);
}

TEST(ScriptedRadio, ClosedPortDropsBytesStillOnTheirWay) {
    Line line;
    line.port.chunkSize = 4;
    line.port.chunkDelayMs = 1;
    line.port.setReceiveThreshold(1);
    line.port.send(kHandshake);
    line.clock.advance(1);
    line.port.close();
    line.clock.advance(10);
    EXPECT_EQ(line.port.waiting(), 0u);
    EXPECT_TRUE(line.port.takeAll().empty());
    EXPECT_EQ(std::count(line.port.calls.begin(), line.port.calls.end(), "close"), 1);
    EXPECT_TRUE(line.port.open()) << "a closed port, unlike a pulled cable, opens again";
}

} // namespace
} // namespace vorix::test
