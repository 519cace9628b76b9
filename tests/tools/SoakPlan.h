#pragma once
// What goes wrong in one run of the fault soak: the radio's faults, a pulled cable and the way the
// line delivers its bytes, drawn from a seeded generator so that a seed repeats a whole soak.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

#include "SimRadio.h"

namespace vorix::test {

/// A seeded generator that gives the same numbers with every standard library: the engine is
/// fixed by the standard, and the mapping to ranges is done here, not by a distribution.
class SoakRandom {
public:
    explicit SoakRandom(std::uint64_t seed) : engine_(seed) {}
    /// 0 to n - 1.
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T, std::size_t N> const T& pick(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

private:
    std::mt19937_64 engine_;
};

/// An unsigned number from the environment of the test, or fallback when unset or not a number.
inline std::uint64_t EnvironmentNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return fallback;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 0);
    return *end == '\0' ? value : fallback;
}

inline constexpr const char* kWrongAddressLogged = "wrong address";

/// The radio's per-frame faults as the soak draws them, and how the radio's log names each.
struct FrameFault {
    const char* name;
    std::set<int> sim::Faults::*frames;
    const char* logged; // part of sim::FrameRecord::fault when the radio applied it
};
inline constexpr std::array<FrameFault, 4> kFrameFaults{{
    {"no answer", &sim::Faults::dropAnswer, "answer dropped"},
    {"wrong byte", &sim::Faults::wrongAnswer, "wrong answer byte"},
    {"wrong address", &sim::Faults::wrongAddress, kWrongAddressLogged},
    {"short answer", &sim::Faults::shortAnswer, "short answer"},
}};
/// How the radio's log names a frame that went unanswered because the radio fell silent.
inline constexpr const char* kSilenceLogged = "silent";

/// How one run goes wrong.
struct RunPlan {
    bool readMode = true;
    sim::Faults faults;
    int pullCableAt = 0; // the frame at which the cable comes out, unheard; 0: never
    bool synchronousEvents = false;
    std::size_t chunkSize = 0; // the line's bytes come back in pieces of this many (0: at once)
    std::int64_t chunkDelayMs = 0;

    bool clean() const {
        for (const FrameFault& fault : kFrameFaults)
            if (!(faults.*fault.frames).empty())
                return false;
        return faults.silentAfter == 0 && pullCableAt == 0;
    }

    /// One line for a failure message: enough to see what the run was up against.
    std::string describe() const {
        std::string text = readMode ? "read" : "write";
        for (const FrameFault& fault : kFrameFaults) {
            if ((faults.*fault.frames).empty())
                continue;
            text += std::string(", ") + fault.name + " at";
            for (int frame : faults.*fault.frames)
                text += " " + std::to_string(frame);
        }
        if (faults.silentAfter > 0)
            text += ", silent after " + std::to_string(faults.silentAfter);
        if (pullCableAt > 0)
            text += ", cable pulled at send " + std::to_string(pullCableAt);
        text += synchronousEvents ? ", synchronous events" : ", queued events";
        if (chunkSize > 0)
            text +=
                ", pieces of " + std::to_string(chunkSize) + " every " + std::to_string(chunkDelayMs) + " ms";
        return text;
    }
};

/// Frames of a run that may draw a fault: a faultless write takes 18, and restarts add more.
inline constexpr int kPlannedFrames = 60;

/// A fresh plan. About a quarter of the runs are clean; the others misbehave on a few or on many
/// frames, and some go silent or lose the cable part way.
inline RunPlan DrawPlan(SoakRandom& random) {
    static constexpr std::array<int, 4> kFaultPercent{0, 3, 8, 15}; // share of frames that misbehave
    static constexpr std::array<std::size_t, 5> kChunkSizes{0, 0, 1, 3, 8};
    RunPlan plan;
    plan.readMode = random.chance(50);
    const int percent = random.pick(kFaultPercent);
    for (int frame = 1; frame <= kPlannedFrames; ++frame)
        if (random.chance(percent)) {
            const FrameFault& fault = random.pick(kFrameFaults);
            (plan.faults.*fault.frames).insert(frame);
        }
    if (percent > 0 && random.chance(25))
        plan.faults.silentAfter = 1 + random.below(30);
    if (percent > 0 && random.chance(25))
        plan.pullCableAt = 1 + random.below(30);
    plan.synchronousEvents = random.chance(25);
    plan.chunkSize = random.pick(kChunkSizes);
    plan.chunkDelayMs = plan.chunkSize > 0 ? random.below(3) : 0;
    return plan;
}

} // namespace vorix::test
