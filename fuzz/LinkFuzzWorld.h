#pragma once
// What one link session sees under the fuzzer: a serial port whose incoming bytes, events and
// failure the input decides, a timer on fake time, a prompt the input answers and a dialog. Each
// of them checks, on every call the session makes, what the session promises to its dialog.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "FuzzCheck.h"
#include "SimRadio.h"
#include "image/AppState.h"
#include "link/LinkDisplay.h"
#include "link/LinkFrames.h"
#include "link/LinkInterfaces.h"

namespace vorix::fuzz {

/// What the checks share: the dialog's state as the session has driven it, and the image the
/// RadioImage must still hold.
struct LinkWatch {
    explicit LinkWatch(const AppState& appState) : state(appState), expectedImage(appState.image.bytes()) {}

    const AppState& state;
    ImageBytes expectedImage;
    bool closed = false;    // closeDialog() was called
    bool abandoned = false; // abandon() was called
    bool promptOpen = false;
    bool cancelled = false; // a "Check connection" prompt was answered Cancel
    bool readOk = false;    // "Read Data OK" was shown
    bool writeOk = false;   // "Write Data OK" was shown
    int sends = 0;          // frames the session has sent, reaching the radio or not

    bool over() const { return closed || abandoned; }

    /// With VORIX_FUZZ_TRACE set, what happened is written to stderr, to read a replayed input.
    const bool tracing = std::getenv("VORIX_FUZZ_TRACE") != nullptr;
    void note(const std::string& what) const {
        if (tracing)
            std::fprintf(stderr, "  %s\n", what.c_str());
    }

    void checkImage() const {
        Require(state.image.bytes() == expectedImage,
                "the RadioImage changes only at the end of a successful read, and never while writing");
    }

    /// The entry check of every call the session makes on its dialog, port, timer or prompt.
    void checkCall(const char* afterEndInvariant) const {
        Require(!over(), afterEndInvariant);
        checkImage();
    }
};

/// "H", "R:10", "W8:78", "E", or the bytes in hex: a frame in a trace.
inline std::string FrameName(const link::Bytes& frame) {
    char text[16];
    if (frame == link::HandshakeFrame())
        return "H";
    if (frame == link::EndFrame())
        return "E";
    if (frame.size() >= 4 && frame[0] == link::kReadCommand) {
        std::snprintf(text, sizeof text, "R:%02X", frame[1] * 256 + frame[2]);
        return text;
    }
    if (frame.size() >= 4 && frame[0] == link::kWriteCommand) {
        std::snprintf(text, sizeof text, "W%d:%02X", frame[3], frame[1] * 256 + frame[2]);
        return text;
    }
    std::string hex;
    for (std::uint8_t b : frame) {
        std::snprintf(text, sizeof text, "%02X ", b);
        hex += text;
    }
    return hex;
}

/// Aborts unless frame is a handshake, a read request, a write block carrying the image's own
/// bytes, or the end byte, with its block inside the image and its kind matching the run's mode.
inline void RequireKnownFrame(const link::Bytes& frame, const RadioImage& image, bool readMode) {
    if (frame == link::HandshakeFrame() || frame == link::EndFrame())
        return;
    Require(frame.size() >= 4 && (frame[0] == link::kReadCommand || frame[0] == link::kWriteCommand),
            "every frame sent is \"PROGRAM\", 52 AH AL 10, 57 AH AL L data, or 45");
    const int address = frame[1] * 256 + frame[2];
    if (frame[0] == link::kReadCommand) {
        Require(readMode, "a read request goes out only while reading");
        Require(frame.size() == 4 && frame[3] == link::kReadBlockLength, "a read request is 52 AH AL 10");
        Require(address + link::kReadBlockLength <= kImageSize,
                "a read request asks for a block inside 0..127");
        return;
    }
    Require(!readMode, "a write block goes out only while writing");
    const int length = frame[3];
    Require(length == link::kShortWriteBlock || length == link::kLongWriteBlock,
            "a write block carries 8 or 16 data bytes");
    Require(frame.size() == static_cast<std::size_t>(4 + length),
            "a write block is 57 AH AL L and L data bytes");
    Require(address + length <= kImageSize, "a write block lies inside 0..127");
    Require(std::equal(frame.begin() + 4, frame.end(), image.bytes().begin() + address),
            "a write block carries the image's bytes at its address");
}

/// The serial port and, behind its cable, the simulated radio, which hears every frame while the
/// cable works. Bytes arrive only when the input says so; a receive event follows the threshold like the
/// serial layer's, queued for the event loop or raised at once (synchronousEvents).
class FuzzPort final : public link::SerialPort {
public:
    explicit FuzzPort(LinkWatch& watch) : watch_(watch) {}

    bool openFails = false;
    bool synchronousEvents = false;
    bool echoInSend = false;            // the cable's echo is waiting as soon as send() returns
    bool answerInSend = false;          // and so is the radio's right answer
    bool reportsFailure = false;        // a pulled cable is reported to onFailed from the event loop
    sim::SimRadio radio{sim::Memory{}}; // write blocks it hears land in its memory
    link::Bytes lastFrame;              // the last frame the radio heard
    std::function<void()> onEvent;      // the session's receive event handler
    std::function<void()> onFailed;     // the session's port failure handler

    /// Bytes from the radio's side of the cable.
    void arrive(std::string_view bytes) {
        if (!isOpen())
            return;
        buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        checkThreshold();
    }
    void arrive(const link::Bytes& bytes) {
        arrive(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

    /// The cable is pulled: the port turns harmless, as the interface asks of a failed port.
    void pullCable() {
        failureQueued_ = reportsFailure && !failed_;
        failed_ = true;
        buffer_.clear();
        eventQueued_ = false;
    }

    /// A receive event, whatever the threshold.
    void raise() {
        if (onEvent)
            onEvent();
    }

    /// The event loop's turn: a queued receive event reaches the session.
    void pumpEvents() {
        if (failureQueued_) {
            failureQueued_ = false;
            if (onFailed)
                onFailed();
        }
        if (!eventQueued_)
            return;
        eventQueued_ = false;
        if (isOpen())
            raise();
    }

    /// The radio's right answer to the last frame it heard (echo not included).
    const link::Bytes& radioAnswer() const { return lastAnswer_; }

    bool isOpen() const override { return open_ && !failed_; }

    bool open() override {
        watch_.checkCall("no port use after the dialog closed or abandon()");
        if (openFails || failed_)
            return false;
        open_ = true;
        return true;
    }

    void close() override {
        open_ = false;
        buffer_.clear();
        eventQueued_ = false;
    }

    void send(const link::Bytes& bytes) override {
        watch_.checkCall("no frame is sent after the dialog closed or abandon()");
        Require(!watch_.promptOpen, "no frame is sent while a prompt is open");
        Require(!watch_.cancelled, "no frame is sent after the prompt was answered Cancel");
        watch_.note("send " + FrameName(bytes) + (isOpen() ? "" : " (port closed)"));
        ++watch_.sends;
        RequireKnownFrame(bytes, watch_.state.image, watch_.state.readMode);
        if (!isOpen())
            return;
        lastFrame = bytes;
        lastAnswer_.clear();
        for (const sim::FrameRecord& record : radio.feed(bytes).frames)
            lastAnswer_.insert(lastAnswer_.end(), record.answer.begin(), record.answer.end());
        if (echoInSend)
            arrive(bytes);
        if (answerInSend)
            arrive(radioAnswer());
    }

    /// What the cable and the radio still owe for the last frame: its echo and the right answer.
    link::Bytes owedForLastFrame() const {
        link::Bytes bytes = echoInSend ? link::Bytes{} : lastFrame;
        if (!answerInSend) {
            bytes.insert(bytes.end(), lastAnswer_.begin(), lastAnswer_.end());
        }
        return bytes;
    }

    link::Bytes takeAll() override {
        watch_.checkCall("no port use after the dialog closed or abandon()");
        if (!isOpen())
            return {};
        // A fresh vector of exactly the bytes waiting, so a read past them leaves the allocation.
        link::Bytes taken(buffer_.begin(), buffer_.end());
        buffer_.clear();
        return taken;
    }

    void setReceiveThreshold(int n) override {
        watch_.checkCall("no port use after the dialog closed or abandon()");
        threshold_ = n;
        checkThreshold();
    }

private:
    void checkThreshold() {
        if (threshold_ <= 0 || !isOpen() || buffer_.size() < static_cast<std::size_t>(threshold_))
            return;
        if (synchronousEvents)
            raise();
        else
            eventQueued_ = true;
    }

    LinkWatch& watch_;
    link::Bytes lastAnswer_;
    link::Bytes buffer_;
    int threshold_ = 0;
    bool open_ = false;
    bool failed_ = false;
    bool failureQueued_ = false;
    bool eventQueued_ = false;
};

/// The dialog's timer on fake time; like a real one it ticks every interval until disabled.
class FuzzTimer final : public link::Timer {
public:
    explicit FuzzTimer(LinkWatch& watch) : watch_(watch) {}

    std::function<void()> onTick;
    std::int64_t now = 0;

    bool armed() const { return enabled_ && interval_ > 0; }
    std::int64_t due() const { return due_; }

    /// Moves fake time to the next tick and delivers it; the timer is armed.
    void fire() {
        now = std::max(now, due_);
        due_ = now + interval_;
        if (onTick)
            onTick();
    }

    void setInterval(int milliseconds) override {
        watch_.checkCall("no timer use after the dialog closed or abandon()");
        interval_ = milliseconds;
        due_ = now + interval_;
    }
    void enable() override {
        watch_.checkCall("no timer use after the dialog closed or abandon()");
        enabled_ = true;
        due_ = now + interval_;
    }
    void disable() override { enabled_ = false; }

private:
    LinkWatch& watch_;
    int interval_ = 0;
    bool enabled_ = false;
    std::int64_t due_ = 0;
};

/// The modal message box. While it is open, whileOpen plays the part of its event loop and gives
/// the answer.
class FuzzPrompt final : public link::Prompt {
public:
    explicit FuzzPrompt(LinkWatch& watch) : watch_(watch) {}

    std::function<link::PromptAnswer(link::PromptButtons)> whileOpen;

    link::PromptAnswer ask(const link::PromptQuestion& question) override {
        watch_.checkCall("no prompt after the dialog closed or abandon()");
        Require(!watch_.promptOpen, "no prompt opens while another one is open");
        const bool reselect = question.kind == link::PromptKind::ReselectPort;
        Require(!reselect || watch_.sends == 0, "the port is to be reselected only when it did not open");
        const link::PromptButtons buttons = question.buttons();
        watch_.note(reselect ? "prompt reselect port" : "prompt check connection");
        watch_.promptOpen = true;
        const link::PromptAnswer answer = whileOpen ? whileOpen(buttons) : link::PromptAnswer::Cancel;
        watch_.promptOpen = false;
        static const char* const kAnswerNames[] = {"Ok", "Retry", "Cancel"};
        watch_.note(std::string("answered ") + kAnswerNames[static_cast<int>(answer)]);
        if (buttons == link::PromptButtons::RetryCancel && answer == link::PromptAnswer::Cancel)
            watch_.cancelled = true;
        return answer;
    }

private:
    LinkWatch& watch_;
};

/// The programming dialog: checks every call and takes the new image at a successful read's end.
class FuzzDisplay final : public link::LinkDisplay {
public:
    explicit FuzzDisplay(LinkWatch& watch) : watch_(watch) {}

    std::function<void()> onClose; // the dialog's close handler

    void setCaption(link::LinkCaption) override { check(); }
    void resetProgress() override { check(); }
    void setProgress(double fraction) override {
        check();
        Require(fraction >= 0.0 && fraction <= 1.0, "the progress bar stays within 0 to 1");
    }
    void showResult(link::LinkResult result) override {
        check();
        const bool reading = watch_.state.readMode;
        Require(result == (reading ? link::LinkResult::ReadOk : link::LinkResult::WriteOk),
                "the result shown is the run's own success");
        Require(!watch_.readOk && !watch_.writeOk, "a run succeeds at most once");
        watch_.note(reading ? "result read ok" : "result write ok");
        (reading ? watch_.readOk : watch_.writeOk) = true;
    }
    void enableControls() override { check(); }
    void focusStartButton(bool readMode) override {
        check();
        Require(readMode == watch_.state.readMode, "the end of run focuses the button that started it");
    }
    void refreshMainWindow() override {
        Require(!watch_.over(), "no display call after the dialog closed or abandon()");
        Require(watch_.readOk, "the main window is refreshed only after \"Read Data OK\"");
        watch_.expectedImage = watch_.state.image.bytes(); // the successful read's end: the image is new
    }
    void closeDialog() override {
        check();
        watch_.note("dialog closed");
        watch_.closed = true;
        if (onClose)
            onClose();
    }

private:
    void check() const { watch_.checkCall("no display call after the dialog closed or abandon()"); }

    LinkWatch& watch_;
};

} // namespace vorix::fuzz
