#include "platform/QtConnectionTest.h"

#include <QEventLoop>

#include "link/LinkSession.h"
#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"

namespace vorix {

ConnectionOutcome RunConnectionTest(const QString& devicePath) {
    QtSerialPort port(devicePath);
    QtTimer timer;
    link::ConnectionTest test(port, timer);
    QEventLoop loop;
    const auto step = [&](auto&& handle) {
        handle();
        if (test.done())
            loop.quit();
    };
    QObject::connect(&port, &QtSerialPort::received, &loop, [&] { step([&] { test.onReceived(); }); });
    QObject::connect(&timer, &QtTimer::tick, &loop, [&] { step([&] { test.onTimerTick(); }); });
    // Reported from inside the port's own error notification: handled from the event loop.
    QObject::connect(
        &port, &QtSerialPort::failed, &loop, [&] { step([&] { test.onPortFailed(); }); },
        Qt::QueuedConnection);
    test.start();
    if (!test.done())
        loop.exec();
    ConnectionOutcome outcome{test.result(), {}};
    if (port.lastError() != PortError::None)
        outcome.reason = port.lastErrorText();
    return outcome;
}

} // namespace vorix
