#include "platform/QtPortNames.h"

#include <QFile>
#include <QStandardPaths>

#include "link/PortNames.h"

namespace vorix {

QString PortsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Talvry/Vorix/ports");
}

QString PortDevicePath(int number) {
    const std::filesystem::path folder(QFile::encodeName(PortsFolder()).toStdString());
    const auto device = link::ResolvePortName(number, folder);
    return device ? QFile::decodeName(device->c_str()) : QString();
}

} // namespace vorix
