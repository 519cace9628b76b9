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

/// True when this user may read and write the device at path (always true on Windows, where
/// refused access means the port is held by another program).
bool DeviceAccessible(const QString& path);

} // namespace vorix
