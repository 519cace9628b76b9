#pragma once
// One run of the serial programming protocol: handshake, block transfer, time-outs, restarts and
// the user's prompt, as a state machine driven by its dialog's serial events and timer ticks.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "image/AppState.h"
#include "link/LinkDisplay.h"
#include "link/LinkInterfaces.h"
#include "link/LinkVariables.h"

namespace vorix::link {

/// What a start passes: a fresh run in the direction its button named (the caption it gives the
/// dialog), or Retry, which restarts the run.
enum class LinkStart { Read, Write, Retry };

/// The link logic of one programming dialog. Its host forwards the port's serial events and
/// failure and the timer's ticks to it; the dialog renders what the session reports through
/// LinkDisplay and Prompt, in words of its own choosing.
///
/// A read gathers its blocks in a copy of the RadioImage; the image takes the copy only at the
/// end of run of a successful read, right before refreshMainWindow(). A failed, cancelled or
/// abandoned read leaves the image as it was.
///
/// Answers are only read within the bytes received: an event with fewer bytes than its frame's
/// threshold is kept as the start of the answer. A read request is answered only by the data of
/// the block it asked for: a data answer for any other address, or a 0x06 without data, counts as
/// a wrong answer (the "Check connection" prompt at once). So a read succeeds only when each of
/// the eight blocks was stored from its own answer since the last handshake.
///
/// Re-entrancy: Prompt::ask runs an event loop, so onReceived, onTimerTick and onPortFailed may
/// be called while the session waits in ask(). Received bytes are then taken and dropped, ticks
/// and failures do nothing, so no frame goes out behind a prompt or after Cancel. An event
/// raised synchronously from inside a port or timer call (say from send()) is queued and handled
/// right after the step that caused it. The session may even be destroyed while a prompt is
/// open; it then touches nothing after ask() returns.
class LinkSession {
public:
    static constexpr int kAnswerTimeoutMs = 1000;
    static constexpr int kFailureEndDelayMs = 1;
    static constexpr int kSuccessEndDelayMs = 100;
    /// Time-outs in a row that restart silently before the user is asked.
    static constexpr int kSilentRestarts = 10;
    /// TimeoutCount after a read request: the next time-out asks the user at once.
    static constexpr std::int16_t kTimeoutCountAfterRead = 10;
    /// TimeoutCount after a write block: two silent restarts, then the user is asked.
    static constexpr std::int16_t kTimeoutCountAfterWrite = 8;

    /// All references must outlive the session. Nothing is called until load().
    LinkSession(AppState& state, SerialPort& port, Timer& timer, Prompt& prompt, LinkDisplay& display);
    ~LinkSession();
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    /// The dialog has loaded: the variables take their initial values, the receive threshold is 0
    /// (no receive events) and the progress bar shows 0. Call once, before StartLink. The label's
    /// starting text belongs to the dialog.
    void load();

    /// Retry restarts the run from the handshake at address 0 without reopening the port; Read or
    /// Write starts the run: opens the port (or asks PromptKind::ReselectPort and ends the run),
    /// sets the caption of that direction and sends the handshake. A dialog carries one run: a
    /// second fresh start, or any start after the run ended, does nothing.
    void StartLink(LinkStart start);

    /// The port's receive event (at least the threshold's bytes are waiting): takes the waiting
    /// bytes as an answer.
    void onReceived();

    /// The dialog timer's tick: the answer time-out, or the end of run when the run is over.
    void onTimerTick();

    /// The port failed during the run (cable pulled, device gone). A dead port would only run
    /// into the time-outs, so the user is asked "Check connection" at once, as after the last
    /// one: Retry restarts the run, Cancel ends it. Nothing while the user is being asked or
    /// when no answer is awaited (before the run, or once it is over).
    void onPortFailed();

    /// The dialog is closing during a run: stops the timer, closes the port without the end byte
    /// and turns every later call into a no-op (no display call, no port or timer use). The
    /// RadioImage keeps its content: a read is only taken over by a successful end of run.
    void abandon();

    /// True once the end of run has closed the dialog or abandon() was called.
    bool hasEnded() const { return ended_; }

    /// The detail of PromptKind::ReselectPort when the port does not open (which port, its device,
    /// the system's reason), asked for at that moment. None by default.
    void setPortFailureDetail(std::function<std::string()> detail) { portFailureDetail_ = std::move(detail); }

    /// The link and transfer variables, for tests.
    const LinkVariables& variables() const { return v_; }

private:
    enum class Event { Receive, Tick, PortFailed };

    template <class Step> void runStep(Step&& step);
    void dispatch(Event event);
    void handle(Event event);

    void startLink(LinkStart start);
    void freshStart(LinkCaption caption);
    void restart();
    void sendHandshake();

    void handleReceive();
    bool answerAccepted(const Bytes& rx) const;
    void badAnswerPrompt();
    /// "Check connection!": Retry restarts the run, Cancel ends it. Nothing when the session
    /// ended or went away while the prompt was open.
    std::optional<PromptAnswer> checkConnection(bool closePortOnCancel);
    void handleTick();
    void handlePortFailure();

    void advance(const Bytes& rx);
    bool transferDone() const;
    void sendReadRequest();
    void sendWriteBlock();
    void finishTransfer();
    void endOfRun();

    void armEnd(int delayMs);
    void setThreshold(int bytes);
    Bytes takeInput();
    /// The question in a prompt; nothing when the session ended or went away while it was open.
    std::optional<PromptAnswer> ask(PromptQuestion question);
    void shutDown();

    AppState& state_;
    SerialPort& port_;
    Timer& timer_;
    Prompt& prompt_;
    LinkDisplay& display_;

    LinkVariables v_;
    ImageBytes readImage_{};            // a read gathers its blocks here; the image takes it on success
    Bytes pending_;                     // the start of an answer whose rest has not arrived yet
    int expectedLength_ = 0;            // bytes the current answer needs: the receive threshold of its frame
    std::optional<int> requestedBlock_; // the address the outstanding read request asked for
    bool runStarted_ = false;
    bool ended_ = false;
    bool asking_ = false; // inside Prompt::ask
    bool inStep_ = false; // a handler runs; events raised meanwhile wait in deferred_
    std::deque<Event> deferred_;
    std::function<std::string()> portFailureDetail_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace vorix::link
