#pragma once
// The radio behind the programming cable, as a pure protocol core: bytes from the line go in,
// bytes for the line come out (the cable's echo first, then the radio's answer). No clock, no I/O.

#include <array>
#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace vorix::sim {

using Bytes = std::vector<std::uint8_t>;
inline constexpr int kMemorySize = 128;
using Memory = std::array<std::uint8_t, kMemorySize>;

inline constexpr std::uint8_t kAcknowledge = 0x06;
inline constexpr std::uint8_t kReadCommand = 0x52;    // "R"
inline constexpr std::uint8_t kWriteCommand = 0x57;   // "W", also the data answer
inline constexpr std::uint8_t kEndCommand = 0x45;     // "E"
inline constexpr std::uint8_t kHandshakeFirst = 0x50; // "P" of "PROGRAM"
/// What a misbehaving radio sends where an acknowledgement or a data answer belongs.
inline constexpr std::uint8_t kWrongAnswer = 0x15;

/// Frames, counted from 1 in the order they arrive (garbage is not counted), to misbehave on.
struct Faults {
    std::set<int> dropAnswer;   ///< the frame is ignored and not answered
    std::set<int> wrongAnswer;  ///< the answer byte is kWrongAnswer; the frame is not acted on
    std::set<int> wrongAddress; ///< a read is answered with the next block and its address
    std::set<int> shortAnswer;  ///< only the first half of the answer is sent
    std::set<int> dropWrite;    ///< a write block is acknowledged but not stored (other frames as usual)
    int silentAfter = 0;        ///< frames after this one get no answer; 0 never goes silent
};

enum class FrameKind { Handshake, ReadRequest, WriteBlock, End, Garbage };

/// One frame taken from the line and what the radio did about it.
struct FrameRecord {
    FrameKind kind = FrameKind::Garbage;
    int number = 0; ///< 1, 2, ... for frames; 0 for garbage
    Bytes received;
    Bytes answer;      ///< without the echo
    std::string fault; ///< the fault applied, empty when none
};

/// What one call to feed() produced.
struct FeedResult {
    Bytes line; ///< echo and answers, in the order they go out
    std::vector<FrameRecord> frames;
    bool memoryWritten = false; ///< at least one write block was stored
};

class SimRadio {
public:
    explicit SimRadio(const Memory& memory, Faults faults = {});

    /// Takes bytes from the line; frames may be split across calls in any way.
    FeedResult feed(std::span<const std::uint8_t> bytes);

    const Memory& memory() const { return memory_; }
    /// The memory itself, for a test that gives the radio other contents between runs.
    Memory& memory() { return memory_; }
    /// True between an answered handshake and the end byte.
    bool programming() const { return programming_; }
    int framesReceived() const { return frameCount_; }
    /// Bytes of a frame that has begun but not yet completed.
    std::size_t pendingBytes() const { return pending_.size(); }

private:
    enum class Parse { NeedMore, Garbage, Complete };
    Parse classify(FrameKind& kind, std::size_t& length) const;
    void handleFrame(FrameKind kind, Bytes frame, FeedResult& result);
    Bytes answerFor(FrameKind kind, const Bytes& frame, bool wrongAddress);
    void actOn(FrameKind kind, const Bytes& frame, FeedResult& result);

    Memory memory_;
    Faults faults_;
    Bytes pending_;
    bool programming_ = false;
    int frameCount_ = 0;
};

/// Human-readable name of a frame kind for the log.
std::string FrameKindName(FrameKind kind);
/// "52 00 10 10": bytes as upper-case hex pairs separated by spaces.
std::string HexBytes(std::span<const std::uint8_t> bytes);

} // namespace vorix::sim
