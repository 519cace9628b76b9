#pragma once
// A fake clock for link tests: callbacks scheduled in milliseconds of fake time, run in order
// when the test advances the clock. Nothing sleeps, and every run is bounded.

#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <utility>

namespace vorix::test {

class FakeClock {
public:
    using Callback = std::function<void()>;
    using Id = std::uint64_t;

    std::int64_t now() const { return now_; }

    /// Runs callback delayMs after now (0: at the next advance or run, after earlier entries).
    Id schedule(std::int64_t delayMs, Callback callback) {
        const Id id = ++lastId_;
        queue_.emplace(Key{now_ + (delayMs < 0 ? 0 : delayMs), id}, std::move(callback));
        return id;
    }

    void cancel(Id id) {
        for (auto it = queue_.begin(); it != queue_.end(); ++it)
            if (it->first.second == id) {
                queue_.erase(it);
                return;
            }
    }

    bool idle() const { return queue_.empty(); }

    /// Runs every callback due within the next ms, each at its own time, then sets now to the end.
    void advance(std::int64_t ms) {
        const std::int64_t end = now_ + ms;
        while (runNextDue(end)) {
        }
        now_ = end;
    }

    /// Runs callbacks in time order until done() holds (true) or the queue is empty, limitMs of
    /// fake time have passed or maxCallbacks ran (false), so a test can never hang.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600'000, int maxCallbacks = 100'000) {
        const std::int64_t end = now_ + limitMs;
        for (int i = 0; i < maxCallbacks; ++i) {
            if (done())
                return true;
            if (!runNextDue(end))
                return done();
        }
        return done();
    }

    /// Runs callbacks until none is left (true) or a bound is hit (false).
    bool runUntilIdle(std::int64_t limitMs = 600'000, int maxCallbacks = 100'000) {
        return runUntil([this] { return queue_.empty(); }, limitMs, maxCallbacks);
    }

private:
    using Key = std::pair<std::int64_t, Id>; // due time, then order of scheduling

    bool runNextDue(std::int64_t end) {
        if (queue_.empty() || queue_.begin()->first.first > end)
            return false;
        auto first = queue_.begin();
        now_ = first->first.first;
        Callback callback = std::move(first->second);
        queue_.erase(first);
        callback();
        return true;
    }

    std::int64_t now_ = 0;
    Id lastId_ = 0;
    std::map<Key, Callback> queue_;
};

} // namespace vorix::test
