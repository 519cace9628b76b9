#pragma once
// The link's connection test wired to Qt: the serial port of one device and the timer.

#include <QString>

#include "link/ConnectionTest.h"

namespace vorix {

struct ConnectionOutcome {
    link::ConnectionResult result = link::ConnectionResult::Running;
    /// The system's words when the port did not open or failed; empty otherwise.
    QString reason;
};

/// Runs link::ConnectionTest on devicePath (as PortDevicePath() gives it) in a local event loop and
/// returns once it is over: at once when the port does not open, after about three seconds when
/// nothing answers. The port is closed again. Needs a QCoreApplication.
ConnectionOutcome RunConnectionTest(const QString& devicePath);

} // namespace vorix
