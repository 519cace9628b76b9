#pragma once
// The moment a start-up benchmark child is "shown and idle", reported to the parent process.

class QWidget;

namespace vorix::bench {

/// From now on watches the application: once `window` has been painted and no event is left to
/// handle, prints "idle_ns <CLOCK_MONOTONIC in ns>" on stdout and quits the event loop. Gives up
/// with exit code 3 after 30 s, so a broken window never hangs the benchmark.
void ReportWhenShownAndIdle(QWidget& window);

} // namespace vorix::bench
