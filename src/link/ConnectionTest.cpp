#include "link/ConnectionTest.h"

#include <utility>

#include "link/LinkFrames.h"
#include "link/LinkSession.h"
#include "texts/InterfaceTexts.h"

namespace vorix::link {

namespace {

// The handshake's echo and the answer byte, as the link session waits for them.
constexpr int kAnswerLength = AnswerThreshold(kHandshakeLength);

} // namespace

ConnectionTest::ConnectionTest(SerialPort& port, Timer& timer) : port_(port), timer_(timer) {}

ConnectionTest::~ConnectionTest() {
    if (!done())
        finish(ConnectionResult::NoAnswer, false);
}

void ConnectionTest::start() {
    if (handshakes_ > 0 || done())
        return;
    if (!port_.isOpen() && !port_.open()) {
        result_ = ConnectionResult::PortDoesNotOpen;
        return;
    }
    port_.takeAll(); // whatever waited before the test belongs to nobody
    timer_.setInterval(LinkSession::kAnswerTimeoutMs);
    sendHandshake();
}

void ConnectionTest::sendHandshake() {
    pending_.clear();
    port_.takeAll();
    ++handshakes_;
    port_.setReceiveThreshold(kAnswerLength);
    port_.send(HandshakeFrame());
    timer_.enable();
}

void ConnectionTest::onReceived() {
    if (done() || handshakes_ == 0)
        return;
    const Bytes more = port_.takeAll();
    pending_.insert(pending_.end(), more.begin(), more.end());
    if (pending_.size() < static_cast<std::size_t>(kAnswerLength)) {
        // Part of the answer: wait for the rest within the same time-out.
        port_.setReceiveThreshold(kAnswerLength - static_cast<int>(pending_.size()));
        return;
    }
    const bool accepted = IsAcceptedAnswer(pending_[kHandshakeLength]);
    finish(accepted ? ConnectionResult::Answers : ConnectionResult::WrongAnswer, true);
}

void ConnectionTest::onTimerTick() {
    if (done() || handshakes_ == 0)
        return;
    timer_.disable();
    if (handshakes_ < kHandshakes)
        sendHandshake();
    else
        finish(ConnectionResult::NoAnswer, false);
}

void ConnectionTest::onPortFailed() {
    if (!done() && handshakes_ > 0)
        finish(ConnectionResult::PortDoesNotOpen, false);
}

void ConnectionTest::finish(ConnectionResult result, bool sendEnd) {
    result_ = result;
    timer_.disable();
    port_.setReceiveThreshold(0);
    // A radio that took the handshake is in programming mode until the end byte.
    if (sendEnd)
        port_.send(EndFrame());
    if (port_.isOpen())
        port_.close(); // after the end byte: close() delivers what was sent first
}

std::string ConnectionResultText(ConnectionResult result, int portNumber, const std::string& reason,
                                 Language language) {
    const std::string port = "COM" + std::to_string(portNumber);
    TextId id = TextId::ConnectionTesting;
    switch (result) {
    case ConnectionResult::Running:
        id = TextId::ConnectionTesting;
        break;
    case ConnectionResult::Answers:
        id = TextId::ConnectionAnswers;
        break;
    case ConnectionResult::NoAnswer:
        id = TextId::ConnectionNoAnswer;
        break;
    case ConnectionResult::WrongAnswer:
        id = TextId::ConnectionWrongAnswer;
        break;
    case ConnectionResult::PortDoesNotOpen:
        id = TextId::ConnectionPortDoesNotOpen;
        break;
    }
    std::string text = std::string(Text(id, language)) + port;
    if (!reason.empty())
        text += " (" + reason + ")";
    return text;
}

} // namespace vorix::link
