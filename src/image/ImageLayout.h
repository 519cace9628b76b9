#pragma once
// Named offsets and bit masks for every byte of the RadioImage that the tool interprets.

#include <cstdint>

#include "image/RadioImage.h"

namespace vorix::layout {

// Sixteen channel records of seven bytes, then sixteen option bytes.
inline constexpr int kChannelCount = 16;
inline constexpr int kRecordSize = 7;
inline constexpr int kOptionBlockStart = kChannelCount * kRecordSize; // 112
inline constexpr int kOptionBlockSize = 16;
static_assert(kOptionBlockStart + kOptionBlockSize == kImageSize, "records and options fill the image");

/// True for the channel numbers 1..16 that name a record.
constexpr bool IsChannel(int channel) {
    return channel >= 1 && channel <= kChannelCount;
}

/// First byte of channel n (1..16).
constexpr int channelBase(int channel) { return kRecordSize * (channel - 1); }

// Offsets inside a ChannelRecord.
inline constexpr int Frequency = 0; // +0..+3 packed BCD in 10 Hz units, least significant byte first
inline constexpr int FrequencySize = 4;
inline constexpr int Tone = 4;      // +4 low byte, +5 high byte of the tone word
inline constexpr int ToneHigh = 5;
inline constexpr int Flags = 6;
static_assert(Flags + 1 == kRecordSize);

// Bits of the Flags byte; the other bits are not interpreted and pass through.
inline constexpr std::uint8_t Wide = 0x10;      // 25 kHz spacing when set, 12.5 kHz when clear
inline constexpr std::uint8_t HighPower = 0x20; // high transmit power when set
inline constexpr std::uint8_t NewChannelFlags = Wide | HighPower;
inline constexpr std::uint8_t ClearedChannelByte = 0xFF; // all seven bytes of a deleted channel

// Option bytes.
inline constexpr int Options = 112;
inline constexpr std::uint8_t PowerSave = 0x01;
inline constexpr std::uint8_t Beep = 0x02;
inline constexpr std::uint8_t BusyLock = 0x04;
inline constexpr int TotStep = 113;      // 0 off, n = n x 15 s, 0..40
inline constexpr int SqDelayStep = 114;  // 0 off, 1..10
inline constexpr int SqLevel = 115;      // signed byte, -9..100
inline constexpr int UninterpretedFirst = 116; // 116..124 go back to the radio as they came
inline constexpr int UninterpretedLast = 124;
inline constexpr int OffsetWide = 125;   // 20..255
inline constexpr int OffsetNarrow = 126; // 20..255
inline constexpr int WriteMark = 127;
inline constexpr std::uint8_t WriteMarkValue = 0x51;

// Value ranges of the option lists.
inline constexpr int kTotMax = 40;
inline constexpr int kSqDelayMax = 10;
inline constexpr int kSqLevelMin = -9;
inline constexpr int kSqLevelMax = 100;
inline constexpr int kOffsetMin = 20;
inline constexpr int kOffsetMax = 255;

// Start-up defaults of the option bytes; every other byte starts at 0.
inline constexpr std::uint8_t DefaultOptions = PowerSave | Beep | BusyLock; // 7
inline constexpr std::uint8_t DefaultTotStep = 0;
inline constexpr std::uint8_t DefaultSqDelayStep = 0;
inline constexpr std::uint8_t DefaultSqLevel = 5;
inline constexpr std::uint8_t DefaultOffsetWide = 42;
inline constexpr std::uint8_t DefaultOffsetNarrow = 100;

/// Stores the start-up option defaults into the image (bytes 112..115, 125, 126).
inline void StoreOptionDefaults(RadioImage& image) {
    image.write(Options, DefaultOptions);
    image.write(TotStep, DefaultTotStep);
    image.write(SqDelayStep, DefaultSqDelayStep);
    image.write(SqLevel, DefaultSqLevel);
    image.write(OffsetWide, DefaultOffsetWide);
    image.write(OffsetNarrow, DefaultOffsetNarrow);
}

} // namespace vorix::layout
