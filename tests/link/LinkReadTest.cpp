// Reading the radio: the frames, thresholds, progress and the image a well-behaved radio leaves.

#include <gtest/gtest.h>

#include "LinkHarness.h"

namespace vorix::test {
namespace {

using link::LinkState;

std::vector<std::string> ReadRequests() {
    std::vector<std::string> frames;
    for (int a = 0; a < 0x80; a += 0x10)
        frames.push_back(HexBytes({0x52, 0x00, static_cast<std::uint8_t>(a), 0x10}));
    return frames;
}

struct ReadRun : ::testing::Test {
    LinkHarness h{true};
    ImageBytes before = LinkHarness::Pattern(3);
    void SetUp() override {
        h.state.image.replaceAll(before);
        h.radio.memory() = LinkHarness::Pattern(100);
    }
};

TEST_F(ReadRun, SendsHandshakeEightRequestsAndTheEndByte) {
    h.start();
    ASSERT_TRUE(h.runToEnd());
    std::vector<std::string> expected{"50 52 4F 47 52 41 4D"};
    for (const auto& r : ReadRequests())
        expected.push_back(r);
    expected.push_back("45");
    EXPECT_EQ(h.radio.frameTexts(), expected);
    EXPECT_EQ(h.radio.thresholds, (std::vector<int>{0, 8, 24, 24, 24, 24, 24, 24, 24, 24}));
    EXPECT_TRUE(h.radio.endReceived());
    EXPECT_EQ(h.radio.droppedSends(), 0);
    EXPECT_TRUE(h.prompt.asked.empty());
}

TEST_F(ReadRun, ImageTakesTheRadioBytesOnlyAtTheEndOfRun) {
    h.start();
    ASSERT_TRUE(h.clock.runUntil([&] { return h.vars().FinishPending; }));
    EXPECT_EQ(h.state.image.bytes(), before) << "nothing is taken over before the end of run";
    EXPECT_FALSE(h.radio.isOpen()) << "closed right after the end byte";
    ImageBytes shownByMainWindow{};
    h.display.onRefresh = [&] { shownByMainWindow = h.state.image.bytes(); };
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.state.image.bytes(), h.radio.memory());
    EXPECT_EQ(shownByMainWindow, h.radio.memory()) << "the main window refresh sees the new image";
}

TEST_F(ReadRun, EndByteThenCloseThenEndOfRunAfter100Ms) {
    h.start();
    ASSERT_TRUE(h.runToEnd());
    const auto& calls = h.radio.calls;
    const auto end = std::find(calls.begin(), calls.end(), "send 45");
    ASSERT_NE(end, calls.end());
    ASSERT_NE(end + 1, calls.end());
    EXPECT_EQ(*(end + 1), "close");
    EXPECT_EQ(h.timer.armings.back().interval, 100);
    EXPECT_EQ(h.clock.now(), h.radio.frameTimes().back() + 100);
    EXPECT_EQ(h.timer.ticks, 1) << "only the end-of-run tick";
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "close"), 1);
    EXPECT_EQ(calls.front(), "threshold 0") << "the dialog's load sets no receive events";
    EXPECT_EQ(calls[1], "open");
}

TEST_F(ReadRun, ProgressAndLabels) {
    h.start();
    ASSERT_TRUE(h.runToEnd());
    const std::vector<double> progress{0,       0,       1.0 / 8, 2.0 / 8, 3.0 / 8,
                                       4.0 / 8, 5.0 / 8, 6.0 / 8, 7.0 / 8, 1};
    EXPECT_EQ(h.display.progress, progress) << "the load's 0, then one value per answer";
    EXPECT_EQ(h.display.labels, (std::vector<std::string>{"Complete:%", "Complete:13%", "Complete:25%",
                                                          "Complete:38%", "Complete:50%", "Complete:63%",
                                                          "Complete:75%", "Complete:88%", "Complete:100%"}));
}

TEST_F(ReadRun, EndOfRunShowsReadDataOkRefreshesAndCloses) {
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.display.captions, (std::vector<std::string>{"Read data from radio"}));
    const std::vector<std::string> tail(h.display.log.end() - 5, h.display.log.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"enable", "focus read", "result Read Data OK", "refresh", "close"}));
    EXPECT_EQ(h.display.closes, 1);
    EXPECT_TRUE(h.session.hasEnded());
    EXPECT_FALSE(h.vars().TransferOk) << "cleared by the end of run";
    EXPECT_FALSE(h.vars().FinishPending);
}

TEST_F(ReadRun, ChineseTexts) {
    h.state.language = Language::Chinese;
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.display.captions, (std::vector<std::string>{"从对讲机读取数据"}));
    EXPECT_EQ(h.display.labels.front(), "完成进度:%");
    EXPECT_EQ(h.display.labels.back(), "完成进度:100%");
    EXPECT_EQ(h.display.results, (std::vector<std::string>{"读频成功"}));
}

TEST_F(ReadRun, VariablesAfterEachFrame) {
    const struct {
        std::size_t frames;
        LinkState state;
        int echo, addrLow, timeoutCount;
    } rows[] = {
        {1, LinkState::AwaitingAnswer, 7, 0, 0},    // handshake
        {2, LinkState::AwaitingAnswer, 4, 16, 10},  // request for 0x00
        {3, LinkState::AwaitingAnswer, 4, 32, 10},  // request for 0x10
        {9, LinkState::AwaitingAnswer, 4, 128, 10}, // request for 0x70
    };
    h.start();
    for (const auto& row : rows) {
        ASSERT_TRUE(h.clock.runUntil([&] { return h.radio.frames().size() >= row.frames; })) << row.frames;
        EXPECT_EQ(h.vars().LinkState, row.state) << row.frames;
        EXPECT_EQ(h.vars().EchoLength, row.echo) << row.frames;
        EXPECT_EQ(h.vars().AddrLow, row.addrLow) << row.frames;
        EXPECT_EQ(h.vars().AddrHigh, 0) << row.frames;
        EXPECT_EQ(h.vars().TimeoutCount, row.timeoutCount) << row.frames;
        EXPECT_TRUE(h.vars().AwaitingReply) << row.frames;
        EXPECT_TRUE(h.timer.enabled()) << row.frames;
        EXPECT_EQ(h.timer.interval(), 1000) << row.frames;
    }
}

TEST_F(ReadRun, WaitingInputIsFlushedBeforeTheHandshake) {
    h.radio.preload({0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09});
    h.start();
    EXPECT_EQ(h.radio.calls[2], "take 9");
    EXPECT_EQ(h.radio.calls[4], "send 50 52 4F 47 52 41 4D");
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.state.image.bytes(), h.radio.memory());
}

} // namespace
} // namespace vorix::test
