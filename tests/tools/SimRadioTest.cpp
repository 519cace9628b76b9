// The simulated radio's protocol core: echo, handshake, reads, writes, split frames and faults.

#include <gtest/gtest.h>

#include <string>

#include "SimImage.h"
#include "SimRadio.h"

using namespace vorix::sim;

namespace {

const Bytes kHandshake{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes MemorySlice(const Memory& memory, int from, int count) {
    return Bytes(memory.begin() + from, memory.begin() + from + count);
}

// A memory whose every byte tells its own address, so misplaced data is visible.
Memory CountingMemory() {
    Memory memory{};
    for (int i = 0; i < kMemorySize; ++i)
        memory[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x80 + i);
    return memory;
}

Bytes ReadRequest(int address) { return {0x52, 0x00, static_cast<std::uint8_t>(address), 0x10}; }

Bytes WriteBlock(int address, int length, std::uint8_t first) {
    Bytes block{0x57, 0x00, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(length)};
    for (int i = 0; i < length; ++i)
        block.push_back(static_cast<std::uint8_t>(first + i));
    return block;
}

// One fault on the given frames; designated initialisers would leave the other members unnamed.
Faults Fault(std::set<int> Faults::*which, std::set<int> frames) {
    Faults faults;
    faults.*which = std::move(frames);
    return faults;
}

Faults SilentAfter(int frame) {
    Faults faults;
    faults.silentAfter = frame;
    return faults;
}

Bytes DataAnswer(const Memory& memory, int address) {
    return Concat({{0x57, 0x00, static_cast<std::uint8_t>(address), 0x10}, MemorySlice(memory, address, 16)});
}

} // namespace

TEST(SimRadio, HandshakeIsEchoedAndAcknowledged) {
    SimRadio radio(CountingMemory());
    const FeedResult result = radio.feed(kHandshake);
    EXPECT_EQ(result.line, Concat({kHandshake, {0x06}}));
    ASSERT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(result.frames[0].kind, FrameKind::Handshake);
    EXPECT_EQ(result.frames[0].number, 1);
    EXPECT_EQ(result.frames[0].answer, Bytes{0x06});
    EXPECT_TRUE(radio.programming());
    EXPECT_FALSE(result.memoryWritten);
}

TEST(SimRadio, EveryReadRequestIsAnsweredWithItsBlock) {
    const Memory memory = CountingMemory();
    SimRadio radio(memory);
    radio.feed(kHandshake);
    for (int address = 0; address < kMemorySize; address += 16) {
        SCOPED_TRACE(address);
        const FeedResult result = radio.feed(ReadRequest(address));
        EXPECT_EQ(result.line, Concat({ReadRequest(address), DataAnswer(memory, address)}));
        EXPECT_EQ(result.line.size(), 24u);
    }
    EXPECT_EQ(radio.framesReceived(), 9);
}

TEST(SimRadio, ReadBeyondTheMemoryGivesFillBytes) {
    SimRadio radio(CountingMemory());
    radio.feed(kHandshake);
    const FeedResult result = radio.feed(ReadRequest(0x78));
    ASSERT_EQ(result.frames.at(0).answer.size(), 20u);
    EXPECT_EQ(result.frames[0].answer[4 + 7], 0x80 + 127);
    EXPECT_EQ(result.frames[0].answer[4 + 8], 0xFF);
}

TEST(SimRadio, WriteBlocksOfEightAndSixteenAreStoredAndAcknowledged) {
    struct Row {
        int address;
        int length;
    };
    const Row rows[] = {{0x00, 8}, {0x08, 8}, {0x78, 8}, {0x10, 16}, {0x70, 16}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.address);
        Memory expected = CountingMemory();
        SimRadio radio(expected);
        radio.feed(kHandshake);
        const Bytes block = WriteBlock(row.address, row.length, 0x01);
        const FeedResult result = radio.feed(block);
        EXPECT_EQ(result.line, Concat({block, {0x06}}));
        EXPECT_TRUE(result.memoryWritten);
        for (int i = 0; i < row.length; ++i)
            expected[static_cast<std::size_t>(row.address + i)] = static_cast<std::uint8_t>(0x01 + i);
        EXPECT_EQ(radio.memory(), expected);
    }
}

TEST(SimRadio, WriteBeyondTheMemoryKeepsOnlyWhatFits) {
    SimRadio radio(CountingMemory());
    radio.feed(kHandshake);
    const FeedResult result = radio.feed(WriteBlock(0x7C, 8, 0x10));
    EXPECT_EQ(result.frames.at(0).answer, Bytes{0x06});
    EXPECT_EQ(radio.memory()[0x7C], 0x10);
    EXPECT_EQ(radio.memory()[0x7F], 0x13);
}

TEST(SimRadio, EndByteLeavesProgrammingMode) {
    SimRadio radio(CountingMemory());
    radio.feed(kHandshake);
    const FeedResult result = radio.feed(Bytes{0x45});
    EXPECT_EQ(result.line, Bytes{0x45});
    ASSERT_EQ(result.frames.size(), 1u);
    EXPECT_EQ(result.frames[0].kind, FrameKind::End);
    EXPECT_FALSE(radio.programming());
    // Requests now go unanswered until the next handshake.
    EXPECT_EQ(radio.feed(ReadRequest(0)).line, ReadRequest(0));
}

TEST(SimRadio, CommandsBeforeTheHandshakeAreOnlyEchoed) {
    SimRadio radio(CountingMemory());
    const Bytes noise = Concat({ReadRequest(0), {0x45}, WriteBlock(0, 8, 1)});
    const FeedResult result = radio.feed(noise);
    EXPECT_EQ(result.line, noise);
    EXPECT_EQ(radio.framesReceived(), 0);
    EXPECT_EQ(radio.memory(), CountingMemory());
    ASSERT_FALSE(result.frames.empty());
    EXPECT_EQ(result.frames[0].kind, FrameKind::Garbage);
}

TEST(SimRadio, HandshakeIsFoundBehindNoiseAndFalseStarts) {
    SimRadio radio(CountingMemory());
    const Bytes input = Concat({{0x00, 0x50, 0x52, 0x4F, 0x50}, kHandshake});
    const FeedResult result = radio.feed(input);
    EXPECT_EQ(result.line, Concat({input, {0x06}}));
    ASSERT_EQ(result.frames.size(), 2u);
    EXPECT_EQ(result.frames[0].kind, FrameKind::Garbage);
    EXPECT_EQ(result.frames[0].received, (Bytes{0x00, 0x50, 0x52, 0x4F, 0x50}));
    EXPECT_EQ(result.frames[1].kind, FrameKind::Handshake);
}

TEST(SimRadio, RepeatedHandshakeInProgrammingModeIsAnsweredAgain) {
    SimRadio radio(CountingMemory());
    radio.feed(kHandshake);
    EXPECT_EQ(radio.feed(kHandshake).line, Concat({kHandshake, {0x06}}));
}

// A whole write and read session, fed in pieces of every size, gives the same bytes in the same order.
TEST(SimRadio, FramesSplitAcrossChunksGiveTheSameLine) {
    const Bytes session = Concat({kHandshake, WriteBlock(0x00, 8, 0x21), WriteBlock(0x08, 16, 0x31), ReadRequest(0x00),
                                  ReadRequest(0x10), {0x45}});
    SimRadio whole(CountingMemory());
    const FeedResult reference = whole.feed(session);
    ASSERT_EQ(reference.frames.size(), 6u);
    for (std::size_t chunk : {1u, 2u, 3u, 5u, 7u, 11u, 13u, 64u}) {
        SCOPED_TRACE(chunk);
        SimRadio radio(CountingMemory());
        Bytes line;
        int frames = 0;
        for (std::size_t at = 0; at < session.size(); at += chunk) {
            const std::size_t size = std::min(chunk, session.size() - at);
            const FeedResult result = radio.feed(std::span<const std::uint8_t>(session.data() + at, size));
            line.insert(line.end(), result.line.begin(), result.line.end());
            frames += static_cast<int>(result.frames.size());
        }
        EXPECT_EQ(line, reference.line);
        EXPECT_EQ(frames, 6);
        EXPECT_EQ(radio.memory(), whole.memory());
        EXPECT_EQ(radio.pendingBytes(), 0u);
    }
}

TEST(SimRadio, PartialFrameWaitsForTheRest) {
    SimRadio radio(CountingMemory());
    radio.feed(kHandshake);
    const FeedResult first = radio.feed(Bytes{0x57, 0x00, 0x00});
    EXPECT_EQ(first.line, (Bytes{0x57, 0x00, 0x00}));
    EXPECT_TRUE(first.frames.empty());
    EXPECT_EQ(radio.pendingBytes(), 3u);
}

// Each fault row: the faults, the frames sent after a clean start, and what the last frame gets.
struct FaultRow {
    const char* name;
    Faults faults;
    std::vector<Bytes> frames;
    Bytes lastAnswer;
    bool programmingAfter;
    bool memoryUnchanged;
};

TEST(SimRadio, FaultsMisbehaveOnTheNamedFrameOnly) {
    const Memory memory = CountingMemory();
    const FaultRow rows[] = {
        {"drop handshake", Fault(&Faults::dropAnswer, {1}), {kHandshake}, {}, false, true},
        {"drop read", Fault(&Faults::dropAnswer, {2}), {kHandshake, ReadRequest(0x10)}, {}, true, true},
        {"drop write", Fault(&Faults::dropAnswer, {2}), {kHandshake, WriteBlock(0, 8, 1)}, {}, true, true},
        {"wrong handshake answer", Fault(&Faults::wrongAnswer, {1}), {kHandshake}, {0x15}, false, true},
        {"wrong write answer", Fault(&Faults::wrongAnswer, {2}), {kHandshake, WriteBlock(0, 8, 1)}, {0x15}, true, true},
        {"wrong data answer",
         Fault(&Faults::wrongAnswer, {2}),
         {kHandshake, ReadRequest(0x10)},
         Concat({{0x15, 0x00, 0x10, 0x10}, MemorySlice(memory, 0x10, 16)}),
         true,
         true},
        {"wrong address", Fault(&Faults::wrongAddress, {2}), {kHandshake, ReadRequest(0x10)}, DataAnswer(memory, 0x20), true, true},
        {"wrong address wraps", Fault(&Faults::wrongAddress, {2}), {kHandshake, ReadRequest(0x70)}, DataAnswer(memory, 0x00), true,
         true},
        {"wrong address only for reads", Fault(&Faults::wrongAddress, {1}), {kHandshake}, {0x06}, true, true},
        {"short data answer",
         Fault(&Faults::shortAnswer, {2}),
         {kHandshake, ReadRequest(0x10)},
         Concat({{0x57, 0x00, 0x10, 0x10}, MemorySlice(memory, 0x10, 6)}),
         true,
         true},
        {"short handshake answer", Fault(&Faults::shortAnswer, {1}), {kHandshake}, {}, true, true},
        {"short write answer still stores", Fault(&Faults::shortAnswer, {2}), {kHandshake, WriteBlock(0, 8, 1)}, {}, true, false},
        {"write acknowledged, not stored", Fault(&Faults::dropWrite, {2}), {kHandshake, WriteBlock(0, 8, 1)}, {0x06}, true, true},
        {"drop write only for writes", Fault(&Faults::dropWrite, {2}), {kHandshake, ReadRequest(0x10)}, DataAnswer(memory, 0x10), true,
         true},
        {"silent after the handshake", SilentAfter(1), {kHandshake, ReadRequest(0)}, {}, true, true},
        {"silent later", SilentAfter(2), {kHandshake, ReadRequest(0), kHandshake}, {}, true, true},
        {"fault on another frame", Fault(&Faults::dropAnswer, {3}), {kHandshake, ReadRequest(0)}, DataAnswer(memory, 0), true, true},
    };
    for (const FaultRow& row : rows) {
        SCOPED_TRACE(row.name);
        SimRadio radio(memory, row.faults);
        FeedResult last;
        for (const Bytes& frame : row.frames)
            last = radio.feed(frame);
        // The cable echoes whatever the radio does.
        EXPECT_EQ(last.line, Concat({row.frames.back(), row.lastAnswer}));
        ASSERT_EQ(last.frames.size(), 1u);
        EXPECT_EQ(last.frames[0].answer, row.lastAnswer);
        const std::string name = row.name;
        EXPECT_EQ(last.frames[0].fault.empty(), name == "fault on another frame" || name == "wrong address only for reads" ||
                                                  name == "drop write only for writes");
        EXPECT_EQ(radio.programming(), row.programmingAfter);
        EXPECT_EQ(radio.memory() == memory, row.memoryUnchanged);
    }
}

TEST(SimRadio, RepeatedFaultsHitEachNamedFrame) {
    SimRadio radio(CountingMemory(), Fault(&Faults::dropAnswer, {2, 4}));
    radio.feed(kHandshake);
    EXPECT_TRUE(radio.feed(ReadRequest(0)).frames[0].answer.empty());
    EXPECT_EQ(radio.feed(ReadRequest(0)).frames[0].answer.size(), 20u);
    EXPECT_TRUE(radio.feed(ReadRequest(0)).frames[0].answer.empty());
}

TEST(SimRadio, HexAndFrameNames) {
    EXPECT_EQ(HexBytes(Bytes{0x52, 0x00, 0x1F, 0xAB}), "52 00 1F AB");
    EXPECT_EQ(HexBytes(Bytes{}), "");
    EXPECT_EQ(FrameKindName(FrameKind::Handshake), "handshake");
    EXPECT_EQ(FrameKindName(FrameKind::WriteBlock), "write");
}
