#pragma once
// A fake radio behind a fake programming cable, as a link::SerialPort on the fake clock.
// The cable echoes every frame at once; the radio answers after answerDelayMs, per its protocol
// and a per-frame script of faults. Receive events follow the threshold like the serial layer's.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "image/RadioImage.h"
#include "link/LinkInterfaces.h"
#include "support/FakeClock.h"

namespace vorix::test {

/// "52 00 10 10": bytes as upper-case hex pairs, for readable assertions.
inline std::string HexBytes(const link::Bytes& bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", b);
        if (!text.empty())
            text += ' ';
        text += pair;
    }
    return text;
}

/// What goes wrong with the radio's answer to one frame.
struct RadioFault {
    enum class Kind { Silent, AnswerByte, Address, Truncate, Replace, PullCable };
    Kind kind = Kind::Silent;
    std::uint8_t byte = 0;  // AnswerByte: the answer byte given instead
    int address = 0;        // Address: the address a data answer names instead
    std::size_t keep = 0;   // Truncate: how many bytes of the answer arrive
    link::Bytes bytes;      // Replace: the whole answer

    static RadioFault silent() { return {}; }
    static RadioFault answerByte(std::uint8_t b) { return {Kind::AnswerByte, b, 0, 0, {}}; }
    static RadioFault wrongAddress(int a) { return {Kind::Address, 0, a, 0, {}}; }
    static RadioFault truncate(std::size_t n) { return {Kind::Truncate, 0, 0, n, {}}; }
    static RadioFault replace(link::Bytes b) { return {Kind::Replace, 0, 0, 0, std::move(b)}; }
    static RadioFault pullCable() { return {Kind::PullCable, 0, 0, 0, {}}; }
};

class ScriptedRadio final : public link::SerialPort {
public:
    static constexpr int kReceiveEvent = 2;

    explicit ScriptedRadio(FakeClock& clock) : clock_(clock) {}

    // ---- Script ----
    bool openFails = false;
    bool radioOff = false;              // only the cable's echo comes back
    std::int64_t answerDelayMs = 5;     // 0: the answer arrives inside send()
    bool synchronousEvents = false;     // raise receive events from inside send()/setReceiveThreshold()
    bool earlyEvents = false;           // also raise an event right after each echo, before the answer
    std::uint8_t handshakeAnswer = 0x06;
    std::uint8_t writeAnswer = 0x06;
    ImageBytes memory{};                // the radio's own configuration
    std::map<int, RadioFault> faults;   // by frame number, 1 for the first frame sent
    int silentFrom = 0;                 // the radio goes quiet from this frame number on (0: never)
    std::function<void(int)> onEvent;   // the session's serial event handler
    std::function<void()> onFailed;     // the serial layer's report of a pulled cable, if any

    // ---- Record ----
    std::vector<link::Bytes> frames;    // every frame that reached the cable
    std::vector<std::int64_t> frameTimes;
    std::vector<int> thresholds;
    std::vector<std::string> calls;     // open, close, send .., take n, threshold n, dropped .., in order
    int droppedSends = 0;
    int events = 0;
    bool endReceived = false;

    // ---- Control ----
    /// The cable is pulled: the serial layer closes the port itself; sends are dropped from now.
    /// Its report, when onFailed takes it, comes from the event loop.
    void pullCable() {
        cablePulled_ = true;
        buffer_.clear();
        calls.push_back("cable pulled");
        if (onFailed)
            clock_.schedule(0, [this] { onFailed(); });
    }
    /// Bytes from the radio's side, now.
    void deliver(const link::Bytes& bytes) {
        if (!isOpen())
            return;
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        checkThreshold();
    }
    /// Bytes waiting before the port is even opened (left over from earlier traffic).
    void preload(const link::Bytes& bytes) { buffer_.insert(buffer_.end(), bytes.begin(), bytes.end()); }
    /// An event of any kind, whatever the threshold (a spurious one, or another kind).
    void raiseEvent(int kind) {
        ++events;
        if (onEvent)
            onEvent(kind);
    }
    std::size_t waiting() const { return buffer_.size(); }
    std::vector<std::string> frameTexts() const {
        std::vector<std::string> texts;
        for (const auto& f : frames)
            texts.push_back(HexBytes(f));
        return texts;
    }

    // ---- link::SerialPort ----
    bool isOpen() const override { return open_ && !cablePulled_; }
    bool open() override {
        calls.push_back("open");
        if (openFails || cablePulled_)
            return false;
        open_ = true;
        return true;
    }
    void close() override {
        calls.push_back("close");
        open_ = false;
        buffer_.clear();
    }
    void send(const link::Bytes& bytes) override {
        if (!isOpen()) {
            ++droppedSends;
            calls.push_back("dropped " + HexBytes(bytes));
            return;
        }
        const int number = static_cast<int>(frames.size()) + 1;
        frames.push_back(bytes);
        frameTimes.push_back(clock_.now());
        calls.push_back("send " + HexBytes(bytes));
        const auto fault = faults.find(number);
        if (fault != faults.end() && fault->second.kind == RadioFault::Kind::PullCable) {
            pullCable();
            return;
        }
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end()); // the cable's echo
        checkThreshold();
        if (earlyEvents)
            clock_.schedule(0, [this] {
                if (isOpen())
                    raiseEvent(kReceiveEvent);
            });
        if (radioOff || (silentFrom > 0 && number >= silentFrom) || !isOpen())
            return;
        link::Bytes answer = answerTo(bytes);
        if (fault != faults.end())
            answer = applyFault(fault->second, std::move(answer));
        if (answer.empty())
            return;
        if (answerDelayMs <= 0) {
            deliver(answer);
            return;
        }
        clock_.schedule(answerDelayMs, [this, answer] { deliver(answer); });
    }
    link::Bytes takeAll() override {
        if (!isOpen())
            return {};
        calls.push_back("take " + std::to_string(buffer_.size()));
        return std::exchange(buffer_, link::Bytes{});
    }
    void setReceiveThreshold(int n) override {
        thresholds.push_back(n);
        calls.push_back("threshold " + std::to_string(n));
        threshold_ = n;
        checkThreshold();
    }

private:
    link::Bytes answerTo(const link::Bytes& frame) {
        static const link::Bytes handshake{'P', 'R', 'O', 'G', 'R', 'A', 'M'};
        if (frame == handshake) {
            programMode_ = true;
            return {handshakeAnswer};
        }
        if (!programMode_ || frame.empty())
            return {};
        const int address = frame.size() >= 3 ? frame[1] * 256 + frame[2] : -1;
        if (frame[0] == 0x52 && frame.size() == 4 && address >= 0 && address + 16 <= kImageSize) {
            link::Bytes answer{0x57, frame[1], frame[2], 0x10};
            for (int i = 0; i < 16; ++i)
                answer.push_back(memory[static_cast<std::size_t>(address + i)]);
            return answer;
        }
        if (frame[0] == 0x57 && frame.size() >= 4 && frame.size() == 4u + frame[3] && address >= 0 &&
            address + frame[3] <= kImageSize) {
            for (std::size_t i = 4; i < frame.size(); ++i)
                memory[static_cast<std::size_t>(address) + i - 4] = frame[i];
            return {writeAnswer};
        }
        if (frame == link::Bytes{0x45}) {
            endReceived = true;
            programMode_ = false;
        }
        return {};
    }

    static link::Bytes applyFault(const RadioFault& fault, link::Bytes answer) {
        switch (fault.kind) {
        case RadioFault::Kind::Silent:
        case RadioFault::Kind::PullCable:
            return {};
        case RadioFault::Kind::AnswerByte:
            if (answer.empty())
                answer.push_back(fault.byte);
            else
                answer[0] = fault.byte;
            return answer;
        case RadioFault::Kind::Address:
            if (answer.size() >= 3) {
                answer[1] = static_cast<std::uint8_t>(fault.address >> 8);
                answer[2] = static_cast<std::uint8_t>(fault.address & 0xFF);
            }
            return answer;
        case RadioFault::Kind::Truncate:
            if (answer.size() > fault.keep)
                answer.resize(fault.keep);
            return answer;
        case RadioFault::Kind::Replace:
            return fault.bytes;
        }
        return answer;
    }

    // Raises one receive event once the waiting bytes reach the threshold, like the serial layer.
    void checkThreshold() {
        if (threshold_ <= 0 || !isOpen() || eventQueued_ || buffer_.size() < static_cast<std::size_t>(threshold_))
            return;
        eventQueued_ = true;
        auto fire = [this] {
            eventQueued_ = false;
            if (isOpen())
                raiseEvent(kReceiveEvent);
        };
        if (synchronousEvents)
            fire();
        else
            clock_.schedule(0, fire);
    }

    FakeClock& clock_;
    link::Bytes buffer_;
    int threshold_ = 0;
    bool open_ = false;
    bool cablePulled_ = false;
    bool programMode_ = false;
    bool eventQueued_ = false;
};

} // namespace vorix::test
