// A hostile link: short, split, misaddressed and data-less answers, a pulled cable, a dialog closed mid-run.
// Every row must end in the prompt or the end of run, never in a hang, a crash or a stray write.

#include <gtest/gtest.h>

#include "LinkHarness.h"

namespace vorix::test {
namespace {

using link::PromptAnswer;

struct Fixture {
    LinkHarness h;
    ImageBytes before = LinkHarness::Pattern(21);
    explicit Fixture(bool readMode) : h(readMode) {
        h.state.image.replaceAll(before);
        h.radio.memory() = LinkHarness::Pattern(90);
    }
};

// ---- Short and split answers ----------------------------------------------------------------

TEST(ShortAnswer, AnswerSplitOverTwoEventsIsJoined) {
    for (bool readMode : {true, false}) {
        Fixture f(readMode);
        f.h.radio.earlyEvents = true; // every frame's echo raises an event before its answer arrives
        f.h.start();
        ASSERT_TRUE(f.h.runToEnd());
        EXPECT_EQ(f.h.display.results.size(), 1u) << readMode;
        EXPECT_TRUE(f.h.prompt.asked.empty());
        if (readMode) {
            EXPECT_EQ(f.h.summary(), FullRead());
            EXPECT_EQ(f.h.state.image.bytes(), f.h.radio.memory());
            EXPECT_NE(std::find(f.h.radio.thresholds.begin(), f.h.radio.thresholds.end(), 20),
                      f.h.radio.thresholds.end())
                << "after a 4-byte echo the rest of the 24 is awaited";
        } else {
            EXPECT_EQ(f.h.radio.memory(), f.h.state.image.bytes());
        }
        EXPECT_EQ(f.h.radio.thresholds[2], 1) << "after the 7-byte echo only the answer byte is missing";
    }
}

TEST(ShortAnswer, TruncatedDataAnswerStoresNothingAndTimesOut) {
    for (std::size_t keep : {0u, 1u, 4u, 10u, 19u}) {
        for (bool early : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "keep " << keep << " early " << early);
            Fixture f(true);
            f.h.radio.earlyEvents = early;
            f.h.radio.faults[3] = RadioFault::truncate(keep);
            f.h.prompt.reply(PromptAnswer::Cancel);
            f.h.start();
            ASSERT_TRUE(f.h.runToEnd());
            EXPECT_EQ(f.h.summary(), (std::vector<std::string>{"H", "R:00", "R:10"}));
            ASSERT_EQ(f.h.prompt.asked.size(), 1u);
            EXPECT_EQ(f.h.prompt.asked[0].time, f.h.radio.frameTimes().back() + 1000)
                << "the time-out, not a wrong answer";
            EXPECT_EQ(f.h.state.image.bytes(), f.before);
        }
    }
}

TEST(ShortAnswer, TruncatedAnswerThenRetryReadsEverything) {
    Fixture f(true);
    f.h.radio.earlyEvents = true;
    f.h.radio.faults[3] = RadioFault::truncate(10);
    f.h.prompt.reply(PromptAnswer::Retry);
    f.h.start();
    ASSERT_TRUE(f.h.runToEnd());
    EXPECT_EQ(f.h.summary(), Join({{"H", "R:00", "R:10"}, FullRead()}));
    EXPECT_EQ(f.h.state.image.bytes(), f.h.radio.memory());
}

TEST(ShortAnswer, EmptyEventsDoNothing) {
    Fixture f(true);
    f.h.radio.answerDelayMs = 50;
    f.h.radio.raiseEvent(); // before the run: the port is not even open
    f.h.start();
    f.h.clock.advance(10);
    const auto calls = f.h.radio.calls.size();
    const auto log = f.h.display.log.size();
    f.h.radio.raiseEvent(); // the 7-byte echo is all there is: kept, the answer byte awaited
    EXPECT_EQ(f.h.radio.calls.size(), calls + 2);
    EXPECT_EQ(f.h.radio.calls.back(), "threshold 1");
    f.h.radio.raiseEvent(); // nothing waiting at all
    EXPECT_EQ(f.h.display.log.size(), log);
    EXPECT_TRUE(f.h.vars().AwaitingReply) << "still waiting for the answer";
    ASSERT_TRUE(f.h.runToEnd());
    EXPECT_EQ(f.h.summary(), FullRead());
    EXPECT_EQ(f.h.state.image.bytes(), f.h.radio.memory());
}

TEST(ShortAnswer, HandshakeAnsweredWith0x57StoresNothing) {
    for (bool readMode : {true, false}) {
        Fixture f(readMode);
        f.h.radio.handshakeAnswer = 0x57;
        f.h.start();
        ASSERT_TRUE(f.h.runToEnd());
        EXPECT_EQ(f.h.display.results.size(), 1u) << readMode;
        if (readMode)
            EXPECT_EQ(f.h.state.image.bytes(), f.h.radio.memory());
        else
            EXPECT_EQ(f.h.radio.memory(), f.h.state.image.bytes());
    }
}

// ---- Answers that are not the block asked for ------------------------------------------------

// A read request is answered only by the data of the block it asks for: another block's address,
// inside the image or not, or an acknowledgement without data, is a wrong answer. A read that
// took such an answer would end in "Read Data OK" over a block that never came from the radio.
TEST(WrongAddress, AnswerForAnotherBlockPromptsAndStoresNothing) {
    link::Bytes acknowledged(20, 0x00); // 0x06, padded to the threshold of 24
    acknowledged[0] = 0x06;
    const struct {
        const char* name;
        RadioFault fault; // on the request for 0x10
        std::int64_t promptAfterMs;
    } rows[] = {
        {"the block before", RadioFault::wrongAddress(0x00), 5},
        {"the block after", RadioFault::wrongAddress(0x20), 5},
        {"the last block", RadioFault::wrongAddress(0x70), 5},
        {"inside the last block", RadioFault::wrongAddress(0x71), 5},
        {"past the image", RadioFault::wrongAddress(0x80), 5},
        {"high byte set", RadioFault::wrongAddress(0x0110), 5},
        {"high byte 0x80", RadioFault::wrongAddress(0x8010), 5},
        {"all ones", RadioFault::wrongAddress(0xFFF0), 5},
        {"0x06 with the data", RadioFault::answerByte(0x06), 5},
        {"0x06 padded", RadioFault::replace(acknowledged), 5},
        {"0x06 alone", RadioFault::replace({0x06}), 1000}, // short of the threshold: the time-out
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f(true);
        f.h.radio.faults[3] = row.fault;
        f.h.prompt.reply(PromptAnswer::Cancel);
        f.h.start();
        ASSERT_TRUE(f.h.runToEnd());
        ASSERT_EQ(f.h.prompt.asked.size(), 1u);
        EXPECT_EQ(f.h.prompt.asked[0].text, "Check connection!Retry or cancel?");
        EXPECT_EQ(f.h.prompt.asked[0].time, f.h.radio.frameTimes().back() + row.promptAfterMs);
        EXPECT_EQ(f.h.summary(), (std::vector<std::string>{"H", "R:00", "R:10"}));
        EXPECT_TRUE(f.h.display.results.empty());
        EXPECT_EQ(f.h.display.refreshes, 0);
        EXPECT_EQ(f.h.state.image.bytes(), f.before);
    }
}

TEST(WrongAddress, AFarEndThatOnlyAcknowledgesNeverSucceeds) {
    Fixture f(true);
    link::Bytes acknowledged(20, 0x00);
    acknowledged[0] = 0x06;
    for (int frame = 1; frame <= 40; ++frame)
        if (frame % 2 == 0) // every frame after a handshake is a read request
            f.h.radio.faults[frame] = RadioFault::replace(acknowledged);
    for (int i = 0; i < 3; ++i)
        f.h.prompt.reply(PromptAnswer::Retry);
    f.h.prompt.reply(PromptAnswer::Cancel);
    f.h.start();
    ASSERT_TRUE(f.h.runToEnd());
    EXPECT_EQ(f.h.prompt.asked.size(), 4u);
    EXPECT_EQ(f.h.summary(), Join({{"H", "R:00"}, {"H", "R:00"}, {"H", "R:00"}, {"H", "R:00"}}));
    EXPECT_TRUE(f.h.display.results.empty());
    EXPECT_EQ(f.h.state.image.bytes(), f.before);
}

TEST(WrongAddress, RetryAfterAWrongAddressReadsEverything) {
    for (int address : {0x30, 0x7A}) { // the request for 0x20 answered for another block
        SCOPED_TRACE(address);
        Fixture f(true);
        f.h.radio.faults[4] = RadioFault::wrongAddress(address);
        f.h.prompt.reply(PromptAnswer::Retry);
        f.h.start();
        ASSERT_TRUE(f.h.runToEnd());
        EXPECT_EQ(f.h.summary(), Join({{"H", "R:00", "R:10", "R:20"}, FullRead()}));
        EXPECT_EQ(f.h.display.results, (std::vector<std::string>{"Read Data OK"}));
        EXPECT_EQ(f.h.state.image.bytes(), f.h.radio.memory());
    }
}

// ---- A cable pulled mid-run ------------------------------------------------------------------

TEST(CablePulled, EndsInThePromptAndCancelEndsTheRun) {
    const struct {
        bool readMode;
        int frame;
        std::size_t framesSent, dropped;
        std::int64_t promptAfterMs; // from the frame that was lost
    } rows[] = {
        {true, 1, 0, 10, 11000}, // handshake lost: 10 silent restarts go nowhere
        {true, 4, 3, 0, 1000},   // read request lost: the user is asked at once
        {false, 1, 0, 10, 11000},
        {false, 5, 4, 2, 3000}, // write block lost: two silent restarts, then the prompt
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "read " << row.readMode << " frame " << row.frame);
        Fixture f(row.readMode);
        f.h.radio.faults[row.frame] = RadioFault::pullCable();
        f.h.prompt.reply(PromptAnswer::Cancel);
        f.h.start();
        ASSERT_TRUE(f.h.runToEnd());
        EXPECT_EQ(f.h.radio.frames().size(), row.framesSent + 1)
            << "the lost frame is recorded, then nothing";
        EXPECT_EQ(f.h.radio.droppedSends(), static_cast<int>(row.dropped));
        ASSERT_EQ(f.h.prompt.asked.size(), 1u);
        EXPECT_EQ(f.h.prompt.asked[0].time, f.h.radio.frameTimes().back() + row.promptAfterMs);
        EXPECT_EQ(std::count(f.h.radio.calls.begin(), f.h.radio.calls.end(), "close"), 0)
            << "a dead port is not closed";
        EXPECT_EQ(f.h.display.closes, 1);
        EXPECT_TRUE(f.h.display.results.empty());
        EXPECT_EQ(f.h.state.image.bytes(), f.before);
    }
}

TEST(CablePulled, AReportedFailureAsksAtOnceUnlessTheRunIsOver) {
    const struct {
        bool readMode;
        int frame;
        bool succeeds; // the end byte was the last frame: the run is over and succeeds
    } rows[] = {
        {true, 1, false},  {true, 4, false},  {true, 10, true},
        {false, 1, false}, {false, 5, false}, {false, 18, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "read " << row.readMode << " frame " << row.frame);
        Fixture f(row.readMode);
        f.h.radio.faults[row.frame] = RadioFault::pullCable();
        f.h.radio.onFailed = [&f] { f.h.session.onPortFailed(); };
        f.h.prompt.reply(PromptAnswer::Cancel);
        f.h.start();
        ASSERT_TRUE(f.h.runToEnd());
        EXPECT_EQ(f.h.radio.frames().size(), static_cast<std::size_t>(row.frame));
        EXPECT_EQ(f.h.radio.droppedSends(), 0) << "no restart into the dead port";
        EXPECT_EQ(f.h.display.results.size(), row.succeeds ? 1u : 0u);
        if (row.succeeds)
            continue;
        ASSERT_EQ(f.h.prompt.asked.size(), 1u);
        EXPECT_EQ(f.h.prompt.asked[0].text, "Check connection!Retry or cancel?");
        EXPECT_EQ(f.h.prompt.asked[0].time, f.h.radio.frameTimes().back()) << "no time-out waited for";
        EXPECT_EQ(f.h.state.image.bytes(), f.before);
    }
}

TEST(CablePulled, RetryOnADeadPortAsksAgain) {
    Fixture f(true);
    f.h.radio.faults[3] = RadioFault::pullCable();
    f.h.prompt.reply(PromptAnswer::Retry);
    f.h.prompt.reply(PromptAnswer::Cancel);
    f.h.start();
    ASSERT_TRUE(f.h.runToEnd());
    EXPECT_EQ(f.h.radio.droppedSends(), 11);
    ASSERT_EQ(f.h.prompt.asked.size(), 2u);
    EXPECT_EQ(f.h.prompt.asked[1].time, f.h.prompt.asked[0].time + 11000);
    EXPECT_EQ(f.h.state.image.bytes(), f.before);
}

// ---- The dialog closed during a run ----------------------------------------------------------

TEST(Abandon, MidRunStopsEverythingWithoutTheEndByte) {
    for (bool readMode : {true, false}) {
        Fixture f(readMode);
        f.h.start();
        ASSERT_TRUE(f.h.clock.runUntil([&] { return f.h.radio.frames().size() >= 3; }));
        f.h.session.abandon();
        EXPECT_TRUE(f.h.session.hasEnded());
        EXPECT_FALSE(f.h.radio.isOpen());
        EXPECT_FALSE(f.h.timer.enabled());
        const auto log = f.h.display.log;
        f.h.session.onReceived();
        f.h.session.onTimerTick();
        f.h.session.StartLink(link::LinkStart::Retry);
        f.h.session.StartLink(f.h.startKind());
        f.h.session.abandon();
        EXPECT_TRUE(f.h.clock.runUntilIdle());
        EXPECT_EQ(f.h.radio.frames().size(), 3u);
        EXPECT_EQ(f.h.radio.droppedSends(), 0) << "not even tried";
        EXPECT_FALSE(f.h.radio.endReceived());
        EXPECT_EQ(f.h.display.log, log) << "no display call after abandon";
        EXPECT_EQ(f.h.state.image.bytes(), f.before);
        EXPECT_EQ(std::count(f.h.radio.calls.begin(), f.h.radio.calls.end(), "open"), 1);
    }
}

TEST(Abandon, BetweenTheLastAnswerAndTheEndOfRunKeepsTheOldImage) {
    Fixture f(true);
    f.h.start();
    ASSERT_TRUE(f.h.clock.runUntil([&] { return f.h.vars().FinishPending; }));
    EXPECT_TRUE(f.h.radio.endReceived());
    f.h.session.abandon();
    EXPECT_TRUE(f.h.clock.runUntilIdle());
    EXPECT_EQ(f.h.state.image.bytes(), f.before) << "image and main window stay consistent";
    EXPECT_EQ(f.h.display.refreshes, 0);
    EXPECT_TRUE(f.h.display.results.empty());
    EXPECT_EQ(f.h.display.closes, 0);
}

TEST(Abandon, BeforeTheRunOpensNothing) {
    Fixture f(true);
    f.h.session.abandon();
    f.h.start();
    EXPECT_TRUE(f.h.clock.runUntilIdle());
    EXPECT_EQ(f.h.radio.calls, (std::vector<std::string>{"threshold 0"}));
    EXPECT_EQ(f.h.display.closes, 0);
}

TEST(EndByte, SentBeforeThePortClosesInBothModes) {
    for (bool readMode : {true, false}) {
        Fixture f(readMode);
        f.h.start();
        ASSERT_TRUE(f.h.runToEnd());
        const auto& calls = f.h.radio.calls;
        ASSERT_GE(calls.size(), 2u);
        const std::vector<std::string> last(calls.end() - 2, calls.end());
        EXPECT_EQ(last, (std::vector<std::string>{"send 45", "close"})) << readMode;
    }
}

TEST(SecondStart, ADialogCarriesOneRun) {
    Fixture f(true);
    f.h.start();
    f.h.start();
    ASSERT_TRUE(f.h.runToEnd());
    EXPECT_EQ(f.h.summary(), FullRead());
    EXPECT_EQ(std::count(f.h.radio.calls.begin(), f.h.radio.calls.end(), "open"), 1);
}

} // namespace
} // namespace vorix::test
