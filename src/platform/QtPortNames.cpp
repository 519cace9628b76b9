#include "platform/QtPortNames.h"

#include <QFile>
#include <QStandardPaths>

#include "link/PortNames.h"

namespace vorix {

QString PortsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Talvry/Vorix/ports");
}

QString ReadBackupFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/Talvry/Vorix/backups");
}

namespace {

std::filesystem::path PortsFolderPath() {
    return QFile::encodeName(PortsFolder()).toStdString();
}

} // namespace

QString PortDevicePath(int number) {
    const auto device = link::ResolvePortName(number, PortsFolderPath());
    return device ? QFile::decodeName(device->c_str()) : QString();
}

QString PortDescription(int number) {
    return QFile::decodeName(link::DescribePort(number, PortsFolderPath()).c_str());
}

} // namespace vorix
