#pragma once
// One programming dialog's link, wired to the fake radio, clock, timer, prompt and display.

#include <initializer_list>
#include <string>
#include <vector>

#include "image/AppState.h"
#include "link/LinkSession.h"
#include "support/FakeClock.h"
#include "support/FakeTimer.h"
#include "support/RecordingLinkDisplay.h"
#include "support/ScriptedPrompt.h"
#include "support/ScriptedRadio.h"

namespace vorix::test {

struct LinkHarness {
    AppState state;
    FakeClock clock;
    ScriptedRadio radio{clock};
    FakeTimer timer{clock};
    ScriptedPrompt prompt{clock, state};
    RecordingLinkDisplay display{state};
    link::LinkSession session{state, radio, timer, prompt, display};

    explicit LinkHarness(bool readMode) {
        state.readMode = readMode;
        radio.onEvent = [this] { session.onReceived(); };
        timer.onTick = [this] { session.onTimerTick(); };
        session.load();
    }

    /// What the dialog's Read or Write button passes.
    link::LinkStart startKind() const {
        return state.readMode ? link::LinkStart::Read : link::LinkStart::Write;
    }
    void start() { session.StartLink(startKind()); }

    /// Runs the fake event loop until the dialog closes; false when it would not within the bound.
    bool runToEnd(std::int64_t limitMs = 600'000) {
        return clock.runUntil([this] { return display.closes > 0; }, limitMs);
    }
    /// Runs until the n-th prompt has been asked (1 for the first).
    bool runToPrompt(std::size_t n, std::int64_t limitMs = 600'000) {
        return clock.runUntil([this, n] { return prompt.asked.size() >= n; }, limitMs);
    }
    const link::LinkVariables& vars() const { return session.variables(); }

    /// Each frame sent, short: "H" handshake, "R:10" read request, "W8:08" write block, "E" end.
    std::vector<std::string> summary() const {
        std::vector<std::string> out;
        for (const auto& f : radio.frames())
            out.push_back(FrameKind(f));
        return out;
    }
    static std::string FrameKind(const link::Bytes& f) {
        if (f == link::Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M'})
            return "H";
        if (f == link::Bytes{0x45})
            return "E";
        if (f.size() == 4 && f[0] == 0x52)
            return "R:" + HexBytes({f[2]});
        if (f.size() >= 4 && f[0] == 0x57)
            return "W" + std::to_string(f[3]) + ":" + HexBytes({f[2]});
        return HexBytes(f);
    }

    /// Image bytes 0..127 set to a pattern that differs from byte to byte.
    static ImageBytes Pattern(int seed) {
        ImageBytes bytes{};
        for (int i = 0; i < kImageSize; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((i * 7 + seed) & 0xFF);
        return bytes;
    }
};

/// Short frame names of a whole transfer: "R:00".."R:70" or "W8:00".."W8:78" (kind "R", "W8", "W16").
inline std::vector<std::string> Blocks(const std::string& kind, int step) {
    std::vector<std::string> out;
    for (int a = 0; a < kImageSize; a += step)
        out.push_back(kind + ":" + HexBytes({static_cast<std::uint8_t>(a)}));
    return out;
}

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline std::vector<std::string> Repeat(const std::string& frame, int times) {
    return std::vector<std::string>(static_cast<std::size_t>(times), frame);
}

/// The short frames of a read without faults: handshake, 8 requests, end byte.
inline std::vector<std::string> FullRead() {
    return Join({{"H"}, Blocks("R", 16), {"E"}});
}

} // namespace vorix::test
