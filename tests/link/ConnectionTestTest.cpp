// The connection test: the link's handshake against the scripted radio on the fake clock.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "link/ConnectionTest.h"
#include "support/FakeClock.h"
#include "support/FakeTimer.h"
#include "support/ScriptedRadio.h"

using namespace vorix;
using namespace vorix::link;
using vorix::test::RadioFault;

namespace {

struct Row {
    const char* name;
    std::function<void(test::ScriptedRadio&, test::FakeClock&)> script;
    ConnectionResult result;
    std::vector<std::string> frames; // "H" handshake, "E" end byte
    std::int64_t endsBy;             // fake milliseconds
};

std::string Kind(const Bytes& frame) {
    return frame == Bytes{0x45} ? "E" : frame == Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M'} ? "H" : "?";
}

} // namespace

TEST(ConnectionTestTest, HandshakeThenEndByte) {
    const Row rows[] = {
        {"answers", [](test::ScriptedRadio&, test::FakeClock&) {}, ConnectionResult::Answers, {"H", "E"}, 10},
        {"answers with 0x57",
         [](test::ScriptedRadio& r, test::FakeClock&) { r.handshakeAnswer = 0x57; },
         ConnectionResult::Answers,
         {"H", "E"},
         10},
        {"answers the third handshake",
         [](test::ScriptedRadio& r, test::FakeClock&) {
             r.faults = {{1, RadioFault::silent()}, {2, RadioFault::silent()}};
         },
         ConnectionResult::Answers,
         {"H", "H", "H", "E"},
         2010},
        {"answer in two pieces", // the echo at once, the answer byte just before the time-out
         [](test::ScriptedRadio& r, test::FakeClock& c) {
             r.faults = {{1, RadioFault::truncate(0)}};
             c.schedule(999, [&r] { r.deliver({0x06}); });
         },
         ConnectionResult::Answers,
         {"H", "E"},
         1010},
        {"silent",
         [](test::ScriptedRadio& r, test::FakeClock&) { r.radioOff = true; },
         ConnectionResult::NoAnswer,
         {"H", "H", "H"},
         3000},
        {"wrong answer",
         [](test::ScriptedRadio& r, test::FakeClock&) { r.handshakeAnswer = 0x15; },
         ConnectionResult::WrongAnswer,
         {"H", "E"},
         10},
        {"port missing",
         [](test::ScriptedRadio& r, test::FakeClock&) { r.openFails = true; },
         ConnectionResult::PortDoesNotOpen,
         {},
         0},
        {"cable pulled",
         [](test::ScriptedRadio& r, test::FakeClock&) {
             r.faults = {{1, RadioFault::pullCable()}};
         },
         ConnectionResult::PortDoesNotOpen,
         {"H"},
         10},
    };
    for (const Row& row : rows) {
        test::FakeClock clock;
        test::ScriptedRadio radio(clock);
        test::FakeTimer timer(clock);
        ConnectionTest connection(radio, timer);
        radio.onEvent = [&] { connection.onReceived(); };
        radio.onFailed = [&] { connection.onPortFailed(); };
        timer.onTick = [&] { connection.onTimerTick(); };
        row.script(radio, clock);
        const sim::Memory memory = radio.memory();

        connection.start();
        ASSERT_TRUE(clock.runUntil([&] { return connection.done(); })) << row.name;
        EXPECT_EQ(connection.result(), row.result) << row.name;
        EXPECT_LE(clock.now(), row.endsBy) << row.name;
        std::vector<std::string> frames;
        for (const Bytes& frame : radio.frames())
            frames.push_back(Kind(frame));
        EXPECT_EQ(frames, row.frames) << row.name;
        EXPECT_FALSE(radio.isOpen()) << row.name;
        EXPECT_FALSE(timer.enabled()) << row.name;
        EXPECT_EQ(radio.memory(), memory) << row.name;
        // Nothing more happens once the test is over.
        clock.advance(5000);
        EXPECT_EQ(radio.frames().size(), row.frames.size()) << row.name;
    }
}

TEST(ConnectionTestTest, ResultTexts) {
    const std::pair<ConnectionResult, const char*> english[] = {
        {ConnectionResult::Answers, "The radio answers on COM33"},
        {ConnectionResult::NoAnswer, "No answer from the radio on COM33"},
        {ConnectionResult::WrongAnswer, "The radio gives a wrong answer on COM33"},
    };
    for (const auto& [result, text] : english)
        EXPECT_EQ(ConnectionResultText(result, 33, "", Language::English), text);
    EXPECT_EQ(ConnectionResultText(ConnectionResult::PortDoesNotOpen, 5, "No such file or directory",
                                   Language::English),
              "The port does not open: COM5 (No such file or directory)");
    EXPECT_EQ(ConnectionResultText(ConnectionResult::Answers, 33, "", Language::Chinese),
              "对讲机已应答，端口 COM33");
}
