#include "SimRadio.h"

#include <algorithm>
#include <cstdio>

namespace vorix::sim {

namespace {

constexpr std::array<std::uint8_t, 7> kHandshake{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}; // "PROGRAM"
constexpr std::size_t kHeaderLength = 4; // command, address high, address low, length
constexpr std::uint8_t kMissingByte = 0xFF; // what a read beyond the memory returns

int FrameAddress(const Bytes& frame) { return frame[1] * 256 + frame[2]; }

} // namespace

SimRadio::SimRadio(const Memory& memory, Faults faults) : memory_(memory), faults_(std::move(faults)) {}

FeedResult SimRadio::feed(std::span<const std::uint8_t> bytes) {
    FeedResult result;
    Bytes garbage;
    auto flushGarbage = [&] {
        if (garbage.empty())
            return;
        result.frames.push_back(FrameRecord{FrameKind::Garbage, 0, garbage, {}, {}});
        garbage.clear();
    };
    for (std::uint8_t byte : bytes) {
        result.line.push_back(byte); // the cable echoes every byte as it passes
        pending_.push_back(byte);
        for (;;) {
            FrameKind kind = FrameKind::Garbage;
            std::size_t length = 0;
            const Parse parse = pending_.empty() ? Parse::NeedMore : classify(kind, length);
            if (parse == Parse::NeedMore)
                break;
            if (parse == Parse::Garbage) {
                // Drop one byte and look again: a frame may begin right behind it.
                garbage.push_back(pending_.front());
                pending_.erase(pending_.begin());
                continue;
            }
            flushGarbage();
            Bytes frame(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(length));
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(length));
            handleFrame(kind, std::move(frame), result);
        }
    }
    flushGarbage();
    return result;
}

SimRadio::Parse SimRadio::classify(FrameKind& kind, std::size_t& length) const {
    const std::uint8_t first = pending_.front();
    if (first == kHandshakeFirst) {
        const std::size_t seen = std::min(pending_.size(), kHandshake.size());
        if (!std::equal(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(seen), kHandshake.begin()))
            return Parse::Garbage;
        kind = FrameKind::Handshake;
        length = kHandshake.size();
        return pending_.size() < length ? Parse::NeedMore : Parse::Complete;
    }
    // Outside programming mode the radio listens for nothing but the handshake.
    if (!programming_)
        return Parse::Garbage;
    switch (first) {
    case kReadCommand:
        kind = FrameKind::ReadRequest;
        length = kHeaderLength;
        break;
    case kWriteCommand:
        kind = FrameKind::WriteBlock;
        if (pending_.size() < kHeaderLength)
            return Parse::NeedMore;
        length = kHeaderLength + pending_[3];
        break;
    case kEndCommand:
        kind = FrameKind::End;
        length = 1;
        break;
    default:
        return Parse::Garbage;
    }
    return pending_.size() < length ? Parse::NeedMore : Parse::Complete;
}

void SimRadio::handleFrame(FrameKind kind, Bytes frame, FeedResult& result) {
    const int number = ++frameCount_;
    FrameRecord record{kind, number, std::move(frame), {}, {}};
    if (faults_.silentAfter > 0 && number > faults_.silentAfter) {
        record.fault = "silent";
    } else if (faults_.dropAnswer.contains(number)) {
        record.fault = "answer dropped";
    } else if (faults_.wrongAnswer.contains(number)) {
        // A refused frame changes nothing in the radio.
        record.answer = answerFor(kind, record.received, false);
        if (!record.answer.empty())
            record.answer.front() = kWrongAnswer;
        record.fault = "wrong answer byte";
    } else {
        const bool wrongAddress = faults_.wrongAddress.contains(number) && kind == FrameKind::ReadRequest;
        // A radio that loses a block it acknowledged: only a read-back finds out.
        const bool dropWrite = faults_.dropWrite.contains(number) && kind == FrameKind::WriteBlock;
        if (!dropWrite)
            actOn(kind, record.received, result);
        record.answer = answerFor(kind, record.received, wrongAddress);
        if (wrongAddress)
            record.fault = "wrong address";
        if (dropWrite)
            record.fault = "write not stored";
        if (faults_.shortAnswer.contains(number)) {
            record.answer.resize(record.answer.size() / 2);
            record.fault = record.fault.empty() ? "short answer" : record.fault + ", short answer";
        }
    }
    result.line.insert(result.line.end(), record.answer.begin(), record.answer.end());
    result.frames.push_back(std::move(record));
}

Bytes SimRadio::answerFor(FrameKind kind, const Bytes& frame, bool wrongAddress) {
    switch (kind) {
    case FrameKind::Handshake:
    case FrameKind::WriteBlock:
        return {kAcknowledge};
    case FrameKind::ReadRequest: {
        int address = FrameAddress(frame);
        const int count = frame[3];
        if (wrongAddress)
            address = (address + 16) % kMemorySize; // the neighbouring block, with its own address
        Bytes answer{kWriteCommand, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF),
                     frame[3]};
        for (int i = 0; i < count; ++i) {
            const int at = address + i;
            answer.push_back(at < kMemorySize ? memory_[static_cast<std::size_t>(at)] : kMissingByte);
        }
        return answer;
    }
    case FrameKind::End:
    case FrameKind::Garbage:
        break;
    }
    return {};
}

void SimRadio::actOn(FrameKind kind, const Bytes& frame, FeedResult& result) {
    switch (kind) {
    case FrameKind::Handshake:
        programming_ = true;
        break;
    case FrameKind::WriteBlock: {
        const int address = FrameAddress(frame);
        for (std::size_t i = kHeaderLength; i < frame.size(); ++i) {
            const int at = address + static_cast<int>(i - kHeaderLength);
            if (at < kMemorySize)
                memory_[static_cast<std::size_t>(at)] = frame[i];
        }
        result.memoryWritten = true;
        break;
    }
    case FrameKind::End:
        programming_ = false;
        break;
    case FrameKind::ReadRequest:
    case FrameKind::Garbage:
        break;
    }
}

std::string FrameKindName(FrameKind kind) {
    switch (kind) {
    case FrameKind::Handshake:
        return "handshake";
    case FrameKind::ReadRequest:
        return "read";
    case FrameKind::WriteBlock:
        return "write";
    case FrameKind::End:
        return "end";
    case FrameKind::Garbage:
        break;
    }
    return "garbage";
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    char pair[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        if (!text.empty())
            text += ' ';
        text += pair;
    }
    return text;
}

} // namespace vorix::sim
