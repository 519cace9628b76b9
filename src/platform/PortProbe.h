#pragma once
// Which of the ports COM1..COM99 can be opened right now, for the serial port dialog.

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorix {

struct ProbedPort {
    int number = 0;
    QString devicePath;
    friend bool operator==(const ProbedPort&, const ProbedPort&) = default;
};

struct PortProbeResult {
    /// The ports that opened, ascending by number; each was closed again at once.
    std::vector<ProbedPort> openable;
    /// Some device existed but this user may not open it (a hint for the user, e.g. a group to join).
    bool permissionDenied = false;
};

/// The device for a port number, nothing when the number has none.
using PortResolver = std::function<std::optional<std::string>(int number)>;

/// Tries to open every port 1..99 exclusively through resolve; holds none open afterwards.
PortProbeResult ProbePorts(const PortResolver& resolve);

/// The same for this machine's ports (PortDevicePath).
PortProbeResult ProbePorts();

} // namespace vorix
