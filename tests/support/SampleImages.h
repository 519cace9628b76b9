#pragma once
// Images for the command-line tests, built here byte by byte rather than kept as files.

#include <array>
#include <cstdint>

#include "image/ImageLayout.h"
#include "image/RadioImage.h"

namespace vorix::test {

using Record = std::array<std::uint8_t, layout::kRecordSize>;

inline void PutRecord(RadioImage& image, int channel, const Record& record) {
    for (int i = 0; i < layout::kRecordSize; ++i)
        image.write(layout::channelBase(channel) + i, record[static_cast<std::size_t>(i)]);
}

/// Deleted channels (all 0xFF) and the start-up option values.
inline RadioImage ClearedImage() {
    RadioImage image;
    for (int i = 0; i < layout::kOptionBlockStart; ++i)
        image.write(i, layout::ClearedChannelByte);
    layout::StoreOptionDefaults(image);
    return image;
}

/// A mixed image: CTCSS, DCS and no-tone channels in both bands, both spacings and powers, an
/// undefined flag bit, an empty channel holding zeros, options off their defaults, bytes in the
/// uninterpreted block and the write mark.
inline RadioImage SampleImage() {
    RadioImage image = ClearedImage();
    PutRecord(image, 1, {0x45, 0x23, 0x21, 0x46, 0x9E, 0x02, 0x30});  // 462.12345 67.0 wide high
    PutRecord(image, 2, {0x00, 0x00, 0x55, 0x14, 0xFF, 0xFF, 0x00});  // 145.50000 none narrow low
    PutRecord(image, 3, {0x00, 0x50, 0x12, 0x46, 0x13, 0xA0, 0x10});  // 461.25000 D023I wide low
    PutRecord(image, 4, {0x99, 0x99, 0x39, 0x17, 0xED, 0x09, 0x21});  // 173.99999 254.1 narrow high, bit 0
    PutRecord(image, 9, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});  // empty, start-up content
    PutRecord(image, 16, {0x50, 0x97, 0x99, 0x55, 0xF5, 0x21, 0x30}); // 559.99750 D765N
    image.write(layout::Options, 0x05); // save and busy lock, no beep
    image.write(layout::TotStep, 4);
    image.write(layout::SqDelayStep, 3);
    image.write(layout::SqLevel, 0xF7); // -9
    image.write(layout::OffsetWide, 30);
    image.write(layout::OffsetNarrow, 255);
    for (int i = layout::UninterpretedFirst; i <= layout::UninterpretedLast; ++i)
        image.write(i, static_cast<std::uint8_t>(0xA0 + i));
    image.write(layout::WriteMark, layout::WriteMarkValue);
    return image;
}

} // namespace vorix::test
