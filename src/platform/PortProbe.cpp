#include "platform/PortProbe.h"

#include <QFile>

#include "link/PortNames.h"
#include "platform/QtPortNames.h"
#include "platform/QtSerialPort.h"

namespace vorix {

PortProbeResult ProbePorts(const PortResolver& resolve) {
    PortProbeResult result;
    for (int number = link::kFirstPortNumber; number <= link::kLastPortNumber; ++number) {
        const std::optional<std::string> device = resolve(number);
        if (!device)
            continue;
        QtSerialPort port(QFile::decodeName(device->c_str()));
        if (port.open()) {
            result.openable.push_back({number, port.devicePath()});
            port.close();
        } else if (port.lastError() == PortError::PermissionDenied) {
            result.permissionDenied = true;
        }
    }
    return result;
}

PortProbeResult ProbePorts() {
    return ProbePorts([](int number) -> std::optional<std::string> {
        const QString device = PortDevicePath(number);
        if (device.isEmpty())
            return std::nullopt;
        return QFile::encodeName(device).toStdString();
    });
}

} // namespace vorix
