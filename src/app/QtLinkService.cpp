#include "app/QtLinkService.h"

#include <QEventLoop>
#include <QFile>
#include <QObject>

#include <optional>

#include "cli/LinkRun.h"
#include "cli/TracingSerialPort.h"
#include "platform/PortProbe.h"
#include "platform/QtPortNames.h"
#include "platform/QtSerialPort.h"
#include "platform/QtTimer.h"

namespace vorix::cli {

QtLinkService::QtLinkService() : traceStart_(std::chrono::steady_clock::now()) {}

LinkOutcome QtLinkService::transfer(AppState& state, const LinkJob& job) {
    const QString device = PortDevicePath(job.portNumber);
    LinkOutcome outcome;
    outcome.device = QFile::encodeName(device).toStdString();

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
