#include "cli/QtLinkService.h"

#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QSerialPort>

#include <optional>

#include "cli/LinkRun.h"
#include "cli/TracingSerialPort.h"
#include "platform/PortProbe.h"
#include "platform/QtPortNames.h"
#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"

namespace vorix::cli {

namespace {

// Bytes a device kept from before this run, such as the cable's echo of the last run's end
// byte, would otherwise arrive in front of the handshake's answer. On a real port the driver
// drops them when the last user closes it; a simulated radio keeps its end of a pseudo-terminal
// open, so they wait there. Until the serial adapter drops them itself when it opens, they are
// dropped here, with the port released again before the run opens it.
void DropStaleInput(const QString& device) {
    if (device.isEmpty())
        return;
    QSerialPort port(device);
    if (port.open(QIODevice::ReadWrite)) {
        port.clear(QSerialPort::Input);
        port.close();
    }
}

} // namespace

QtLinkService::QtLinkService() : traceStart_(std::chrono::steady_clock::now()) {}

LinkOutcome QtLinkService::transfer(AppState& state, const LinkJob& job) {
    const QString device = PortDevicePath(job.portNumber);
    LinkOutcome outcome;
    outcome.device = QFile::encodeName(device).toStdString();

    DropStaleInput(device);
    QtSerialPort serial(device);
    link::SerialPort* port = &serial;
    std::optional<TracingSerialPort> traced;
    if (job.trace != nullptr) {
        *job.trace << "# COM" << job.portNumber << ' ' << (device.isEmpty() ? "(no device)" : outcome.device)
                   << (state.ReadMode ? " read" : " write") << '\n';
        traced.emplace(serial, *job.trace, [start = traceStart_] {
            return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                         start);
        });
        port = &*traced;
    }
    QtTimer timer;
    LinkRun run(state, *port, timer, job.retries, job.progress);

    // The dialog's event loop: the port's receive events and the timer's ticks go to the session
    // until its end of run closes the "dialog".
    QEventLoop loop;
    run.setOnEnded([&loop] { loop.quit(); });
    QObject::connect(&serial, &QtSerialPort::received, &loop,
                     [&run] { run.onSerialEvent(link::LinkSession::kReceiveEvent); });
    QObject::connect(&timer, &QtTimer::tick, &loop, [&run] { run.onTimerTick(); });
    run.start();
    if (!run.ended())
        loop.exec();

    const LinkRunResult result = run.result();
    outcome.ok = result.ok;
    outcome.failure = result.failure;
    outcome.retriesUsed = result.retriesUsed;
    if (!result.ok && serial.lastError() != PortError::None)
        outcome.detail = serial.lastErrorText().toStdString();
    return outcome;
}

PortListing QtLinkService::probePorts() {
    const PortProbeResult probed = ProbePorts();
    PortListing listing;
    listing.permissionDenied = probed.permissionDenied;
    for (const ProbedPort& port : probed.openable)
        listing.ports.push_back({port.number, QFile::encodeName(port.devicePath).toStdString()});
    return listing;
}

} // namespace vorix::cli
