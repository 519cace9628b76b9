#pragma once
// A radio behind a programming cable, as a link::SerialPort on the fake clock: the one fake radio of
// the link's tests and the fault soak. The radio is the simulator's protocol core (sim::SimRadio,
// with its own per-frame faults); a per-frame script says what the line does to its answers. The
// cable echoes every frame at once and the answer follows answerDelayMs later, or both come back
// in timed pieces. Receive events follow the threshold like the Qt serial layer's: judged from the
// event loop, or at once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "SimRadio.h"
#include "link/LinkInterfaces.h"
#include "support/FakeClock.h"

namespace vorix::test {

/// "52 00 10 10": bytes as upper-case hex pairs, for readable assertions.
inline std::string HexBytes(const link::Bytes& bytes) {
    return sim::HexBytes(bytes);
}

/// What the line does to the radio's answer to one frame.
struct RadioFault {
    enum class Kind { Silent, AnswerByte, Address, Truncate, Replace, PullCable };
    Kind kind = Kind::Silent;
    std::uint8_t byte = 0; // AnswerByte: the answer byte given instead
    int address = 0;       // Address: the address a data answer names instead
    std::size_t keep = 0;  // Truncate: how many bytes of the answer arrive
    link::Bytes bytes;     // Replace: the whole answer

    static RadioFault silent() { return {}; }
    static RadioFault answerByte(std::uint8_t b) { return {Kind::AnswerByte, b, 0, 0, {}}; }
    static RadioFault wrongAddress(int a) { return {Kind::Address, 0, a, 0, {}}; }
    static RadioFault truncate(std::size_t n) { return {Kind::Truncate, 0, 0, n, {}}; }
    static RadioFault replace(link::Bytes b) { return {Kind::Replace, 0, 0, 0, std::move(b)}; }
    /// The cable comes out as the frame is sent: the radio never hears it.
    static RadioFault pullCable() { return {Kind::PullCable, 0, 0, 0, {}}; }
};

class ScriptedRadio final : public link::SerialPort {
public:
    /// The port must outlive every run of the clock.
    explicit ScriptedRadio(FakeClock& clock, const sim::Memory& memory = {}, sim::Faults faults = {})
        : clock_(clock), radio_(memory, std::move(faults)) {}

    // ---- Script ----
    bool openFails = false;
    bool radioOff = false;          // only the cable's echo comes back
    std::int64_t answerDelayMs = 5; // 0: the answer arrives inside send()
    /// The echo and the answer come back as one line in pieces of this many bytes, chunkDelayMs
    /// apart, the first chunkDelayMs after the send (0: echo and answer whole, as above).
    std::size_t chunkSize = 0;
    std::int64_t chunkDelayMs = 0;
    bool synchronousEvents = false; // raise receive events from inside send()/setReceiveThreshold()
    bool earlyEvents = false;       // also raise an event right after each echo, before the answer
    std::uint8_t handshakeAnswer = sim::kAcknowledge;
    std::uint8_t writeAnswer = sim::kAcknowledge;
    std::map<int, RadioFault> faults; // by frame number, 1 for the first frame on the line
    int silentFrom = 0;               // the radio goes quiet from this frame number on (0: never)
    std::function<void()> onEvent;    // the session's receive event handler
    std::function<void()> onFailed;   // the serial layer's report of a pulled cable, if any

    // ---- Record ----
    /// How far a send got: not onto the line (the port was closed or dead), onto the line only, or
    /// to the radio.
    enum class Reach { Dropped, Line, Radio };
    struct Sent {
        link::Bytes bytes;
        std::int64_t time = 0;
        Reach reach = Reach::Dropped;
    };
    std::vector<Sent> sent;                    // every send() in order, dropped ones included
    std::vector<sim::FrameRecord> radioFrames; // what the radio made of what it heard, in order
    std::vector<int> thresholds;
    std::vector<std::string> calls; // open, close, send .., take n, threshold n, dropped .., in order
    int events = 0;

    /// Every frame that reached the line, and when.
    std::vector<link::Bytes> frames() const { return onLine(&Sent::bytes); }
    std::vector<std::int64_t> frameTimes() const { return onLine(&Sent::time); }
    std::vector<std::string> frameTexts() const {
        std::vector<std::string> texts;
        for (const auto& f : frames())
            texts.push_back(HexBytes(f));
        return texts;
    }
    int droppedSends() const {
        return static_cast<int>(
            std::count_if(sent.begin(), sent.end(), [](const Sent& s) { return s.reach == Reach::Dropped; }));
    }
    /// The radio heard the end byte.
    bool endReceived() const {
        return std::any_of(radioFrames.begin(), radioFrames.end(),
                           [](const sim::FrameRecord& f) { return f.kind == sim::FrameKind::End; });
    }
    /// The radio's memory; a test may set it before a run.
    sim::Memory& memory() { return radio_.memory(); }
    const sim::SimRadio& radio() const { return radio_; }
    bool cablePulled() const { return cablePulled_; }
    std::size_t waiting() const { return buffer_.size(); }

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
    /// Bytes from the radio's side, now; a closed or dead port hears nothing.
    void deliver(const link::Bytes& bytes) {
        if (!isOpen())
            return;
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        checkThreshold();
    }
    /// Bytes waiting before the port is even opened (left over from earlier traffic).
    void preload(const link::Bytes& bytes) { buffer_.insert(buffer_.end(), bytes.begin(), bytes.end()); }
    /// A receive event, whatever the threshold (a spurious one, say).
    void raiseEvent() {
        ++events;
        if (onEvent)
            onEvent();
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
            sent.push_back({bytes, clock_.now(), Reach::Dropped});
            calls.push_back("dropped " + HexBytes(bytes));
            return;
        }
        const int number = ++lineFrames_;
        sent.push_back({bytes, clock_.now(), Reach::Line});
        calls.push_back("send " + HexBytes(bytes));
        const auto fault = faults.find(number);
        if (fault != faults.end() && fault->second.kind == RadioFault::Kind::PullCable) {
            pullCable();
            return;
        }
        const bool heard = !radioOff && (silentFrom <= 0 || number < silentFrom);
        if (chunkSize > 0) {
            link::Bytes line = bytes;
            if (heard) {
                const link::Bytes answer = answerTo(number, bytes);
                line.insert(line.end(), answer.begin(), answer.end());
            }
            comeBackInPieces(line);
            return;
        }
        deliver(bytes); // the cable's echo
        if (earlyEvents)
            clock_.schedule(0, [this] {
                if (isOpen())
                    raiseEvent();
            });
        if (!heard || !isOpen())
            return;
        const link::Bytes answer = answerTo(number, bytes);
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
    template <class T> std::vector<T> onLine(T Sent::*field) const {
        std::vector<T> out;
        for (const Sent& s : sent)
            if (s.reach != Reach::Dropped)
                out.push_back(s.*field);
        return out;
    }

    // The radio hears the frame; its answer, as the script has the line change it.
    link::Bytes answerTo(int number, const link::Bytes& frame) {
        sent.back().reach = Reach::Radio;
        const sim::FeedResult result = radio_.feed(std::span<const std::uint8_t>(frame));
        link::Bytes answer;
        for (const sim::FrameRecord& record : result.frames) {
            radioFrames.push_back(record);
            answer.insert(answer.end(), record.answer.begin(), record.answer.end());
            const bool acknowledges =
                record.kind == sim::FrameKind::Handshake || record.kind == sim::FrameKind::WriteBlock;
            if (acknowledges && record.answer == link::Bytes{sim::kAcknowledge})
                answer.back() = record.kind == sim::FrameKind::Handshake ? handshakeAnswer : writeAnswer;
        }
        const auto fault = faults.find(number);
        return fault == faults.end() ? answer : applyFault(fault->second, std::move(answer));
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

    void comeBackInPieces(const link::Bytes& line) {
        std::int64_t delay = 0;
        for (std::size_t from = 0; from < line.size(); from += chunkSize) {
            const std::size_t to = std::min(line.size(), from + chunkSize);
            delay += chunkDelayMs;
            link::Bytes piece(line.begin() + static_cast<std::ptrdiff_t>(from),
                              line.begin() + static_cast<std::ptrdiff_t>(to));
            clock_.schedule(delay, [this, piece] { deliver(piece); });
        }
    }

    // Like the serial layer: once bytes arrive or the threshold changes, a check is queued for the
    // event loop (one at a time) and raises an event if enough bytes are waiting by then.
    void checkThreshold() {
        if (synchronousEvents) {
            fire();
            return;
        }
        if (checkQueued_ || threshold_ <= 0 || !isOpen())
            return;
        checkQueued_ = true;
        clock_.schedule(0, [this] {
            checkQueued_ = false;
            fire();
        });
    }

    void fire() {
        if (threshold_ > 0 && isOpen() && buffer_.size() >= static_cast<std::size_t>(threshold_))
            raiseEvent();
    }

    FakeClock& clock_;
    sim::SimRadio radio_;
    link::Bytes buffer_;
    int threshold_ = 0;
    int lineFrames_ = 0;
    bool open_ = false;
    bool cablePulled_ = false;
    bool checkQueued_ = false;
};

} // namespace vorix::test
