#pragma once
// The simulated radio behind an in-memory programming cable, as a link::SerialPort on the fake
// clock. What the link sends goes through the radio's protocol core; the cable's echo and the
// radio's answer come back through a receive buffer that raises events by the threshold, the way
// the Qt serial layer does. Only for targets that link vorix_radio_sim_core.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "SimRadio.h"
#include "link/LinkInterfaces.h"
#include "support/FakeClock.h"

namespace vorix::test {

class SimRadioPort final : public link::SerialPort {
public:
    static constexpr int kReceiveEvent = 2;

    /// The radio must outlive the port; the port must outlive every run of the clock.
    SimRadioPort(FakeClock& clock, sim::SimRadio& radio) : clock_(clock), radio_(radio) {}

    // ---- Line behaviour ----
    /// Raise receive events from inside send() and setReceiveThreshold() instead of queueing
    /// them on the clock (the Qt layer queues; the link must cope with both).
    bool synchronousEvents = false;
    /// The bytes of each send come back in pieces of this many, chunkDelayMs apart on the fake
    /// clock, the first one chunkDelayMs after the send (0: all at once, inside send()).
    std::size_t chunkSize = 0;
    std::int64_t chunkDelayMs = 0;
    /// The cable comes out just before this send (1 for the first); 0: never. From then on the
    /// port is dead like a failed serial layer: closed, sends dropped, nothing received.
    int pullCableAt = 0;
    bool openFails = false;
    std::function<void(int)> onEvent; // the session's serial event handler

    // ---- Record ----
    struct Sent {
        link::Bytes bytes;
        bool reachedRadio = false;
    };
    std::vector<Sent> sent;                     // every send() in order, dropped ones included
    std::vector<sim::FrameRecord> radioFrames;  // what the radio made of the line, in order
    int events = 0;
    int closes = 0;

    bool cablePulled() const { return cablePulled_; }
    std::size_t waiting() const { return buffer_.size(); }

    // ---- link::SerialPort ----
    bool isOpen() const override { return open_ && !cablePulled_; }
    bool open() override {
        if (openFails || cablePulled_)
            return false;
        open_ = true;
        return true;
    }
    void close() override {
        ++closes;
        open_ = false;
        buffer_.clear();
    }
    void send(const link::Bytes& bytes) override {
        sent.push_back({bytes, false});
        if (pullCableAt > 0 && static_cast<int>(sent.size()) == pullCableAt) {
            cablePulled_ = true;
            buffer_.clear();
        }
        if (!isOpen())
            return;
        sent.back().reachedRadio = true;
        sim::FeedResult result = radio_.feed(std::span<const std::uint8_t>(bytes));
        radioFrames.insert(radioFrames.end(), result.frames.begin(), result.frames.end());
        comeBack(result.line);
    }
    link::Bytes takeAll() override {
        if (!isOpen())
            return {};
        return std::exchange(buffer_, link::Bytes{});
    }
    void setReceiveThreshold(int n) override {
        threshold_ = n;
        checkThreshold();
    }

private:
    // The echo and answer travel back, at once or in timed pieces.
    void comeBack(const link::Bytes& line) {
        if (line.empty())
            return;
        if (chunkSize == 0) {
            arrive(line);
            return;
        }
        std::int64_t delay = 0;
        for (std::size_t from = 0; from < line.size(); from += chunkSize) {
            const std::size_t to = std::min(line.size(), from + chunkSize);
            delay += chunkDelayMs;
            link::Bytes piece(line.begin() + static_cast<std::ptrdiff_t>(from),
                              line.begin() + static_cast<std::ptrdiff_t>(to));
            clock_.schedule(delay, [this, piece] { arrive(piece); });
        }
    }

    void arrive(const link::Bytes& bytes) {
        if (!isOpen())
            return; // a closed or dead port hears nothing
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        checkThreshold();
    }

    // Like the serial layer: an event when enough bytes are waiting, judged when it fires; one
    // check waits at a time, but every piece that arrives later may raise another event.
    void checkThreshold() {
        if (synchronousEvents) {
            fire();
            return;
        }
        if (checkQueued_)
            return;
        checkQueued_ = true;
        clock_.schedule(0, [this] {
            checkQueued_ = false;
            fire();
        });
    }

    void fire() {
        if (threshold_ <= 0 || !isOpen() || buffer_.size() < static_cast<std::size_t>(threshold_))
            return;
        ++events;
        if (onEvent)
            onEvent(kReceiveEvent);
    }

    FakeClock& clock_;
    sim::SimRadio& radio_;
    link::Bytes buffer_;
    int threshold_ = 0;
    bool open_ = false;
    bool cablePulled_ = false;
    bool checkQueued_ = false;
};

} // namespace vorix::test
