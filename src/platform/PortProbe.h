#pragma once
// Which of the ports COM1..COM99 can be opened right now, for the serial port dialog, and what the
// system knows of the device behind each.

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "link/PortHardware.h"
#include "platform/PortError.h"

namespace vorix {

struct ProbedPort {
    int number = 0;
    QString devicePath;
    /// The device as the list names it (link::PortItemText).
    link::PortOrigin origin = {};
    friend bool operator==(const ProbedPort&, const ProbedPort&) = default;
};

struct PortProbeResult {
    /// The ports that opened, ascending by number; each was closed again at once.
    std::vector<ProbedPort> openable;
    /// Some device existed but this user may not open it (a hint for the user, e.g. a group to join).
    bool permissionDenied = false;
};

/// The device for a port number and whether a link in the ports folder leads to it; nothing when
/// the number has none. The hardware is filled in by the probe.
using PortResolver = std::function<std::optional<link::PortOrigin>(int number)>;

/// The machine's serial devices as the probe sees them.
class PortDevices {
public:
    virtual ~PortDevices() = default;
    /// True when something exists at path (a link's target included); checking costs no lock file.
    virtual bool exists(const QString& path) = 0;
    /// Opens the device exclusively and closes it again: None when it opened, else why not.
    virtual PortError tryOpen(const QString& path) = 0;
    /// The system's records of its serial devices (asked once a poll).
    virtual std::vector<link::PortHardware> hardware() = 0;
};

/// PortDevices of this machine: the file system, QtSerialPort and QSerialPortInfo.
class SystemPortDevices final : public PortDevices {
public:
    bool exists(const QString& path) override;
    PortError tryOpen(const QString& path) override;
    std::vector<link::PortHardware> hardware() override;
};

/// Polls the ports 1..99 again and again. A number whose device does not exist is skipped without
/// opening anything; a device new since the last poll is opened once to see whether it is free; a
/// device already seen keeps that verdict and is never opened again while it stays (opening
/// toggles the modem lines, which can disturb a radio).
class PortScan {
public:
    /// devices must outlive the scan.
    PortScan(PortResolver resolve, PortDevices& devices);

    /// The ports that can be had now; holds none open afterwards.
    PortProbeResult poll();

private:
    struct Seen {
        QString device;
        PortError verdict = PortError::None;
    };

    PortResolver resolve_;
    PortDevices& devices_;
    std::map<int, Seen> seen_;
};

/// Every port through resolve and devices, once.
PortProbeResult ProbePorts(const PortResolver& resolve, PortDevices& devices);

/// The resolver of this machine's ports (the ports folder, then the fixed device table).
PortResolver SystemPortResolver();

/// The same for this machine's ports.
PortProbeResult ProbePorts();

} // namespace vorix
