// One programming dialog's link run fed an arbitrary sequence of what can happen to it: bytes and
// events from the port, timer ticks, prompt answers (also events while a prompt is open), a pulled
// cable, the dialog closing. Checked on every call (LinkFuzzWorld.h): no frame but the four known
// ones, with blocks inside the image; the RadioImage changes only at a successful read's end; no
// call after the dialog closed or abandon(). Once the input is over, silence and Cancel must end
// the run within kTickBound ticks and kPromptBound prompts. After a successful write the radio
// holds the image. After a successful read the image holds the radio's memory whenever every
// answer came right behind its echo, whole, even when it named another block or carried a bare
// 0x06: a read takes only the block it asked for. Reads past the received bytes or the image are
// left to the sanitizers.
//
// Input: byte 0 is the mode: bit 0 read (else write), bit 1 receive events raised at once instead
// of from the event loop, bit 2 Chinese texts, bits 3-4 both set: the port cannot be opened, bit 5
// the cable echoes inside send(), bit 6 the radio answers right inside send(), bit 7 the serial
// layer reports a pulled cable (the session's onPortFailed) from the event loop; the whole byte
// seeds the image and the radio's memory. Then operations, each an opcode byte and its
// operands (see Op); while a prompt is open the operations run inside it until an Answer.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "FuzzCheck.h"
#include "LinkFuzzWorld.h"
#include "image/AppState.h"
#include "link/LinkSession.h"

namespace {

using vorix::fuzz::Require;
namespace link = vorix::link;

constexpr int kTickBound = 40;       // ticks of silence after the input before the dialog must close
constexpr int kPromptBound = 2;      // prompts after the input, each answered Cancel
constexpr int kTicksPerAdvance = 64; // a Tick operation delivers at most this many ticks

enum class Op : std::uint8_t {
    Exchange,   // the cable's echo and the radio's right answer to the last frame, unless sent already
    Echo,       // operand p: the echo alone; whole when p is 0, else its first p % size bytes
    Answer,     // operand p: the radio's answer alone; p % 4: 0 as is, 1 cut to p / 4 bytes,
                // 2 its first byte replaced by p / 4, 3 its address replaced by (p & 4, next byte)
    Chunk,      // operand n, then n bytes that arrive as they are
    Event,      // operand k: k % 4 receive events in a row, whatever is waiting
    Tick,       // operand p: fake time passes; p % 4: 0 up to the next tick, 1 1 ms, 2 16 * (p / 4) ms, 3 1 s
    Answered,   // operand p: the open prompt's answer, Retry when p is odd; outside a prompt, nothing
    PullCable,  // the cable is pulled; the port turns harmless
    Close,      // operand p: the dialog closes (abandon()); when p is odd the dialog is destroyed too
    StartAgain, // the start button is pressed again
    Count
};

vorix::ImageBytes Pattern(std::uint8_t seed, int step) {
    vorix::ImageBytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * static_cast<std::size_t>(step));
    return bytes;
}

class LinkRun {
public:
    LinkRun(const std::uint8_t* data, std::size_t size) : input_(data, size) {
        const std::uint8_t mode = input_.takeByte();
        state_.readMode = (mode & 0x01) != 0;
        state_.language = (mode & 0x04) == 0 ? vorix::Language::English : vorix::Language::Chinese;
        state_.image.replaceAll(Pattern(mode, 7));
        watch_.expectedImage = state_.image.bytes();
        port_.synchronousEvents = (mode & 0x02) != 0;
        port_.openFails = (mode & 0x18) == 0x18;
        port_.echoInSend = (mode & 0x20) != 0;
        port_.answerInSend = (mode & 0x40) != 0;
        port_.reportsFailure = (mode & 0x80) != 0;
        port_.radio.memory() = Pattern(static_cast<std::uint8_t>(mode ^ 0xA5), 13);

        port_.onEvent = [this] {
            if (session_)
                session_->onReceived();
        };
        timer_.onTick = [this] {
            if (session_)
                session_->onTimerTick();
        };
        port_.onFailed = [this] {
            if (session_)
                session_->onPortFailed();
        };
        prompt_.whileOpen = [this](link::PromptButtons buttons) { return promptLoop(buttons); };
        display_.onClose = [this] {
            if (session_)
                session_->abandon(); // the dialog's close handler; harmless once the run has ended
        };
        session_ = std::make_unique<link::LinkSession>(state_, port_, timer_, prompt_, display_);
    }

    void run() {
        session_->load();
        checkAfterStep();
        start_ = state_.readMode ? link::LinkStart::Read : link::LinkStart::Write;
        session_->StartLink(start_);
        afterStep();
        while (!input_.exhausted()) {
            perform(static_cast<Op>(input_.takeByte() % static_cast<std::uint8_t>(Op::Count)));
            afterStep();
        }
        silenceToTheEnd();
        checkOutcome();
    }

private:
    void perform(Op op) {
        static const char* const kOpNames[] = {
            "exchange",     "echo",  "answer",     "chunk", "event", "tick", "answer outside a prompt",
            "cable pulled", "close", "start again"};
        watch_.note(std::string("> ") + kOpNames[static_cast<int>(op)]);
        switch (op) {
        case Op::Exchange:
            port_.arrive(port_.owedForLastFrame());
            break;
        case Op::Echo: {
            strayBytes_ = true;
            link::Bytes echo = port_.lastFrame;
            const std::uint8_t p = input_.takeByte();
            if (p != 0 && !echo.empty())
                echo.resize(p % echo.size());
            port_.arrive(echo);
            break;
        }
        case Op::Answer: {
            const std::uint8_t p = input_.takeByte();
            // Right behind its echo and whole, even a wrong answer stands in the answer's place.
            if (!port_.echoInSend || port_.answerInSend || p % 4 == 1)
                strayBytes_ = true;
            port_.arrive(alteredAnswer(p));
            break;
        }
        case Op::Chunk:
            strayBytes_ = true;
            port_.arrive(input_.take(input_.takeByte()));
            break;
        case Op::Event:
            for (int n = input_.takeByte() % 4; n > 0; --n)
                port_.raise();
            break;
        case Op::Tick:
            letTimePass(input_.takeByte());
            break;
        case Op::Answered:
            input_.takeByte(); // only a prompt's own loop takes an answer
            break;
        case Op::PullCable:
            port_.pullCable();
            break;
        case Op::Close:
            closeDialog((input_.takeByte() & 1) != 0);
            break;
        case Op::StartAgain:
            if (session_)
                session_->StartLink(start_);
            break;
        case Op::Count:
            break;
        }
    }

    link::Bytes alteredAnswer(std::uint8_t p) {
        link::Bytes answer = port_.radioAnswer();
        if (answer.empty())
            return answer;
        switch (p % 4) {
        case 1:
            answer.resize(static_cast<std::size_t>(p / 4) % answer.size());
            break;
        case 2:
            answer[0] = static_cast<std::uint8_t>(p / 4);
            break;
        case 3: {
            const std::uint8_t low = input_.takeByte();
            if (answer.size() >= 3) {
                answer[1] = (p & 4) != 0 ? 1 : 0;
                answer[2] = low;
            }
            break;
        }
        default:
            break;
        }
        return answer;
    }

    void letTimePass(std::uint8_t p) {
        std::int64_t ms = 1000;
        switch (p % 4) {
        case 0:
            ms = timer_.armed() ? timer_.due() - timer_.now : 0;
            break;
        case 1:
            ms = 1;
            break;
        case 2:
            ms = 16 * (p / 4);
            break;
        default:
            break;
        }
        const std::int64_t end = timer_.now + ms;
        for (int n = 0; n < kTicksPerAdvance && timer_.armed() && timer_.due() <= end; ++n) {
            watch_.note("tick at " + std::to_string(timer_.due()) + " ms");
            timer_.fire();
            port_.pumpEvents();
        }
        timer_.now = std::max(timer_.now, end);
    }

    void closeDialog(bool destroy) {
        if (!session_)
            return;
        watch_.abandoned = true; // from here on the session may not touch the dialog
        session_->abandon();
        Require(session_->hasEnded(), "hasEnded() is true once abandon() was called");
        if (destroy)
            session_.reset();
    }

    // The message box's event loop: the input's operations happen while it is open, up to an
    // answer; an input that ends first answers Cancel (Ok for a box that only has Ok).
    link::PromptAnswer promptLoop(link::PromptButtons buttons) {
        if (input_.exhausted())
            Require(++promptsAfterInput_ <= kPromptBound, "a run asks at most twice once the input is over");
        while (!input_.exhausted()) {
            const auto op = static_cast<Op>(input_.takeByte() % static_cast<std::uint8_t>(Op::Count));
            if (op == Op::Answered) {
                const bool retry = (input_.takeByte() & 1) != 0;
                if (buttons == link::PromptButtons::Ok)
                    return link::PromptAnswer::Ok;
                return retry ? link::PromptAnswer::Retry : link::PromptAnswer::Cancel;
            }
            perform(op);
            afterStep();
        }
        return buttons == link::PromptButtons::Ok ? link::PromptAnswer::Ok : link::PromptAnswer::Cancel;
    }

    void afterStep() {
        port_.pumpEvents();
        checkAfterStep();
    }

    void checkAfterStep() const {
        watch_.checkImage();
        if (session_)
            Require(session_->hasEnded() == watch_.over(),
                    "hasEnded() is true exactly once the dialog closed or abandon() was called");
    }

    // Silence from the radio and Cancel to every prompt: the dialog must close within the bounds.
    void silenceToTheEnd() {
        int ticks = 0;
        while (session_ && !watch_.over()) {
            port_.pumpEvents();
            if (watch_.over())
                break;
            Require(timer_.armed(),
                    "a run that has not ended keeps its timer armed, or it would wait for ever");
            Require(++ticks <= kTickBound, "a run ends within 40 ticks of silence once the input is over");
            watch_.note("silent tick at " + std::to_string(timer_.due()) + " ms");
            timer_.fire();
            checkAfterStep();
        }
        checkAfterStep();
    }

    void checkOutcome() const {
        if (watch_.writeOk)
            Require(port_.radio.memory() == state_.image.bytes(),
                    "after a successful write the radio holds the image");
        if (watch_.readOk && !strayBytes_)
            Require(
                state_.image.bytes() == port_.radio.memory(),
                "after a successful read the image holds the radio's memory: each block from its own answer");
        if (!watch_.readOk)
            Require(state_.image.bytes() == watch_.expectedImage,
                    "a read that did not succeed leaves the image");
    }

    vorix::fuzz::FuzzInput input_;
    vorix::AppState state_;
    vorix::fuzz::LinkWatch watch_{state_};
    vorix::fuzz::FuzzPort port_{watch_};
    vorix::fuzz::FuzzTimer timer_{watch_};
    vorix::fuzz::FuzzPrompt prompt_{watch_};
    vorix::fuzz::FuzzDisplay display_{watch_};
    std::unique_ptr<link::LinkSession> session_;
    link::LinkStart start_ = link::LinkStart::Read;
    bool strayBytes_ = false; // bytes arrived out of line: not an echo, nor a whole answer right behind it
    int promptsAfterInput_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        LinkRun(data, size).run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "exception: %s\n", error.what());
        Require(false, "no exception leaves the link session");
    }
    return 0;
}
