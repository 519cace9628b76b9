// The fault soak: hundreds of reads and writes in a row against the simulated radio, with faults
// injected at random and every prompt answered Retry or Cancel at random. Each run must end within
// a bound, send only well-formed frames, and leave the image and the radio's memory as its outcome
// says. The seed is printed; VORIX_SOAK_SEED repeats a soak, VORIX_SOAK_RUNS makes it longer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "SimRadio.h"
#include "SoakPlan.h"
#include "image/AppState.h"
#include "link/LinkFrames.h"
#include "link/LinkSession.h"
#include "link/LinkTexts.h"
#include "support/FakeClock.h"
#include "support/FakeTimer.h"
#include "support/RecordingLinkDisplay.h"
#include "support/ScriptedRadio.h"
#include "texts/InterfaceTexts.h"

namespace vorix::test {
namespace {

using link::PromptAnswer;
using link::PromptButtons;

constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr int kMinimumRuns = 200;
constexpr int kDefaultRuns = 1000;
constexpr int kMaxRetries = 3;                       // Retries per run; the next prompt is answered Cancel
constexpr std::int64_t kRunLimitMs = 30 * 60 * 1000; // fake time a run may take at most
constexpr int kRunCallbacks = 100'000;               // clock callbacks a run may take at most
constexpr int kMaxTicks = 100;                       // timer ticks a run may take at most
constexpr int kBlock = link::kReadBlockLength;

/// The user at the "Check connection" prompt: reads it for up to three seconds (the message box
/// runs the event loop meanwhile), then Retry or Cancel at random, Cancel once Retries run out.
class SoakPrompt final : public link::Prompt {
public:
    SoakPrompt(FakeClock& clock, SoakRandom& random) : clock_(clock), random_(random) {}

    std::vector<std::string> texts;
    int retries = 0;
    int cancels = 0;

    PromptAnswer ask(const link::PromptQuestion& question) override {
        texts.push_back(PromptText(question, Language::English));
        clock_.advance(random_.below(3000));
        if (question.buttons() == PromptButtons::Ok)
            return PromptAnswer::Ok;
        if (retries < kMaxRetries && random_.chance(60)) {
            ++retries;
            return PromptAnswer::Retry;
        }
        ++cancels;
        return PromptAnswer::Cancel;
    }

private:
    FakeClock& clock_;
    SoakRandom& random_;
};

/// One programming dialog against a radio that starts from memory and misbehaves as planned.
struct SoakRun {
    SoakRun(AppState& state, const sim::Memory& memory, const RunPlan& plan, SoakRandom& random)
        : port(clock, memory, plan.faults), prompt(clock, random), display(state),
          session(state, port, timer, prompt, display) {
        port.answerDelayMs = 0; // the answer right behind the echo, unless the line brings pieces
        port.synchronousEvents = plan.synchronousEvents;
        port.chunkSize = plan.chunkSize;
        port.chunkDelayMs = plan.chunkDelayMs;
        if (plan.pullCableAt > 0)
            port.faults[plan.pullCableAt] = RadioFault::pullCable();
        port.onEvent = [this] { session.onReceived(); };
        timer.onTick = [this] { session.onTimerTick(); };
        session.load();
        session.StartLink(plan.readMode ? link::LinkStart::Read : link::LinkStart::Write);
    }

    FakeClock clock;
    ScriptedRadio port;
    FakeTimer timer{clock};
    SoakPrompt prompt;
    RecordingLinkDisplay display;
    link::LinkSession session;
};

/// What is wrong with the frames a run sent, or nothing. Frames must be the handshake, a read
/// request, a write block carrying the image's own bytes, or the end byte; blocks lie inside the
/// image and follow each other from address 0 after every handshake; the end byte follows the
/// last block.
std::string FrameProblem(const std::vector<ScriptedRadio::Sent>& sent, bool readMode,
                         const ImageBytes& image) {
    const link::Bytes handshake = link::HandshakeFrame();
    int next = -1; // address the next block must have; -1 before the first handshake
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const link::Bytes& f = sent[i].bytes;
        const std::string where = "frame " + std::to_string(i + 1) + " (" + sim::HexBytes(f) + "): ";
        if (f == handshake) {
            next = 0;
            continue;
        }
        if (f == link::EndFrame()) {
            if (next != kImageSize)
                return where + "end byte before the last block";
            next = -1;
            continue;
        }
        const bool read = f.size() == 4 && f[0] == link::kReadCommand && f[3] == kBlock;
        const bool write = f.size() >= 4 && f[0] == link::kWriteCommand && (f[3] == 8 || f[3] == 16) &&
                           f.size() == 4u + f[3];
        if (!read && !write)
            return where + "not one of the four frame shapes";
        if (read != readMode)
            return where + "a frame of the other direction";
        const int address = f[1] * 256 + f[2];
        const int length = read ? kBlock : f[3];
        if (address + length > kImageSize)
            return where + "block outside the image";
        if (address != next)
            return where + "expected the block at " + std::to_string(next);
        if (write && !std::equal(f.begin() + 4, f.end(), image.begin() + address))
            return where + "write data differ from the image";
        next = address + length;
    }
    return {};
}

/// Where two 128-byte images differ, for a readable failure; empty when they are equal.
std::string Differences(const ImageBytes& actual, const ImageBytes& expected) {
    std::string text;
    int count = 0;
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i] && ++count <= 4)
            text += "byte " + std::to_string(i) + ": " + sim::HexBytes(std::span(&actual[i], 1)) +
                    " instead of " + sim::HexBytes(std::span(&expected[i], 1)) + "; ";
    return count == 0 ? text : text + std::to_string(count) + " bytes differ";
}

bool RadioMisaddressed(const std::vector<sim::FrameRecord>& frames) {
    return std::any_of(frames.begin(), frames.end(), [](const sim::FrameRecord& f) {
        return f.fault.find(kWrongAddressLogged) != std::string::npos;
    });
}

/// An image that differs from memory in every byte, so a stale or misplaced byte always shows.
ImageBytes ImageUnlike(const sim::Memory& memory, SoakRandom& random) {
    ImageBytes image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(memory[i] ^ (1 + random.below(255)));
    return image;
}

struct SoakTally {
    int reads = 0, readsOk = 0, readsPastWrongAddress = 0, writes = 0, writesOk = 0, cleanRuns = 0;
    int retries = 0, cancels = 0, cablesPulled = 0, maxTicks = 0;
    std::int64_t longestRunMs = 0;
    std::vector<int> faultsApplied = std::vector<int>(kFrameFaults.size() + 1, 0); // last: silence
};

void CountFaults(const std::vector<sim::FrameRecord>& frames, SoakTally& tally) {
    for (const sim::FrameRecord& f : frames) {
        for (std::size_t k = 0; k < kFrameFaults.size(); ++k)
            if (f.fault.find(kFrameFaults[k].logged) != std::string::npos)
                ++tally.faultsApplied[k];
        if (f.fault == kSilenceLogged)
            ++tally.faultsApplied.back();
    }
}

/// Runs one dialog to its end and checks it; false when it did not end (the soak stops there).
bool SoakOneRun(AppState& state, sim::Memory& memory, const RunPlan& plan, SoakRandom& random,
                SoakTally& tally) {
    state.readMode = plan.readMode;
    state.image.replaceAll(ImageUnlike(memory, random));
    const ImageBytes before = state.image.bytes();
    const sim::Memory memoryBefore = memory;

    SoakRun run(state, memory, plan, random);
    const bool ended = run.clock.runUntil([&] { return run.display.closes > 0; }, kRunLimitMs, kRunCallbacks);
    EXPECT_TRUE(ended) << "the run did not end within " << kRunLimitMs << " ms of fake time and "
                       << kRunCallbacks << " events; " << run.port.sent.size() << " frames sent";
    if (!ended)
        return false;
    const std::int64_t endTime = run.clock.now();

    // Nothing after the end: the dialog has closed, the port and timer are quiet.
    const std::size_t sentAtEnd = run.port.sent.size();
    const std::size_t displayCalls = run.display.log.size();
    EXPECT_TRUE(run.clock.runUntilIdle(kRunLimitMs, kRunCallbacks));
    EXPECT_TRUE(run.session.hasEnded());
    EXPECT_EQ(run.display.closes, 1);
    EXPECT_EQ(run.display.log.size(), displayCalls) << "display calls after the dialog closed";
    EXPECT_EQ(run.port.sent.size(), sentAtEnd) << "frames sent after the dialog closed";
    EXPECT_FALSE(run.port.isOpen());
    EXPECT_FALSE(run.timer.enabled());
    EXPECT_LE(run.timer.ticks, kMaxTicks);

    EXPECT_EQ(FrameProblem(run.port.sent, plan.readMode, before), "");
    for (const std::string& text : run.prompt.texts)
        EXPECT_EQ(text, Text(TextId::CheckConnection, Language::English));
    EXPECT_LE(run.prompt.retries, kMaxRetries);
    EXPECT_LE(run.display.results.size(), 1u);

    const TextId okText = plan.readMode ? TextId::ReadDataOk : TextId::WriteDataOk;
    const bool succeeded =
        run.display.results == std::vector<std::string>{std::string(Text(okText, Language::English))};
    if (succeeded) {
        EXPECT_EQ(run.port.sent.back().bytes, link::EndFrame());
        // The end byte may be lost to a pulled cable, but nothing before it.
        for (std::size_t i = 0; i + 1 < run.port.sent.size(); ++i)
            EXPECT_EQ(run.port.sent[i].reach, ScriptedRadio::Reach::Radio)
                << "a run that lost frame " << i + 1 << " succeeded";
    }
    if (plan.clean()) {
        ++tally.cleanRuns;
        EXPECT_TRUE(succeeded) << "a run without faults failed";
        EXPECT_TRUE(run.prompt.texts.empty());
        EXPECT_EQ(run.port.sent.size(), plan.readMode ? 10u : 18u);
    }

    memory = run.port.memory(); // the radio keeps whatever it was given, even half a write
    if (plan.readMode) {
        ++tally.reads;
        EXPECT_EQ(Differences(memory, memoryBefore), "") << "a read changed the radio";
        EXPECT_EQ(run.display.refreshes, succeeded ? 1 : 0);
        if (!succeeded) {
            EXPECT_EQ(Differences(state.image.bytes(), before), "")
                << "a failed or cancelled read changed the image";
        } else {
            // Every block comes from the answer to its own request, also after a misaddressed one.
            ++tally.readsOk;
            tally.readsPastWrongAddress += RadioMisaddressed(run.port.radioFrames) ? 1 : 0;
            EXPECT_EQ(Differences(state.image.bytes(), memory), "")
                << "a successful read differs from the radio";
        }
    } else {
        ++tally.writes;
        EXPECT_EQ(Differences(state.image.bytes(), before), "") << "a write changed the image";
        EXPECT_EQ(run.display.refreshes, 0);
        if (succeeded) {
            ++tally.writesOk;
            EXPECT_EQ(Differences(memory, before), "")
                << "after a successful write the radio differs from the image";
        }
    }

    tally.retries += run.prompt.retries;
    tally.cancels += run.prompt.cancels;
    tally.cablesPulled += run.port.cablePulled() ? 1 : 0;
    tally.maxTicks = std::max(tally.maxTicks, run.timer.ticks);
    tally.longestRunMs = std::max(tally.longestRunMs, endTime);
    CountFaults(run.port.radioFrames, tally);
    return true;
}

TEST(LinkSoak, RandomFaultsNeverHangCorruptOrMisframe) {
    const std::uint64_t seed = EnvironmentNumber("VORIX_SOAK_SEED", kDefaultSeed);
    const int runs = static_cast<int>(
        std::max<std::uint64_t>(kMinimumRuns, EnvironmentNumber("VORIX_SOAK_RUNS", kDefaultRuns)));
    std::printf("link soak: seed %" PRIu64 ", %d runs (VORIX_SOAK_SEED=%" PRIu64 " repeats it)\n", seed, runs,
                seed);
    RecordProperty("seed", std::to_string(seed));

    SoakRandom random(seed);
    AppState state;
    sim::Memory memory{};
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(random.below(256));
    SoakTally tally;
    for (int n = 1; n <= runs; ++n) {
        const RunPlan plan = DrawPlan(random);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", run " + std::to_string(n) + ": " + plan.describe());
        if (!SoakOneRun(state, memory, plan, random, tally) || HasFailure())
            break;
    }

    std::printf(
        "link soak: %d reads (%d ok, %d of them after a misaddressed answer), %d writes (%d ok), %d clean "
        "runs, %d retries, %d cancels, "
        "%d cables pulled, faults applied: no answer %d, wrong byte %d, wrong address %d, short answer %d, "
        "silence %d; at most %d ticks and %" PRId64 " ms of fake time in one run\n",
        tally.reads, tally.readsOk, tally.readsPastWrongAddress, tally.writes, tally.writesOk,
        tally.cleanRuns, tally.retries, tally.cancels, tally.cablesPulled, tally.faultsApplied[0],
        tally.faultsApplied[1], tally.faultsApplied[2], tally.faultsApplied[3], tally.faultsApplied[4],
        tally.maxTicks, tally.longestRunMs);
    if (HasFailure())
        return;
    // The soak proves something only if it met every outcome and every fault.
    EXPECT_EQ(tally.reads + tally.writes, runs);
    EXPECT_GT(tally.readsOk, 0);
    EXPECT_LT(tally.readsOk, tally.reads) << "no read failed";
    EXPECT_GT(tally.writesOk, 0);
    EXPECT_LT(tally.writesOk, tally.writes) << "no write failed";
    EXPECT_GT(tally.cleanRuns, 0);
    EXPECT_GT(tally.retries, 0);
    EXPECT_GT(tally.cancels, 0);
    EXPECT_GT(tally.cablesPulled, 0);
    for (std::size_t k = 0; k < tally.faultsApplied.size(); ++k)
        EXPECT_GT(tally.faultsApplied[k], 0) << "fault " << k << " never applied";
}

} // namespace
} // namespace vorix::test
