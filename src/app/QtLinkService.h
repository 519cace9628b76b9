#pragma once
// The radio-link commands' service on Qt's serial layer, hosted by a QCoreApplication.

#include <chrono>

#include "cli/LinkService.h"

namespace vorix::cli {

/// Runs each transfer to completion in a local event loop, on the window's serial port adapter
/// and timer and the device the port dialog would choose; probes ports as the port dialog does.
/// Needs a QCoreApplication.
class QtLinkService final : public LinkService {
public:
    QtLinkService();

    LinkOutcome transfer(AppState& state, const LinkJob& job) override;
    PortListing probePorts() override;
    ConnectionCheck testConnection(int portNumber) override;

private:
    std::chrono::steady_clock::time_point traceStart_; // one time line for all runs of a command
};

} // namespace vorix::cli
