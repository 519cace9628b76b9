#include "platform/QtConnectionTest.h"

#include <QEventLoop>

#include "platform/QtLinkRunner.h"

namespace vorix {

ConnectionOutcome RunConnectionTest(const QString& devicePath) {
    QtSerialPort port(devicePath);
    QtTimer timer;
    link::ConnectionTest test(port, timer);
    QEventLoop loop;
    ConnectLinkInputs(port, timer, test, [&] {
        if (test.done())
            loop.quit();
    });
    test.start();
    if (!test.done())
        loop.exec();
    ConnectionOutcome outcome{test.result(), {}};
    if (port.lastError() != PortError::None)
        outcome.reason = port.lastErrorText();
    return outcome;
}

} // namespace vorix
