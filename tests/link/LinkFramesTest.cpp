// Frames, answer parsing, the block-length rule and the progress texts, byte for byte.

#include <gtest/gtest.h>

#include "link/LinkFrames.h"
#include "link/LinkTexts.h"
#include "link/ProgressText.h"
#include "support/ScriptedRadio.h"

namespace vorix::link {
namespace {

using test::HexBytes;

TEST(LinkFrames, HandshakeReadRequestAndEndByte) {
    EXPECT_EQ(HexBytes(HandshakeFrame()), "50 52 4F 47 52 41 4D");
    EXPECT_EQ(HexBytes(EndFrame()), "45");
    const struct {
        int high, low;
        const char* frame;
    } rows[] = {{0, 0x00, "52 00 00 10"},
                {0, 0x10, "52 00 10 10"},
                {0, 0x70, "52 00 70 10"},
                {1, 0x20, "52 01 20 10"}};
    for (const auto& row : rows)
        EXPECT_EQ(HexBytes(ReadRequestFrame(row.high, row.low)), row.frame) << row.frame;
    EXPECT_EQ(kReadAnswerThreshold, 24);
    EXPECT_EQ(AnswerThreshold(kHandshakeLength), 8);
}

TEST(LinkFrames, WriteBlocksCarryTheImageBytesFromTheirAddress) {
    ImageBytes bytes{};
    for (int i = 0; i < kImageSize; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 0x80);
    const RadioImage image(bytes);
    EXPECT_EQ(HexBytes(WriteBlockFrame(0, 0x08, 8, image)), "57 00 08 08 88 89 8A 8B 8C 8D 8E 8F");
    EXPECT_EQ(HexBytes(WriteBlockFrame(0, 0x78, 8, image)), "57 00 78 08 F8 F9 FA FB FC FD FE FF");
    EXPECT_EQ(HexBytes(WriteBlockFrame(0, 0x70, 16, image)),
              "57 00 70 10 F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF");
    EXPECT_EQ(AnswerThreshold(kWriteHeaderLength + 8), 13);
    EXPECT_EQ(AnswerThreshold(kWriteHeaderLength + 16), 21);
    EXPECT_THROW(WriteBlockFrame(0, 0x7C, 8, image), std::out_of_range) << "never sends bytes from outside";
}

TEST(LinkFrames, AcceptedAnswerBytes) {
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(IsAcceptedAnswer(static_cast<std::uint8_t>(b)), b == 0x06 || b == 0x57) << b;
}

TEST(LinkFrames, DataBlockNeedsTheMarkAndAllSixteenBytes) {
    Bytes rx{0x52, 0x00, 0x10, 0x10, 0x57, 0x00, 0x20, 0x10};
    for (int i = 0; i < 16; ++i)
        rx.push_back(static_cast<std::uint8_t>(0xA0 + i));
    const auto block = ParseDataBlock(rx, 4);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->address, 0x20);
    EXPECT_EQ(block->data.front(), 0xA0);
    EXPECT_EQ(block->data.back(), 0xAF);

    Bytes shortByOne(rx.begin(), rx.end() - 1);
    EXPECT_FALSE(ParseDataBlock(shortByOne, 4)) << "one data byte missing";
    Bytes acknowledged = rx;
    acknowledged[4] = 0x06;
    EXPECT_FALSE(ParseDataBlock(acknowledged, 4)) << "0x06 carries no data";
    EXPECT_FALSE(ParseDataBlock(Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M', 0x57}, 7))
        << "handshake answered 0x57";
    EXPECT_FALSE(ParseDataBlock(Bytes{}, 4));
    EXPECT_FALSE(ParseDataBlock(rx, -1));

    Bytes highAddress = rx;
    highAddress[5] = 0x80;
    EXPECT_EQ(ParseDataBlock(highAddress, 4)->address, 0x8020) << "the high byte is unsigned";
}

TEST(LinkFrames, BlockFitsImageOnlyWithinZeroTo127) {
    const std::pair<int, bool> rows[] = {{0, true},     {0x70, true},   {0x71, false},   {0x7F, false},
                                         {0x80, false}, {0x100, false}, {0x8000, false}, {-1, false}};
    for (auto [address, fits] : rows)
        EXPECT_EQ(BlockFitsImage(address), fits) << address;
}

TEST(LinkFrames, BlockLengthRule) {
    const struct {
        bool longBlocks;
        Bytes waiting;
        bool expected;
        const char* why;
    } rows[] = {
        {false, {0x57, 0x00, 0x08, 0x08}, true, "echo of an unanswered write block"},
        {false, {0x57}, true, "one byte 0x57 is enough"},
        {false, {0x50, 0x52, 0x4F}, false, "echo of an unanswered handshake"},
        {false, {}, false, "nothing waiting"},
        {false, {0x06, 0x57}, false, "only the first byte counts"},
        {true, {0x57, 0x00}, false, "long blocks always go back to short"},
        {true, {0x50}, false, "long blocks always go back to short"},
        {true, {}, false, "long blocks always go back to short"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(NextLongWriteBlocks(row.longBlocks, row.waiting), row.expected) << row.why;
}

TEST(ProgressText, FractionOfTheAddressCounter) {
    EXPECT_DOUBLE_EQ(ProgressFraction(0, 0, 0, 128), 0.0);
    EXPECT_DOUBLE_EQ(ProgressFraction(0, 16, 0, 128), 0.125);
    EXPECT_DOUBLE_EQ(ProgressFraction(0, 128, 0, 128), 1.0);
    EXPECT_DOUBLE_EQ(ProgressFraction(1, 0, 0, 128), 1.0) << "clamped to 1";
    EXPECT_DOUBLE_EQ(ProgressFraction(0, 5, 0, 0), 1.0) << "no division by zero";
}

TEST(ProgressText, PercentPatternRoundsHalvesUpAndWritesNothingForZero) {
    const std::pair<double, const char*> rows[] = {
        {0.0, "%"},       {0.004, "%"},      {1.0 / 16, "6%"},     {2.0 / 16, "13%"}, {3.0 / 16, "19%"},
        {3.0 / 8, "38%"}, {0.5, "50%"},      {5.0 / 8, "63%"},     {7.0 / 8, "88%"},  {15.0 / 16, "94%"},
        {1.0, "100%"},    {1.0 / 128, "1%"}, {127.0 / 128, "99%"},
    };
    for (auto [p, text] : rows)
        EXPECT_EQ(PercentText(p), text) << p;
}

TEST(ProgressText, CompleteLabelInBothLanguages) {
    EXPECT_EQ(CompleteLabel(0.0, Language::English), "Complete:%");
    EXPECT_EQ(CompleteLabel(1.0, Language::English), "Complete:100%");
    EXPECT_EQ(CompleteLabel(0.25, Language::Chinese), "完成进度:25%");
}

} // namespace
} // namespace vorix::link
