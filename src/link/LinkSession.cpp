#include "link/LinkSession.h"

#include <algorithm>
#include <utility>

#include "link/LinkFrames.h"
#include "link/ProgressText.h"

namespace vorix::link {

LinkSession::LinkSession(AppState& state, SerialPort& port, Timer& timer, Prompt& prompt,
                         LinkDisplay& display)
    : state_(state), port_(port), timer_(timer), prompt_(prompt), display_(display) {}

LinkSession::~LinkSession() {
    *alive_ = false;
}

void LinkSession::load() {
    if (ended_ || runStarted_)
        return;
    v_ = LinkVariables{};
    setThreshold(0);
    display_.resetProgress();
}

// ---- Entry points and the re-entrancy guard -------------------------------------------------

// Runs one handler to completion, then the events that were raised synchronously inside it.
// Holding a copy of alive_ lets the loop notice that a nested event loop destroyed the session.
template <class Step> void LinkSession::runStep(Step&& step) {
    const std::shared_ptr<bool> alive = alive_;
    inStep_ = true;
    step();
    while (*alive && !ended_ && !deferred_.empty()) {
        const Event next = deferred_.front();
        deferred_.pop_front();
        handle(next);
    }
    if (!*alive)
        return;
    deferred_.clear();
    inStep_ = false;
}

void LinkSession::dispatch(Event event) {
    if (ended_)
        return;
    if (inStep_) {
        deferred_.push_back(event);
        return;
    }
    runStep([this, event] { handle(event); });
}

void LinkSession::handle(Event event) {
    switch (event) {
    case Event::Receive:
        handleReceive();
        break;
    case Event::Tick:
        handleTick();
        break;
    case Event::PortFailed:
        handlePortFailure();
        break;
    }
}

void LinkSession::StartLink(LinkStart start) {
    if (ended_)
        return;
    if (inStep_)
        startLink(start);
    else
        runStep([this, start] { startLink(start); });
}

void LinkSession::onReceived() {
    dispatch(Event::Receive);
}

void LinkSession::onTimerTick() {
    dispatch(Event::Tick);
}

void LinkSession::onPortFailed() {
    dispatch(Event::PortFailed);
}

void LinkSession::abandon() {
    if (!ended_)
        shutDown();
}

// ---- Starting and restarting ----------------------------------------------------------------

void LinkSession::startLink(LinkStart start) {
    const bool retry = start == LinkStart::Retry;
    if (!retry && runStarted_)
        return;
    v_.LinkState = LinkState::Idle;
    v_.AwaitingReply = true;
    if (retry)
        restart();
    else
        freshStart(start == LinkStart::Read ? LinkCaption::Read : LinkCaption::Write);
}

void LinkSession::freshStart(LinkCaption caption) {
    runStarted_ = true;
    v_.LongWriteBlocks = false;
    if (!port_.isOpen() && !port_.open()) {
        if (!ask({PromptKind::ReselectPort, portFailureDetail_ ? portFailureDetail_() : ""}))
            return;
        armEnd(kFailureEndDelayMs);
        return;
    }
    readImage_ = state_.image.bytes();
    takeInput(); // whatever waited before the run belongs to nobody
    display_.setCaption(caption);
    timer_.setInterval(kAnswerTimeoutMs);
    timer_.enable();
    sendHandshake();
}

void LinkSession::restart() {
    const Bytes waiting = takeInput();
    if (!state_.readMode)
        v_.LongWriteBlocks = NextLongWriteBlocks(v_.LongWriteBlocks, waiting);
    timer_.setInterval(kAnswerTimeoutMs);
    timer_.enable();
    v_.AddrLow = 0;
    sendHandshake();
}

void LinkSession::sendHandshake() {
    requestedBlock_.reset();
    v_.LinkState = LinkState::AwaitingAnswer;
    v_.EchoLength = kHandshakeLength;
    setThreshold(AnswerThreshold(kHandshakeLength));
    port_.send(HandshakeFrame());
}

// ---- Answers --------------------------------------------------------------------------------

void LinkSession::handleReceive() {
    Bytes rx = takeInput();
    // While the user is asked, or once the run is over, nothing is awaited: what arrives is
    // dropped, so that a late answer sends no frame behind a prompt or after Cancel.
    if (asking_ || v_.PromptOpen || v_.FinishPending)
        return;
    const int needed = std::max(expectedLength_, v_.EchoLength + 1);
    if (v_.LinkState == LinkState::AwaitingAnswer && std::cmp_less(rx.size(), needed)) {
        // Too short to be the answer (an event before the threshold was reached, or an answer
        // split in two): not an answer yet. Its bytes are kept in front of what follows and the
        // threshold waits for the rest; the time-out keeps running, so an answer that never
        // completes ends in the usual restart or prompt. Nothing is read past the bytes we have.
        pending_ = std::move(rx);
        port_.setReceiveThreshold(needed - static_cast<int>(pending_.size()));
        return;
    }
    v_.AwaitingReply = false;
    timer_.disable();
    if (v_.LinkState != LinkState::AwaitingAnswer)
        return;
    if (answerAccepted(rx))
        advance(rx);
    else
        badAnswerPrompt();
}

bool LinkSession::answerAccepted(const Bytes& rx) const {
    if (!IsAcceptedAnswer(rx[static_cast<std::size_t>(v_.EchoLength)]))
        return false;
    // A read request is answered by the block it asked for and nothing else: data for another
    // address, or a bare 0x06, would let the read finish over a block the radio never sent.
    if (requestedBlock_) {
        const auto block = ParseDataBlock(rx, v_.EchoLength);
        return block && block->address == *requestedBlock_;
    }
    return true;
}

void LinkSession::badAnswerPrompt() {
    if (v_.PromptOpen)
        return;
    v_.PromptOpen = true;
    if (checkConnection(false) == PromptAnswer::Retry)
        v_.TimeoutCount = 0;
}

void LinkSession::handleTick() {
    timer_.disable();
    if (v_.FinishPending) {
        endOfRun();
        return;
    }
    if (!v_.AwaitingReply || v_.PromptOpen || asking_)
        return;
    v_.PromptOpen = true;
    ++v_.TimeoutCount;
    if (v_.TimeoutCount <= kSilentRestarts) {
        startLink(LinkStart::Retry);
        v_.PromptOpen = false;
        return;
    }
    v_.TimeoutCount = 0;
    checkConnection(true);
}

void LinkSession::handlePortFailure() {
    // Once the run is over (FinishPending) its end-of-run tick is due and must not be disturbed.
    if (v_.FinishPending || !v_.AwaitingReply || v_.PromptOpen || asking_)
        return;
    timer_.disable();
    v_.PromptOpen = true;
    v_.TimeoutCount = 0;
    checkConnection(true);
}

std::optional<PromptAnswer> LinkSession::checkConnection(bool closePortOnCancel) {
    const auto answer = ask({PromptKind::CheckConnection, {}});
    if (!answer)
        return answer;
    if (*answer == PromptAnswer::Retry) {
        startLink(LinkStart::Retry);
        v_.PromptOpen = false;
    } else {
        // After a time-out the port is closed at once; after a wrong answer it closes with the dialog.
        if (closePortOnCancel && port_.isOpen())
            port_.close();
        armEnd(kFailureEndDelayMs); // PromptOpen stays set: the run is over
    }
    return answer;
}

// ---- Transfer -------------------------------------------------------------------------------

void LinkSession::advance(const Bytes& rx) {
    const double p = ProgressFraction(v_.AddrHigh, v_.AddrLow, v_.EndHigh, v_.EndLow);
    display_.setProgress(p);

    if (requestedBlock_) {
        // The answer check let through only the block that was asked for. The handshake's answer,
        // 0x57 included, carries no block and stores nothing.
        const auto block = ParseDataBlock(rx, v_.EchoLength);
        if (block && BlockFitsImage(block->address))
            std::copy(block->data.begin(), block->data.end(), readImage_.begin() + block->address);
    }
    if (transferDone())
        finishTransfer();
    else if (state_.readMode)
        sendReadRequest();
    else
        sendWriteBlock();
}

bool LinkSession::transferDone() const {
    return v_.AddrHigh >= v_.EndHigh && v_.AddrLow >= v_.EndLow;
}

static void CarryAddress(LinkVariables& v) {
    if (v.AddrLow > 255) {
        v.AddrHigh = static_cast<std::int16_t>(v.AddrHigh + 1);
        v.AddrLow = static_cast<std::int16_t>(v.AddrLow - 256);
    }
}

void LinkSession::sendReadRequest() {
    const Bytes frame = ReadRequestFrame(v_.AddrHigh, v_.AddrLow);
    requestedBlock_ = v_.AddrHigh * 256 + v_.AddrLow;
    v_.LinkState = LinkState::AwaitingAnswer;
    v_.EchoLength = kReadRequestLength;
    v_.AddrLow = static_cast<std::int16_t>(v_.AddrLow + kReadBlockLength);
    setThreshold(kReadAnswerThreshold);
    port_.send(frame);
    CarryAddress(v_);
    v_.AwaitingReply = true;
    timer_.enable();
    v_.TimeoutCount = kTimeoutCountAfterRead;
}

void LinkSession::sendWriteBlock() {
    // Only an acknowledged block restores the budget of two silent restarts. A block sent in answer
    // to a restart's handshake keeps the count, or a radio that takes every handshake but no block
    // would be restarted silently for ever and the user never asked.
    const bool answersHandshake = v_.EchoLength == kHandshakeLength;
    const int length = v_.LongWriteBlocks ? kLongWriteBlock : kShortWriteBlock;
    v_.LinkState = LinkState::AwaitingAnswer;
    const Bytes frame = WriteBlockFrame(v_.AddrHigh, v_.AddrLow, length, state_.image);
    v_.EchoLength = static_cast<std::int16_t>(kWriteHeaderLength + length);
    // The threshold is raised before the block goes out, so its echo alone raises no event.
    setThreshold(AnswerThreshold(v_.EchoLength));
    port_.send(frame);
    v_.AddrLow = static_cast<std::int16_t>(v_.AddrLow + length);
    CarryAddress(v_);
    v_.AwaitingReply = true;
    timer_.enable();
    if (!answersHandshake || v_.TimeoutCount < kTimeoutCountAfterWrite)
        v_.TimeoutCount = kTimeoutCountAfterWrite;
}

void LinkSession::finishTransfer() {
    port_.send(EndFrame());
    if (port_.isOpen())
        port_.close(); // after the end byte: close() delivers what was sent first
    v_.FinishPending = true;
    v_.TransferOk = true;
    timer_.setInterval(kSuccessEndDelayMs);
    timer_.enable();
}

void LinkSession::endOfRun() {
    v_.FinishPending = false;
    display_.enableControls();
    const bool reading = state_.readMode;
    display_.focusStartButton(reading);
    if (v_.TransferOk) {
        v_.TransferOk = false;
        if (reading) {
            display_.showResult(LinkResult::ReadOk);
            state_.image.replaceAll(readImage_); // only a finished read replaces the image
            display_.refreshMainWindow();
        } else {
            display_.showResult(LinkResult::WriteOk);
        }
    }
    shutDown(); // the port closes with the dialog
    display_.closeDialog();
}

// ---- Helpers --------------------------------------------------------------------------------

void LinkSession::armEnd(int delayMs) {
    v_.FinishPending = true;
    timer_.setInterval(delayMs);
    timer_.enable();
}

void LinkSession::setThreshold(int bytes) {
    expectedLength_ = bytes;
    port_.setReceiveThreshold(bytes);
}

Bytes LinkSession::takeInput() {
    Bytes input = std::exchange(pending_, Bytes{});
    const Bytes more = port_.takeAll();
    input.insert(input.end(), more.begin(), more.end());
    return input;
}

std::optional<PromptAnswer> LinkSession::ask(PromptQuestion question) {
    const std::shared_ptr<bool> alive = alive_;
    const bool outerStep = std::exchange(inStep_, false); // the prompt's loop delivers events now
    asking_ = true;
    const PromptAnswer answer = prompt_.ask(question);
    if (!*alive)
        return std::nullopt;
    asking_ = false;
    inStep_ = outerStep;
    if (ended_)
        return std::nullopt;
    return answer;
}

void LinkSession::shutDown() {
    ended_ = true;
    deferred_.clear();
    pending_.clear();
    timer_.disable();
    if (port_.isOpen())
        port_.close();
}

} // namespace vorix::link
