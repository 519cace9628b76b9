#include "platform/QtLinkRunner.h"

namespace vorix {

QtLinkRunner::QtLinkRunner(const QString& devicePath, AppState& state, link::Prompt& prompt,
                           link::LinkDisplay& display, const PortWrapper& wrap)
    : port_(devicePath) {
    if (wrap)
        wrapped_ = wrap(port_);
    link::SerialPort& port = wrapped_ ? *wrapped_ : port_;
    session_ = std::make_unique<link::LinkSession>(state, port, timer_, prompt, display);
    // The port and the timer are the context: nothing reaches the session once they are gone.
    QObject::connect(&port_, &QtSerialPort::received, &port_, [this] { session_->onReceived(); });
    QObject::connect(&timer_, &QtTimer::tick, &timer_, [this] { session_->onTimerTick(); });
    // The port reports its failure from inside its own error notification; the session's prompt
    // runs an event loop, which must not start there. Queued, it comes from the event loop.
    QObject::connect(
        &port_, &QtSerialPort::failed, &port_, [this] { session_->onPortFailed(); }, Qt::QueuedConnection);
}

QtLinkRunner::~QtLinkRunner() {
    session_->abandon();
}

} // namespace vorix
