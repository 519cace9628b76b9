#pragma once
// A link::Timer on the fake clock. Like a real timer it keeps ticking every interval while it is
// enabled, so a handler that forgets to disable it shows up as extra ticks.

#include <cstdint>
#include <functional>
#include <vector>

#include "link/LinkInterfaces.h"
#include "support/FakeClock.h"

namespace vorix::test {

class FakeTimer final : public link::Timer {
public:
    explicit FakeTimer(FakeClock& clock) : clock_(clock) {}
    ~FakeTimer() override { stop(); }

    /// Called on every tick; usually the session's onTimerTick.
    std::function<void()> onTick;

    struct Arming {
        std::int64_t time;
        int interval;
    };
    std::vector<Arming> armings; // every enable(), with the interval in force
    int ticks = 0;

    void setInterval(int milliseconds) override {
        interval_ = milliseconds;
        if (enabled_)
            arm(); // a new interval restarts the countdown
    }
    void enable() override {
        enabled_ = true;
        armings.push_back({clock_.now(), interval_});
        arm();
    }
    void disable() override {
        enabled_ = false;
        stop();
    }

    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }

private:
    void arm() {
        stop();
        if (interval_ <= 0)
            return; // an interval of 0 never ticks
        pending_ = clock_.schedule(interval_, [this] {
            pending_ = 0;
            ++ticks;
            arm(); // the next tick, unless the handler disables or re-arms
            if (onTick)
                onTick();
        });
    }
    void stop() {
        if (pending_ != 0)
            clock_.cancel(pending_);
        pending_ = 0;
    }

    FakeClock& clock_;
    int interval_ = 0;
    bool enabled_ = false;
    FakeClock::Id pending_ = 0;
};

} // namespace vorix::test
