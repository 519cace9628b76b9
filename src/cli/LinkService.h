#pragma once
// What the radio-link commands need from the machine: a run of the programming dialog on a port,
// and the port probe of the serial port dialog. The program gives it Qt's serial layer, the tests
// a scripted radio.

#include <ostream>
#include <string>
#include <vector>

#include "image/AppState.h"
#include "image/Result.h"
#include "link/ConnectionTest.h"
#include "link/PortHardware.h"

namespace vorix::cli {

struct LinkJob {
    int portNumber = 0;               // COMn, 1..99
    int retries = 0;                  // Retry answers allowed before a prompt cancels the run
    std::ostream* trace = nullptr;    // every frame sent and chunk received, when tracing
    std::ostream* progress = nullptr; // where the progress bar is drawn, null for none
};

/// How a run that did not succeed ended.
struct LinkFailure {
    std::string device; // the device behind COMn; empty when the number has none
    std::string prompt; // the prompt's text that ended the run
    std::string detail; // the system's reason when the port did not open or failed
    int retriesUsed = 0;
};

/// The device behind COMn after a successful run, or how the run failed.
using LinkOutcome = Result<std::string, LinkFailure>;
struct ConnectionCheck {
    link::ConnectionResult result = link::ConnectionResult::Running;
    std::string reason; // the system's words when the port did not open or failed
};

struct ListedPort {
    int number = 0;
    link::PortOrigin origin; // the device and what the system knows of it, as the port dialog names it
};

struct PortListing {
    std::vector<ListedPort> ports; // the ports that opened, ascending
    bool permissionDenied = false; // some device exists but this user may not open it
};

class LinkService {
public:
    virtual ~LinkService() = default;
    /// One run of the programming dialog on the job's port: a read into state.image when
    /// state.readMode (only a successful read changes it), else a write of state.image.
    virtual LinkOutcome transfer(AppState& state, const LinkJob& job) = 0;
    /// Tries every port as the serial port dialog does; holds none open afterwards.
    virtual PortListing probePorts() = 0;
    /// The port dialog's connection test on COMn: the handshake, up to three times, then the end byte.
    virtual ConnectionCheck testConnection(int portNumber) = 0;
};

} // namespace vorix::cli
