#pragma once
// Does the radio answer on this port? The link's handshake alone, without a transfer or a prompt.

#include <string>

#include "image/Language.h"
#include "link/LinkInterfaces.h"

namespace vorix::link {

/// How a connection test ended.
enum class ConnectionResult {
    Running,        ///< not over yet
    Answers,        ///< the radio acknowledged the handshake
    NoAnswer,       ///< no (whole) answer to any of the handshakes
    WrongAnswer,    ///< an answer byte the radio never gives
    PortDoesNotOpen ///< the port did not open (or failed during the test)
};

/// Opens the port, sends the programming dialog's handshake and waits for its answer with the
/// dialog's one-second time-out, up to kHandshakes times, asking nobody. An answer, right or wrong,
/// is followed by the end byte, so that the radio leaves programming mode; then the port closes.
/// The radio's memory is neither read nor written. Its host forwards the port's receive events,
/// its failure and the timer's ticks, as for a LinkSession.
class ConnectionTest {
public:
    static constexpr int kHandshakes = 3;

    /// port and timer must outlive the test.
    ConnectionTest(SerialPort& port, Timer& timer);
    ~ConnectionTest();
    ConnectionTest(const ConnectionTest&) = delete;
    ConnectionTest& operator=(const ConnectionTest&) = delete;

    /// Starts the test; a port that does not open ends it at once.
    void start();
    /// Bytes were received: the waiting bytes are taken as the answer.
    void onReceived();
    /// The time-out: the next handshake, or NoAnswer after the last.
    void onTimerTick();
    /// The port failed during the test.
    void onPortFailed();

    ConnectionResult result() const { return result_; }
    bool done() const { return result_ != ConnectionResult::Running; }
    /// Handshakes sent so far.
    int handshakesSent() const { return handshakes_; }

private:
    void sendHandshake();
    void finish(ConnectionResult result, bool sendEnd);

    SerialPort& port_;
    Timer& timer_;
    Bytes pending_; // the start of an answer whose rest has not arrived yet
    int handshakes_ = 0;
    ConnectionResult result_ = ConnectionResult::Running;
};

/// What the user is told: "The radio answers on COM33", "No answer from the radio on COM33", ...;
/// reason (the system's words on a port that did not open) follows in parentheses when given.
std::string ConnectionResultText(ConnectionResult result, int portNumber, const std::string& reason,
                                 Language language);

} // namespace vorix::link
