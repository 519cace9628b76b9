#pragma once
// Port numbers to devices on this machine: the per-user ports folder and the system's names.

#include <QString>

namespace vorix {

/// The folder of the user's COMn links: the generic configuration folder + "/Talvry/Vorix/ports".
QString PortsFolder();

/// The device to open for COMn, empty when there is none.
QString PortDevicePath(int number);

/// COMn as messages name it, with its device and, for a link in the ports folder, the link:
/// "COM3 (/home/ann/.config/Talvry/Vorix/ports/com3 -> /dev/ttyUSB0)" (link::DescribePort).
QString PortDescription(int number);

} // namespace vorix
