#include "app/QtLinkService.h"

#include <QEventLoop>
#include <QFile>

#include <memory>

#include "cli/LinkRun.h"
#include "cli/TracingSerialPort.h"
#include "platform/PortProbe.h"
#include "platform/QtConnectionTest.h"
#include "platform/QtLinkRunner.h"
#include "platform/QtPortNames.h"

namespace vorix::cli {

QtLinkService::QtLinkService() : traceStart_(std::chrono::steady_clock::now()) {}

LinkOutcome QtLinkService::transfer(AppState& state, const LinkJob& job) {
    const QString device = PortDevicePath(job.portNumber);
    const std::string deviceName = QFile::encodeName(device).toStdString();

    QtLinkRunner::PortWrapper traced;
    if (job.trace != nullptr) {
        *job.trace << "# COM" << job.portNumber << ' ' << (device.isEmpty() ? "(no device)" : deviceName)
                   << (state.readMode ? " read" : " write") << '\n';
        traced = [&job, start = traceStart_](link::SerialPort& port) {
            return std::make_unique<TracingSerialPort>(port, *job.trace, [start] {
                return std::chrono::duration_cast<std::chrono::microseconds>(
                    std::chrono::steady_clock::now() - start);
            });
        };
    }
    LinkRun run(state, job.retries, job.progress);
    QtLinkRunner runner(device, state, run.prompt(), run.display(), traced);

    // The dialog's event loop: the runner hands the session its events until its end of run
    // closes the "dialog".
    QEventLoop loop;
    run.setOnEnded([&loop] { loop.quit(); });
    run.start(runner.session());
    if (!run.ended())
        loop.exec();

    const Result<void, LinkFailure> result = run.result();
    if (result.ok())
        return deviceName;
    LinkFailure failure = result.error();
    failure.device = deviceName;
    const QtSerialPort& serial = runner.serialPort();
    if (serial.lastError() != PortError::None)
        failure.detail = serial.lastErrorText().toStdString();
    return Failure{failure};
}

PortListing QtLinkService::probePorts() {
    const PortProbeResult probed = ProbePorts();
    PortListing listing;
    listing.permissionDenied = probed.permissionDenied;
    for (const ProbedPort& port : probed.openable)
        listing.ports.push_back({port.number, port.origin});
    return listing;
}

ConnectionCheck QtLinkService::testConnection(int portNumber) {
    const ConnectionOutcome outcome = RunConnectionTest(PortDevicePath(portNumber));
    return {outcome.result, outcome.reason.toStdString()};
}

} // namespace vorix::cli
