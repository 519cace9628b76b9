// Events that reach the session while a prompt's event loop runs, or from inside its own calls.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "LinkHarness.h"

namespace vorix::test {
namespace {

using link::PromptAnswer;

// The radio's answer to the read request for address (echo not included).
link::Bytes DataAnswer(const ImageBytes& memory, int address) {
    link::Bytes answer{0x57, 0x00, static_cast<std::uint8_t>(address), 0x10};
    for (int i = 0; i < 16; ++i)
        answer.push_back(memory[static_cast<std::size_t>(address + i)]);
    return answer;
}

struct PromptReentry : ::testing::Test {
    LinkHarness h{true};
    void SetUp() override { h.radio.memory() = LinkHarness::Pattern(33); }

    // Takes a snapshot of what the session has done so far, to compare after nested events.
    struct Snapshot {
        std::size_t frames, log, prompts, calls;
    };
    Snapshot snap() const {
        return {h.radio.frames().size(), h.display.log.size(), h.prompt.asked.size(), h.radio.calls.size()};
    }
};

TEST_F(PromptReentry, LateAnswerAndTicksDuringTheTimeoutPromptChangeNothing) {
    h.radio.faults[3] = RadioFault::silent(); // request for 0x10
    std::optional<Snapshot> atPrompt;
    h.prompt.reply(PromptAnswer::Retry, [&] {
        atPrompt = snap();
        h.radio.deliver(DataAnswer(h.radio.memory(), 0x10)); // the late answer: 4 + 20 bytes waiting
        h.clock.advance(5000);                               // its receive event and any ticks run here
        h.session.onTimerTick();
        h.session.onTimerTick();
        h.radio.raiseEvent();
        EXPECT_EQ(h.radio.frames().size(), atPrompt->frames) << "no frame behind the prompt";
        EXPECT_EQ(h.display.log.size(), atPrompt->log) << "no progress behind the prompt";
        EXPECT_EQ(h.prompt.asked.size(), atPrompt->prompts) << "no second prompt";
        EXPECT_EQ(h.radio.waiting(), 0u) << "what arrived was taken and dropped";
        EXPECT_TRUE(h.vars().PromptOpen);
    });
    h.start();
    ASSERT_TRUE(h.runToEnd());
    ASSERT_TRUE(atPrompt);
    EXPECT_EQ(h.summary(), Join({{"H", "R:00", "R:10"}, FullRead()}));
    EXPECT_EQ(h.state.image.bytes(), h.radio.memory());
    EXPECT_EQ(h.prompt.asked.size(), 1u);
    EXPECT_EQ(h.prompt.unexpected, 0);
}

TEST_F(PromptReentry, WrongAnswersDuringTheWrongAnswerPromptOpenNoSecondOne) {
    h.radio.faults[2] = RadioFault::answerByte(0x15);
    h.prompt.reply(PromptAnswer::Cancel, [&] {
        const Snapshot atPrompt = snap();
        h.radio.deliver(link::Bytes(24, 0x15));
        h.clock.advance(10);
        h.radio.deliver(DataAnswer(h.radio.memory(), 0x00));
        h.radio.deliver(link::Bytes(4, 0x00));
        h.clock.advance(3000);
        EXPECT_EQ(h.radio.frames().size(), atPrompt.frames);
        EXPECT_EQ(h.prompt.asked.size(), atPrompt.prompts);
        EXPECT_EQ(h.display.log.size(), atPrompt.log);
    });
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.summary(), (std::vector<std::string>{"H", "R:00"}));
    EXPECT_EQ(h.prompt.asked.size(), 1u);
    EXPECT_EQ(h.state.image.bytes(), ImageBytes{});
}

TEST_F(PromptReentry, LateAnswerAfterCancelSendsNothingAndTheRunStillEnds) {
    h.radio.faults[3] = RadioFault::answerByte(0x15);
    h.prompt.reply(PromptAnswer::Cancel, [&] {
        // Arrives after the prompt has closed, before the 1 ms end-of-run tick.
        h.clock.schedule(0, [&] { h.radio.deliver(link::Bytes{0x52, 0x00, 0x10, 0x10}); });
        h.clock.schedule(0, [&] { h.radio.deliver(DataAnswer(h.radio.memory(), 0x10)); });
    });
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.summary(), (std::vector<std::string>{"H", "R:00", "R:10"}));
    EXPECT_EQ(h.clock.now(), h.prompt.asked[0].time + 1) << "the late event did not stop the end-of-run tick";
    EXPECT_EQ(h.state.image.bytes(), ImageBytes{});
    EXPECT_FALSE(h.radio.isOpen());
}

TEST_F(PromptReentry, DialogClosedWhileThePromptIsOpen) {
    for (PromptAnswer answer : {PromptAnswer::Retry, PromptAnswer::Cancel}) {
        LinkHarness g{true};
        g.radio.faults[2] = RadioFault::silent();
        std::size_t logAtClose = 0;
        g.prompt.reply(answer, [&] {
            g.session.abandon();
            logAtClose = g.display.log.size();
        });
        g.start();
        EXPECT_TRUE(g.clock.runUntilIdle());
        EXPECT_EQ(g.summary(), (std::vector<std::string>{"H", "R:00"})) << "nothing after the prompt";
        EXPECT_EQ(g.display.log.size(), logAtClose);
        EXPECT_EQ(g.display.closes, 0);
        EXPECT_FALSE(g.radio.isOpen());
        EXPECT_FALSE(g.timer.enabled());
    }
}

TEST(SessionLifetime, DestroyedWhileThePromptIsOpen) {
    FakeClock clock;
    ScriptedRadio radio{clock};
    FakeTimer timer{clock};
    AppState state;
    ScriptedPrompt prompt{clock, state};
    RecordingLinkDisplay display{state};
    state.readMode = true;
    // On the heap, so that a use after the deletion is caught by the address sanitizer.
    auto session = std::make_unique<link::LinkSession>(state, radio, timer, prompt, display);
    radio.onEvent = [&] {
        if (session)
            session->onReceived();
    };
    timer.onTick = [&] {
        if (session)
            session->onTimerTick();
    };
    radio.faults[1] = RadioFault::answerByte(0x00);
    prompt.reply(PromptAnswer::Retry, [&] {
        session->abandon();
        session.reset(); // the dialog is deleted from inside the prompt's event loop
    });
    session->load();
    session->StartLink(link::LinkStart::Read);
    EXPECT_TRUE(clock.runUntilIdle());
    EXPECT_FALSE(session);
    EXPECT_EQ(radio.frames().size(), 1u);
    EXPECT_FALSE(radio.isOpen());
}

TEST(SynchronousEvents, EventsRaisedInsideSendAreHandledAfterTheStep) {
    for (bool readMode : {true, false}) {
        LinkHarness plain{readMode};
        LinkHarness sync{readMode};
        for (LinkHarness* h : {&plain, &sync}) {
            h->state.image.replaceAll(LinkHarness::Pattern(44));
            h->radio.memory() = LinkHarness::Pattern(55);
        }
        sync.radio.synchronousEvents = true;
        sync.radio.answerDelayMs = 0; // the answer is there before send() returns
        plain.start();
        sync.start();
        EXPECT_EQ(sync.radio.frames().size(), readMode ? 10u : 18u)
            << "the whole exchange ran inside StartLink";
        EXPECT_TRUE(sync.vars().FinishPending);
        ASSERT_TRUE(plain.clock.runUntil([&] { return plain.vars().FinishPending; }));
        for (LinkHarness* h : {&plain, &sync}) {
            SCOPED_TRACE(h == &sync ? "synchronous" : "plain");
            EXPECT_FALSE(h->vars().AwaitingReply) << "no outer step overwrote the finished state";
            EXPECT_EQ(h->vars().AddrLow, 128);
            EXPECT_EQ(h->timer.interval(), 100);
        }
        std::vector<int> plainArmings, syncArmings;
        for (const auto& a : plain.timer.armings)
            plainArmings.push_back(a.interval);
        for (const auto& a : sync.timer.armings)
            syncArmings.push_back(a.interval);
        EXPECT_EQ(syncArmings, plainArmings) << "the timer was armed exactly as often";
        ASSERT_TRUE(plain.runToEnd());
        ASSERT_TRUE(sync.runToEnd());
        EXPECT_EQ(sync.radio.frames(), plain.radio.frames()) << readMode;
        EXPECT_EQ(sync.radio.thresholds, plain.radio.thresholds) << readMode;
        EXPECT_EQ(sync.display.log, plain.display.log) << readMode;
        EXPECT_EQ(sync.state.image.bytes(), plain.state.image.bytes()) << readMode;
        EXPECT_EQ(sync.radio.memory(), plain.radio.memory()) << readMode;
    }
}

TEST(SynchronousEvents, RestartsAndPromptsWorkTheSame) {
    LinkHarness h{false};
    h.state.image.replaceAll(LinkHarness::Pattern(12));
    h.radio.synchronousEvents = true;
    h.radio.answerDelayMs = 0;
    h.radio.faults = {{3, RadioFault::silent()}, {6, RadioFault::answerByte(0x33)}};
    h.prompt.reply(PromptAnswer::Retry);
    h.start();
    ASSERT_TRUE(h.runToEnd());
    ASSERT_EQ(h.summary().size(), 1u + 2 + 1 + 2 + 1 + 16 + 1);
    EXPECT_EQ(h.summary()[6], "H");
    EXPECT_EQ(h.summary()[7], "W8:00") << "long blocks went back to short at the Retry";
    EXPECT_EQ(h.radio.memory(), h.state.image.bytes());
    EXPECT_EQ(h.prompt.asked.size(), 1u);
}

} // namespace
} // namespace vorix::test
