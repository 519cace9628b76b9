#pragma once
// One link session wired to Qt: the serial port of one device, the timer, and every connection
// between them and the session.

#include <QString>
#include <functional>
#include <memory>

#include "image/AppState.h"
#include "link/LinkDisplay.h"
#include "link/LinkInterfaces.h"
#include "link/LinkSession.h"
#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"

namespace vorix {

/// Feeds a link state machine (a LinkSession, a ConnectionTest) from its port and timer: received bytes,
/// ticks and a failed port, each followed by `after`. The port and the timer are the context, so nothing
/// reaches the machine once they are gone. The failure is queued: the port reports it from inside its own
/// error notification, where a machine's prompt must not start an event loop.
template <class Machine, class After>
void ConnectLinkInputs(QtSerialPort& port, QtTimer& timer, Machine& machine, After after) {
    QObject::connect(&port, &QtSerialPort::received, &port, [&machine, after] {
        machine.onReceived();
        after();
    });
    QObject::connect(&timer, &QtTimer::tick, &timer, [&machine, after] {
        machine.onTimerTick();
        after();
    });
    QObject::connect(
        &port, &QtSerialPort::failed, &port,
        [&machine, after] {
            machine.onPortFailed();
            after();
        },
        Qt::QueuedConnection);
}

/// Owns the serial port of one device and the timer, creates the link session on them and hands
/// it the port's receive events, the port's failure and the timer's ticks, all from the event
/// loop. The host loads and starts the session and runs the event loop until the display's
/// closeDialog(). Destroying the runner abandons a run still in progress.
class QtLinkRunner {
public:
    /// Puts a port between the session and the serial port (one that traces every frame, say).
    /// The runner keeps the port it returns for as long as the session.
    using PortWrapper = std::function<std::unique_ptr<link::SerialPort>(link::SerialPort& port)>;

    /// devicePath as PortDevicePath() gives it; state, prompt and display must outlive the runner.
    QtLinkRunner(const QString& devicePath, AppState& state, link::Prompt& prompt, link::LinkDisplay& display,
                 const PortWrapper& wrap = {});
    ~QtLinkRunner();
    QtLinkRunner(const QtLinkRunner&) = delete;
    QtLinkRunner& operator=(const QtLinkRunner&) = delete;

    link::LinkSession& session() { return *session_; }
    const link::LinkSession& session() const { return *session_; }
    /// The serial port itself: why it did not open, or that it failed.
    const QtSerialPort& serialPort() const { return port_; }

private:
    // Declared in the order of their use; the session goes first.
    QtSerialPort port_;
    QtTimer timer_;
    std::unique_ptr<link::SerialPort> wrapped_;
    std::unique_ptr<link::LinkSession> session_;
};

} // namespace vorix
