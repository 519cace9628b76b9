// Time-outs, silent restarts, the "Check connection" prompt with Retry and Cancel, and the port
// that cannot be opened.

#include <gtest/gtest.h>

#include "LinkHarness.h"
#include "support/Languages.h"

namespace vorix::test {
namespace {

using link::PromptAnswer;
using link::PromptButtons;

constexpr const char* kCheckConnection = "Check connection!Retry or cancel?";

// Checks that a run ended without success: no end byte, no result, no refresh, dialog closed.
void ExpectFailedEnd(const LinkHarness& h, bool readMode, const ImageBytes& imageBefore) {
    EXPECT_FALSE(h.radio.endReceived());
    EXPECT_TRUE(h.display.results.empty());
    EXPECT_EQ(h.display.refreshes, 0);
    EXPECT_EQ(h.display.closes, 1);
    const std::vector<std::string> tail(h.display.log.end() - 3, h.display.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"enable", readMode ? "focus read" : "focus write", "close"}));
    EXPECT_EQ(h.state.image.bytes(), imageBefore);
    EXPECT_FALSE(h.radio.isOpen()) << "the port closes with the dialog at the latest";
}

TEST(NoAnswer, ElevenHandshakesOneSecondApartThenThePrompt) {
    for (bool readMode : {true, false}) {
        LinkHarness h{readMode};
        h.radio.radioOff = true;
        std::int16_t countAtPrompt = -1;
        h.prompt.reply(PromptAnswer::Cancel, [&] { countAtPrompt = h.vars().TimeoutCount; });
        h.start();
        ASSERT_TRUE(h.runToPrompt(1));
        EXPECT_EQ(h.summary(), Repeat("H", 11)) << readMode;
        for (std::size_t i = 0; i < h.radio.frameTimes().size(); ++i)
            EXPECT_EQ(h.radio.frameTimes()[i], static_cast<std::int64_t>(i) * 1000) << i;
        ASSERT_EQ(h.prompt.asked.size(), 1u);
        EXPECT_EQ(h.prompt.asked[0].text, kCheckConnection);
        EXPECT_EQ(h.prompt.asked[0].buttons, PromptButtons::RetryCancel);
        EXPECT_EQ(h.prompt.asked[0].time, 11000);
        EXPECT_EQ(countAtPrompt, 0);
        // Cancel after a time-out closes the port at once and ends the run 1 ms later.
        EXPECT_FALSE(h.radio.isOpen());
        EXPECT_TRUE(h.vars().FinishPending);
        EXPECT_TRUE(h.vars().PromptOpen) << "stays set: no restart can follow";
        EXPECT_EQ(h.display.closes, 0);
        ASSERT_TRUE(h.runToEnd());
        EXPECT_EQ(h.clock.now(), 11001);
        ExpectFailedEnd(h, readMode, ImageBytes{});
        EXPECT_EQ(h.summary(), Repeat("H", 11)) << "nothing more is sent after Cancel";
    }
}

TEST(NoAnswer, RetryGrantsElevenMore) {
    LinkHarness h{true};
    h.radio.radioOff = true;
    h.prompt.reply(PromptAnswer::Retry);
    h.prompt.reply(PromptAnswer::Cancel);
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.summary(), Repeat("H", 22));
    ASSERT_EQ(h.prompt.asked.size(), 2u);
    EXPECT_EQ(h.prompt.asked[0].time, 11000);
    EXPECT_EQ(h.radio.frameTimes()[11], 11000) << "Retry sends the handshake at once";
    EXPECT_EQ(h.prompt.asked[1].time, 22000);
    EXPECT_EQ(h.clock.now(), 22001);
    EXPECT_EQ(h.prompt.unexpected, 0);
}

TEST(NoAnswer, RetryAfterTheRadioIsSwitchedOnCompletesTheRead) {
    LinkHarness h{true};
    h.radio.memory() = LinkHarness::Pattern(9);
    h.radio.radioOff = true;
    h.prompt.reply(PromptAnswer::Retry, [&] { h.radio.radioOff = false; });
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.summary(), Join({Repeat("H", 11), FullRead()}));
    EXPECT_EQ(h.state.image.bytes(), h.radio.memory());
    EXPECT_EQ(h.display.results, (std::vector<std::string>{"Read Data OK"}));
    EXPECT_EQ(h.vars().TimeoutCount, 10) << "set again by every read request";
}

TEST(ReadTimeout, PromptsAtOnceAndCancelLeavesTheImage) {
    for (int silentFrame : {2, 5, 9}) {
        LinkHarness h{true};
        const ImageBytes before = LinkHarness::Pattern(1);
        h.state.image.replaceAll(before);
        h.radio.memory() = LinkHarness::Pattern(50);
        h.radio.faults[silentFrame] = RadioFault::silent();
        h.prompt.reply(PromptAnswer::Cancel);
        h.start();
        ASSERT_TRUE(h.runToEnd()) << silentFrame;
        ASSERT_EQ(h.radio.frames().size(), static_cast<std::size_t>(silentFrame))
            << "no restart before the prompt";
        ASSERT_EQ(h.prompt.asked.size(), 1u);
        EXPECT_EQ(h.prompt.asked[0].time, h.radio.frameTimes().back() + 1000) << silentFrame;
        EXPECT_EQ(h.clock.now(), h.prompt.asked[0].time + 1);
        ExpectFailedEnd(h, true, before);
    }
}

TEST(ReadTimeout, RetryStartsAgainWithTheHandshakeAtAddressZero) {
    LinkHarness h{true};
    h.radio.memory() = LinkHarness::Pattern(50);
    h.radio.faults[5] = RadioFault::silent(); // the request for 0x30
    h.prompt.reply(PromptAnswer::Retry);
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.summary(), Join({{"H", "R:00", "R:10", "R:20", "R:30"}, FullRead()}));
    EXPECT_EQ(h.state.image.bytes(), h.radio.memory());
    EXPECT_EQ(h.display.progress[5], 0.0) << "the restart's handshake answer shows 0 again";
}

TEST(WriteTimeout, TwoSilentRestartsThenThePrompt) {
    LinkHarness h{false};
    h.radio.silentFrom = 3; // the radio goes quiet after the first block
    h.prompt.reply(PromptAnswer::Cancel);
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.summary(), (std::vector<std::string>{"H", "W8:00", "W8:08", "H", "H"}));
    ASSERT_EQ(h.prompt.asked.size(), 1u);
    EXPECT_EQ(h.prompt.asked[0].time, h.radio.frameTimes()[2] + 3000);
    ExpectFailedEnd(h, false, h.state.image.bytes());
}

TEST(WriteTimeout, AnAcknowledgedBlockRestoresTheSilentRestarts) {
    LinkHarness h{false};
    // The first block after the first handshake goes unanswered; the restart's blocks are taken, so the
    // later time-out again gets its two silent restarts and the run completes without a prompt.
    h.radio.faults = {{3, RadioFault::silent()}, {8, RadioFault::silent()}};
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_TRUE(h.prompt.asked.empty());
    EXPECT_EQ(h.display.results, (std::vector<std::string>{"Write Data OK"}));
    EXPECT_EQ(h.radio.memory(), h.state.image.bytes());
}

TEST(WriteTimeout, ARadioThatTakesHandshakesButNoBlockIsNotRetriedForEver) {
    LinkHarness h{false};
    // Every first block after a handshake goes unanswered: the third time-out in a row asks the user,
    // although each restart's handshake was answered.
    h.radio.faults = {{2, RadioFault::silent()}, {4, RadioFault::silent()}, {6, RadioFault::silent()}};
    h.prompt.reply(PromptAnswer::Cancel);
    h.start();
    ASSERT_TRUE(h.runToEnd());
    ASSERT_EQ(h.prompt.asked.size(), 1u);
    EXPECT_EQ(h.summary(), (std::vector<std::string>{"H", "W8:00", "H", "W16:00", "H", "W8:00"}));
    ExpectFailedEnd(h, false, h.state.image.bytes());
}

struct WrongAnswerRow {
    bool readMode;
    int frame;
    std::uint8_t answer;
};

TEST(WrongAnswer, PromptsAtOnceInEveryPhaseAndCancelEnds) {
    const WrongAnswerRow rows[] = {
        {true, 1, 0x15},  {true, 1, 0x00},  {true, 2, 0x15},   {true, 9, 0xFF},
        {false, 1, 0x15}, {false, 2, 0x05}, {false, 17, 0x58},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "read " << row.readMode << " frame " << row.frame);
        LinkHarness h{row.readMode};
        const ImageBytes before = LinkHarness::Pattern(2);
        h.state.image.replaceAll(before);
        h.radio.memory() = LinkHarness::Pattern(70);
        h.radio.faults[row.frame] = RadioFault::answerByte(row.answer);
        bool portOpenAtPrompt = false;
        h.prompt.reply(PromptAnswer::Cancel, [&] { portOpenAtPrompt = h.radio.isOpen(); });
        h.start();
        ASSERT_TRUE(h.runToPrompt(1));
        EXPECT_EQ(h.prompt.asked[0].text, kCheckConnection);
        EXPECT_EQ(h.prompt.asked[0].time, h.radio.frameTimes().back() + h.radio.answerDelayMs)
            << "no time-out first";
        EXPECT_TRUE(portOpenAtPrompt);
        EXPECT_TRUE(h.radio.isOpen()) << "after a wrong answer the port closes with the dialog";
        ASSERT_TRUE(h.runToEnd());
        EXPECT_EQ(h.radio.frames().size(), static_cast<std::size_t>(row.frame))
            << "nothing sent after the wrong answer";
        EXPECT_EQ(h.clock.now(), h.prompt.asked[0].time + 1);
        ExpectFailedEnd(h, row.readMode, before);
        EXPECT_EQ(h.prompt.asked.size(), 1u);
    }
}

TEST(WrongAnswer, RetryRestartsAtAddressZeroWithAFreshBudget) {
    for (bool readMode : {true, false}) {
        LinkHarness h{readMode};
        h.state.image.replaceAll(LinkHarness::Pattern(4));
        h.radio.memory() = LinkHarness::Pattern(80);
        h.radio.faults[4] = RadioFault::answerByte(0x15);
        std::int16_t countBeforeRetry = -1;
        h.prompt.reply(PromptAnswer::Retry, [&] { countBeforeRetry = h.vars().TimeoutCount; });
        h.start();
        ASSERT_TRUE(h.runToPrompt(1));
        EXPECT_EQ(countBeforeRetry, readMode ? 10 : 8);
        EXPECT_EQ(h.vars().TimeoutCount, 0) << "Retry starts a fresh budget";
        EXPECT_EQ(h.vars().AddrLow, 0);
        EXPECT_EQ(h.summary()[4], "H");
        ASSERT_TRUE(h.clock.runUntil([&] { return h.radio.frames().size() >= 6; }));
        EXPECT_EQ(h.summary()[5], readMode ? "R:00" : "W8:00");
        EXPECT_EQ(h.vars().TimeoutCount, readMode ? 10 : 8) << "set again by the restart's first block";
        ASSERT_TRUE(h.runToEnd());
        EXPECT_EQ(h.radio.memory(), h.state.image.bytes()) << readMode;
        EXPECT_EQ(h.display.results.size(), 1u);
        EXPECT_FALSE(h.vars().PromptOpen);
    }
}

TEST(WrongAnswer, RetryResetsTheTimeoutCount) {
    LinkHarness h{true};
    h.radio.faults[1] = RadioFault::answerByte(0x15);
    h.radio.silentFrom = 2; // no restarted handshake gets an answer
    h.prompt.reply(PromptAnswer::Retry);
    h.prompt.reply(PromptAnswer::Cancel);
    h.start();
    ASSERT_TRUE(h.runToEnd());
    // After Retry the count starts from 0: the handshake is tried 11 times before the next prompt.
    EXPECT_EQ(h.summary(), Repeat("H", 12));
    ASSERT_EQ(h.prompt.asked.size(), 2u);
    EXPECT_EQ(h.prompt.asked[1].time, h.prompt.asked[0].time + 11000);
}

TEST(PortFailure, OneMessageNothingSentAndTheDialogClosesAfter1Ms) {
    const struct {
        bool readMode, english;
        const char* detail; // what the dialog adds beneath the message; null: nothing
        const char* message;
    } rows[] = {
        {true, true, nullptr, "Please reselect COM port!"},
        {false, true, nullptr, "Please reselect COM port!"},
        {true, false, nullptr, "请重新选择端口！"},
        {true, true, "COM3 (/dev/ttyS2)\nNo such file or directory",
         "Please reselect COM port!\nCOM3 (/dev/ttyS2)\nNo such file or directory"},
        {false, false, "COM3 (/dev/ttyS2)\nPermission denied",
         "请重新选择端口！\nCOM3 (/dev/ttyS2)\nPermission denied"},
    };
    for (const auto& row : rows) {
        LinkHarness h{row.readMode};
        h.state.language = LanguageFor(row.english);
        if (row.detail)
            h.session.setPortFailureDetail([&row] { return std::string(row.detail); });
        const ImageBytes before = LinkHarness::Pattern(6);
        h.state.image.replaceAll(before);
        h.radio.openFails = true;
        h.prompt.reply(PromptAnswer::Ok);
        h.start();
        ASSERT_EQ(h.prompt.asked.size(), 1u);
        EXPECT_EQ(h.prompt.asked[0].text, row.message);
        EXPECT_EQ(h.prompt.asked[0].buttons, PromptButtons::Ok);
        EXPECT_TRUE(h.vars().FinishPending);
        ASSERT_TRUE(h.runToEnd());
        EXPECT_EQ(h.clock.now(), 1);
        EXPECT_TRUE(h.radio.frames().empty());
        EXPECT_EQ(h.radio.droppedSends(), 0) << "not even tried";
        EXPECT_EQ(h.radio.calls, (std::vector<std::string>{"threshold 0", "open"}));
        EXPECT_TRUE(h.display.captions.empty()) << "the caption is kept";
        EXPECT_EQ(h.display.log,
                  (std::vector<std::string>{"progress", "enable", row.readMode ? "focus read" : "focus write",
                                            "close"}));
        EXPECT_EQ(h.state.image.bytes(), before);
        EXPECT_EQ(h.timer.ticks, 1);
    }
}

TEST(PortFailure, APortAlreadyOpenIsNotOpenedAgain) {
    LinkHarness h{true};
    ASSERT_TRUE(h.radio.open());
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(std::count(h.radio.calls.begin(), h.radio.calls.end(), "open"), 1);
    EXPECT_EQ(h.display.results, (std::vector<std::string>{"Read Data OK"}));
}

} // namespace
} // namespace vorix::test
