#pragma once
// One read or write of the whole image, timed, through the link session on the Qt serial port adapter
// and the Qt timer, wired by QtLinkRunner as in the programming dialog and the command line.

#include <QString>

#include "image/AppState.h"

namespace vorix::bench {

struct TransferTiming {
    bool ok = false;
    double totalMs = 0;      ///< from StartLink (the Read or Write press) to the end of run
    double handshakeMs = 0;  ///< from StartLink to the handshake about to go out: the port is open
    double lastAnswerMs = 0; ///< from StartLink to the last answer, after which the end byte goes out
    QString error;           ///< why the run does not count, when not ok
};

/// Runs one transfer in state.readMode's direction on the device, in a fresh port, timer and
/// session, with an event loop of its own bounded by a few seconds. Any prompt fails the run.
TransferTiming RunTransfer(AppState& state, const QString& devicePath);

/// The link's timer alone in an event loop: how long after enable() an interval of intervalMs ticks.
double TimeTimerTick(int intervalMs);

} // namespace vorix::bench
