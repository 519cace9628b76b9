// Writing the radio: 8-byte blocks, the switch to 16-byte blocks after a restart, progress.

#include <gtest/gtest.h>

#include "LinkHarness.h"

namespace vorix::test {
namespace {

std::vector<std::string> WriteBlocks(const ImageBytes& image, int length) {
    std::vector<std::string> frames;
    for (int a = 0; a < kImageSize; a += length) {
        link::Bytes frame{0x57, 0x00, static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(length)};
        for (int i = 0; i < length; ++i)
            frame.push_back(image[static_cast<std::size_t>(a + i)]);
        frames.push_back(HexBytes(frame));
    }
    return frames;
}

struct WriteRun : ::testing::Test {
    LinkHarness h{false};
    void SetUp() override {
        ImageBytes image = LinkHarness::Pattern(11);
        image[127] = 0x51; // the main window's write mark
        h.state.image.replaceAll(image);
    }
    const ImageBytes& image() const { return h.state.image.bytes(); }
};

TEST_F(WriteRun, SixteenBlocksOfEightBytesByteForByte) {
    h.start();
    ASSERT_TRUE(h.runToEnd());
    const auto expected = Join({{"50 52 4F 47 52 41 4D"}, WriteBlocks(image(), 8), {"45"}});
    EXPECT_EQ(h.radio.frameTexts(), expected);
    std::vector<int> thresholds{0, 8};
    thresholds.insert(thresholds.end(), 16, 13);
    EXPECT_EQ(h.radio.thresholds, thresholds);
    for (std::size_t k = 1; k + 1 < h.radio.frames().size(); ++k)
        EXPECT_EQ(h.radio.frames()[k].size(), 12u) << k;
    EXPECT_EQ(h.radio.memory(), image()) << "the radio holds the image, write mark included";
    EXPECT_EQ(h.state.image.bytes()[127], 0x51) << "the image itself is not changed";
    EXPECT_TRUE(h.radio.endReceived());
}

TEST_F(WriteRun, ProgressLabelsAndResult) {
    h.start();
    ASSERT_TRUE(h.runToEnd());
    std::vector<double> progress{0};
    for (int k = 0; k <= 16; ++k)
        progress.push_back(k / 16.0);
    EXPECT_EQ(h.display.progress, progress);
    EXPECT_EQ(
        h.display.labels,
        (std::vector<std::string>{"Complete:%", "Complete:6%", "Complete:13%", "Complete:19%", "Complete:25%",
                                  "Complete:31%", "Complete:38%", "Complete:44%", "Complete:50%",
                                  "Complete:56%", "Complete:63%", "Complete:69%", "Complete:75%",
                                  "Complete:81%", "Complete:88%", "Complete:94%", "Complete:100%"}));
    EXPECT_EQ(h.display.captions, (std::vector<std::string>{"Write data into radio"}));
    const std::vector<std::string> tail(h.display.log.end() - 4, h.display.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"enable", "focus write", "result Write Data OK", "close"}));
    EXPECT_EQ(h.display.refreshes, 0) << "a write does not refresh the main window";
    EXPECT_EQ(h.clock.now(), h.radio.frameTimes().back() + 100);
}

TEST_F(WriteRun, VariablesAfterAWriteBlock) {
    h.start();
    ASSERT_TRUE(h.clock.runUntil([&] { return h.radio.frames().size() >= 3; }));
    EXPECT_EQ(h.vars().EchoLength, 12);
    EXPECT_EQ(h.vars().AddrLow, 16);
    EXPECT_EQ(h.vars().TimeoutCount, 8);
    EXPECT_FALSE(h.vars().LongWriteBlocks);
}

TEST_F(WriteRun, AnswerIsTheByteAfterTheEcho) {
    // 0x57 is accepted as well as 0x06; any other byte at rx[12] prompts at once.
    h.radio.writeAnswer = 0x57;
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.display.results, (std::vector<std::string>{"Write Data OK"}));
}

TEST_F(WriteRun, UnansweredBlockRestartsSilentlyWithSixteenByteBlocks) {
    h.radio.faults[3] = RadioFault::silent(); // the block for 0x08
    h.start();
    ASSERT_TRUE(h.runToEnd());
    EXPECT_EQ(h.summary(), Join({{"H", "W8:00", "W8:08", "H"}, Blocks("W16", 16), {"E"}}));
    EXPECT_EQ(h.radio.frameTimes()[3], h.radio.frameTimes()[2] + 1000) << "the restart follows the time-out";
    const auto longFrames = WriteBlocks(image(), 16);
    const auto sent = h.radio.frameTexts();
    EXPECT_EQ(std::vector<std::string>(sent.begin() + 4, sent.end() - 1), longFrames);
    EXPECT_EQ(h.radio.thresholds.back(), 21);
    EXPECT_EQ(h.radio.frames()[4].size(), 20u);
    EXPECT_EQ(h.radio.memory(), image());
    EXPECT_TRUE(h.prompt.asked.empty()) << "a single time-out restarts silently";
    EXPECT_EQ(h.display.results, (std::vector<std::string>{"Write Data OK"}));
}

struct BlockLengthRow {
    const char* name;
    std::map<int, RadioFault> faults;
    int retries; // Retry answers queued for wrong-answer prompts
    std::vector<std::string> frames;
};

TEST(LongWriteBlocks, ToggleOnEveryRestartWhoseInputStartsWith0x57) {
    const BlockLengthRow rows[] = {
        {"8-byte block unanswered: 16 next",
         {{3, RadioFault::silent()}},
         0,
         Join({{"H", "W8:00", "W8:08", "H"}, Blocks("W16", 16), {"E"}})},
        {"then a 16-byte block unanswered: back to 8",
         {{3, RadioFault::silent()}, {5, RadioFault::silent()}},
         0,
         Join({{"H", "W8:00", "W8:08", "H", "W16:00", "H"}, Blocks("W8", 8), {"E"}})},
        {"unanswered handshake (echo starts 0x50): unchanged",
         {{1, RadioFault::silent()}},
         0,
         Join({{"H", "H"}, Blocks("W8", 8), {"E"}})},
        {"restart with nothing waiting: unchanged",
         {{3, RadioFault::answerByte(0x15)}},
         1,
         Join({{"H", "W8:00", "W8:08", "H"}, Blocks("W8", 8), {"E"}})},
        {"long blocks, restart with nothing waiting: back to 8",
         {{3, RadioFault::silent()}, {6, RadioFault::answerByte(0x15)}},
         1,
         Join({{"H", "W8:00", "W8:08", "H", "W16:00", "W16:10", "H"}, Blocks("W8", 8), {"E"}})},
    };
    for (const auto& row : rows) {
        LinkHarness h{false};
        h.state.image.replaceAll(LinkHarness::Pattern(5));
        h.radio.faults = row.faults;
        for (int i = 0; i < row.retries; ++i)
            h.prompt.reply(link::PromptAnswer::Retry);
        h.start();
        ASSERT_TRUE(h.runToEnd()) << row.name;
        EXPECT_EQ(h.summary(), row.frames) << row.name;
        EXPECT_EQ(h.radio.memory(), h.state.image.bytes()) << row.name;
        EXPECT_EQ(h.prompt.asked.size(), static_cast<std::size_t>(row.retries)) << row.name;
        EXPECT_EQ(h.prompt.unexpected, 0) << row.name;
    }
}

TEST(LongWriteBlocks, EveryFreshStartBeginsWithEightByteBlocks) {
    LinkHarness h{false};
    EXPECT_FALSE(h.vars().LongWriteBlocks);
    h.start();
    ASSERT_TRUE(h.clock.runUntil([&] { return h.radio.frames().size() >= 2; }));
    EXPECT_EQ(h.summary()[1], "W8:00");
}

} // namespace
} // namespace vorix::test
