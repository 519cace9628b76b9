#pragma once
// One programming dialog's link, wired to the fake radio, clock, timer, prompt and display.

#include <string>
#include <vector>

#include "image/AppState.h"
#include "link/LinkSession.h"
#include "support/FakeClock.h"
#include "support/FakeTimer.h"
#include "support/RecordingLinkDisplay.h"
#include "support/ScriptedPrompt.h"
#include "support/ScriptedRadio.h"
#include "ui/InterfaceTexts.h"

namespace vorix::test {

struct LinkHarness {
    AppState state;
    FakeClock clock;
    ScriptedRadio radio{clock};
    FakeTimer timer{clock};
    ScriptedPrompt prompt{clock};
    RecordingLinkDisplay display;
    link::LinkSession session{state, radio, timer, prompt, display};

    explicit LinkHarness(bool readMode) {
        state.ReadMode = readMode;
        radio.onEvent = [this](int kind) { session.onSerialEvent(kind); };
        timer.onTick = [this] { session.onTimerTick(); };
        session.load();
    }

    /// What the dialog's Read or Write button passes.
    std::string startText() const {
        return std::string(Text(state.ReadMode ? TextId::DialogStartRead : TextId::DialogStartWrite, state.IsEnglish));
    }
    void start() { session.StartLink(startText()); }

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
        for (const auto& f : radio.frames)
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

} // namespace vorix::test
