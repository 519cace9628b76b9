#pragma once
// Port numbers to devices on this machine: the per-user ports folder and the system's names; and
// the user's folder of read backups beside it.

#include <QString>

namespace vorix {

/// The folder of the user's COMn links: the generic configuration folder + "/Talvry/Vorix/ports".
QString PortsFolder();

/// The folder of the backups of reads: the generic data folder + "/Talvry/Vorix/backups"; empty
/// when the system names no data folder.
QString ReadBackupFolder();

/// The device to open for COMn, empty when there is none.
QString PortDevicePath(int number);

/// COMn as messages name it, with its device and, for a link in the ports folder, the link:
/// "COM3 (/home/ann/.config/Talvry/Vorix/ports/com3 -> /dev/ttyUSB0)" (link::DescribePort).
QString PortDescription(int number);

} // namespace vorix
