#include "link/LinkFrames.h"

namespace vorix::link {

namespace {
std::uint8_t low8(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
} // namespace

Bytes HandshakeFrame() { return Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M'}; }

Bytes ReadRequestFrame(int addrHigh, int addrLow) {
    return Bytes{kReadCommand, low8(addrHigh), low8(addrLow), static_cast<std::uint8_t>(kReadBlockLength)};
}

Bytes WriteBlockFrame(int addrHigh, int addrLow, int length, const RadioImage& image) {
    Bytes frame{kWriteCommand, low8(addrHigh), low8(addrLow), low8(length)};
    const int address = addrHigh * 256 + addrLow;
    for (int i = 0; i < length; ++i)
        frame.push_back(image.read(address + i)); // throws rather than send bytes from outside
    return frame;
}

Bytes EndFrame() { return Bytes{kEndByte}; }

std::optional<DataBlock> ParseDataBlock(const Bytes& rx, int echoLength) {
    if (echoLength < 0)
        return std::nullopt;
    const auto at = static_cast<std::size_t>(echoLength);
    if (rx.size() < at + kDataAnswerHeader + kReadBlockLength || rx[at] != kDataMark)
        return std::nullopt;
    DataBlock block;
    block.address = rx[at + 1] * 256 + rx[at + 2];
    for (std::size_t i = 0; i < block.data.size(); ++i)
        block.data[i] = rx[at + kDataAnswerHeader + i];
    return block;
}

bool NextLongWriteBlocks(bool longWriteBlocks, const Bytes& waiting) {
    if (longWriteBlocks)
        return false;
    return !waiting.empty() && waiting.front() == kDataMark;
}

} // namespace vorix::link
