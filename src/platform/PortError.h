#pragma once
// Why a serial port could not be opened or stopped working, in the terms the port dialog needs.

#include <QSerialPort>

namespace vorix {

enum class PortError {
    None,
    NotFound,         ///< no such device
    PermissionDenied, ///< the device exists but this user may not open it
    InUse,            ///< another program (or another port object) holds it
    Unsupported,      ///< the path is not a serial device
    Lost,             ///< the open port failed: cable pulled, far side gone
    Failed,           ///< anything else
};

/// Sorts a QSerialPort error. Qt reports "in use" and "no permission" both as PermissionError;
/// deviceAccessible (this user may read and write the device) tells them apart.
PortError ClassifyPortError(QSerialPort::SerialPortError error, bool deviceAccessible);

/// Why an open port at path stopped working, in place of the system's text: when the far side
/// hangs up, QSerialPort reports whatever error an earlier call left behind ("Inappropriate ioctl
/// for device"). Says whether the device is gone (unplugged, or a pseudo-terminal closed) or was
/// still there.
QString LostPortText(const QString& path);

/// True when this user may read and write the device at path (always true on Windows, where
/// refused access means the port is held by another program).
bool DeviceAccessible(const QString& path);

} // namespace vorix
