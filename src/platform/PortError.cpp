#include "platform/PortError.h"

#include <QFile>

#include <array>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vorix {

namespace {

constexpr std::array<std::pair<QSerialPort::SerialPortError, PortError>, 6> kErrorKinds{{
    {QSerialPort::NoError, PortError::None},
    {QSerialPort::DeviceNotFoundError, PortError::NotFound},
    {QSerialPort::UnsupportedOperationError, PortError::Unsupported},
    {QSerialPort::ReadError, PortError::Lost},
    {QSerialPort::WriteError, PortError::Lost},
    {QSerialPort::ResourceError, PortError::Lost},
}};

} // namespace

PortError ClassifyPortError(QSerialPort::SerialPortError error, bool deviceAccessible) {
    if (error == QSerialPort::PermissionError)
        return deviceAccessible ? PortError::InUse : PortError::PermissionDenied;
    for (const auto& [qtError, kind] : kErrorKinds) {
        if (qtError == error)
            return kind;
    }
    return PortError::Failed;
}

QString LostPortText(const QString& path) {
    if (!QFile::exists(path))
        return QStringLiteral("The port vanished: %1 no longer exists").arg(path);
    return QStringLiteral("The port closed: %1 stopped working").arg(path);
}

bool DeviceAccessible(const QString& path) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

} // namespace vorix
