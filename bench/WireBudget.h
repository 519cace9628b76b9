#pragma once
// What a whole read or write costs on a 19200-baud wire, counted from the link's own frames: the
// physical limit a transfer is measured against, and the floor of the simulated radio's line.

#include "image/RadioImage.h"
#include "link/LinkFrames.h"
#include "link/LinkSession.h"

namespace vorix::bench {

/// 10 bits (start, 8 data, stop) at 19200 baud.
inline constexpr double kByteMs = 10.0 * 1000.0 / 19200.0;

/// One whole transfer as it crosses the line.
struct WireBudget {
    int exchanges; ///< frames that wait for an answer: the handshake and every block
    int lineBytes; ///< bytes sent by the tool plus bytes answered by the radio, the end byte included
    double limitMs;   ///< lineBytes at 19200 baud plus the end-of-run delay
    double simLineMs; ///< the simulated radio's paced line from the handshake's arrival to the last answer
};

/// The bytes of one exchange: the frame (its echo travels beside it on the wire and costs no
/// extra time) and the radio's answer.
constexpr int ExchangeBytes(int frame, int answer) { return frame + answer; }

constexpr WireBudget MakeBudget(int blocks, int exchangeBytes) {
    const int handshake = ExchangeBytes(link::kHandshakeLength, 1); // "PROGRAM", 06
    const int endByte = 1;                                          // 45, never answered
    const int lineBytes = handshake + blocks * exchangeBytes + endByte;
    // The simulator sends each byte (echo or answer) one byte time after the one before, the first
    // of the run at once, so while the tool answers within a byte time its turn-arounds are hidden
    // and the last answer byte leaves lineBytes - 2 byte times after the handshake arrived (the end
    // byte crosses while the end-of-run delay runs).
    return {1 + blocks, lineBytes, lineBytes * kByteMs + link::LinkSession::kSuccessEndDelayMs,
            (lineBytes - endByte - 1) * kByteMs};
}

/// A read: 8 requests 52 AH AL 10, each answered 57 AH AL 10 and 16 data bytes.
inline constexpr WireBudget kReadBudget =
    MakeBudget(kImageSize / link::kReadBlockLength,
               ExchangeBytes(link::kReadRequestLength, link::kDataAnswerHeader + link::kReadBlockLength));
/// A write in 8-byte blocks: 16 blocks 57 AH AL 08 and 8 data bytes, each answered 06.
inline constexpr WireBudget kWriteBudget =
    MakeBudget(kImageSize / link::kShortWriteBlock, ExchangeBytes(link::kWriteHeaderLength + link::kShortWriteBlock, 1));

static_assert(kReadBudget.lineBytes == 201 && kReadBudget.exchanges == 9);
static_assert(kWriteBudget.lineBytes == 217 && kWriteBudget.exchanges == 17);

} // namespace vorix::bench
