#pragma once
// The frames of the programming protocol and the reading of the radio's answers.

#include <array>
#include <cstdint>
#include <optional>

#include "image/RadioImage.h"
#include "link/LinkInterfaces.h"

namespace vorix::link {

inline constexpr std::uint8_t kAcknowledge = 0x06;
inline constexpr std::uint8_t kDataMark = 0x57;     // "W": data answer, and also an accepted answer
inline constexpr std::uint8_t kReadCommand = 0x52;  // "R"
inline constexpr std::uint8_t kWriteCommand = 0x57; // "W"
inline constexpr std::uint8_t kEndByte = 0x45;      // "E"

inline constexpr int kHandshakeLength = 7;
inline constexpr int kReadRequestLength = 4;
inline constexpr int kWriteHeaderLength = 4;
inline constexpr int kReadBlockLength = 16;
inline constexpr int kShortWriteBlock = 8;
inline constexpr int kLongWriteBlock = 16;
/// A data answer: echo of the request, 57 AH AL length, then the 16 data bytes.
inline constexpr int kDataAnswerHeader = 4;
inline constexpr int kReadAnswerThreshold = kReadRequestLength + kDataAnswerHeader + kReadBlockLength;

/// The handshake "PROGRAM", nothing before or after it.
Bytes HandshakeFrame();
/// Read request 52 AH AL 10.
Bytes ReadRequestFrame(int addrHigh, int addrLow);
/// Write block 57 AH AL L followed by L image bytes from the block address on.
Bytes WriteBlockFrame(int addrHigh, int addrLow, int length, const RadioImage& image);
/// The single end byte 45.
Bytes EndFrame();

/// The two answer bytes the radio may give: 0x06 and 0x57.
constexpr bool IsAcceptedAnswer(std::uint8_t answer) { return answer == kAcknowledge || answer == kDataMark; }

/// Receive threshold for a frame of echoLength bytes: its echo and the one answer byte.
constexpr int AnswerThreshold(int echoLength) { return echoLength + 1; }

/// The 16 data bytes of a data answer and the address the answer gives them.
struct DataBlock {
    int address = 0;
    std::array<std::uint8_t, kReadBlockLength> data{};
};

/// The data block of the answer at rx[echoLength] when it is 0x57 followed by its address,
/// length and all 16 data bytes; nothing when any of it is missing.
std::optional<DataBlock> ParseDataBlock(const Bytes& rx, int echoLength);

/// True when all 16 bytes of a block at address lie inside the image.
constexpr bool BlockFitsImage(int address) {
    return address >= 0 && address + kReadBlockLength <= kImageSize;
}

/// The block-length rule of a restart while writing: long blocks go back to short; short blocks
/// become long when the waiting input begins with 0x57 (the echo of an unanswered write block).
bool NextLongWriteBlocks(bool longWriteBlocks, const Bytes& waiting);

} // namespace vorix::link
