#include "platform/PortProbe.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include "link/PortNames.h"
#include "platform/QtPortNames.h"
#include "platform/QtSerialPort.h"

namespace vorix {

namespace {

std::string encoded(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

} // namespace

bool SystemPortDevices::exists(const QString& path) {
#ifdef _WIN32
    (void)path; // "COMn" names no file: only opening tells
    return true;
#else
    // No QSerialPort here: its open() creates and syncs a lock file before it looks for the device.
    return QFileInfo::exists(path);
#endif
}

PortError SystemPortDevices::tryOpen(const QString& path) {
    QtSerialPort port(path);
    if (!port.open())
        return port.lastError() == PortError::None ? PortError::Failed : port.lastError();
    port.close();
    return PortError::None;
}

std::vector<link::PortHardware> SystemPortDevices::hardware() {
    std::vector<link::PortHardware> records;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        records.push_back({encoded(info.systemLocation()), info.description().toStdString(),
                           info.manufacturer().toStdString(), info.serialNumber().toStdString(),
                           info.hasVendorIdentifier()});
    return records;
}

PortScan::PortScan(PortResolver resolve, PortDevices& devices)
    : resolve_(std::move(resolve)), devices_(devices) {}

PortProbeResult PortScan::poll() {
    PortProbeResult result;
    const std::vector<link::PortHardware> records = devices_.hardware();
    std::map<int, Seen> seenNow;
    for (int number = link::kFirstPortNumber; number <= link::kLastPortNumber; ++number) {
        std::optional<link::PortOrigin> origin = resolve_ ? resolve_(number) : std::nullopt;
        if (!origin)
            continue;
        const QString device = QFile::decodeName(origin->device.c_str());
        if (!devices_.exists(device))
            continue;
        const auto before = seen_.find(number);
        const bool known = before != seen_.end() && before->second.device == device;
        const PortError verdict = known ? before->second.verdict : devices_.tryOpen(device);
        seenNow[number] = {device, verdict};
        if (verdict == PortError::PermissionDenied)
            result.permissionDenied = true;
        if (verdict != PortError::None)
            continue;
        for (const link::PortHardware& record : records)
            if (record.device == origin->device)
                origin->hardware = record;
        result.openable.push_back({number, device, *origin});
    }
    seen_ = std::move(seenNow);
    return result;
}

PortProbeResult ProbePorts(const PortResolver& resolve, PortDevices& devices) {
    return PortScan(resolve, devices).poll();
}

PortResolver SystemPortResolver() {
    return [folder = std::filesystem::path(encoded(PortsFolder()))](
               int number) -> std::optional<link::PortOrigin> {
        if (auto linked = link::LinkedDevicePath(number, folder))
            return link::PortOrigin{*linked, true, std::nullopt};
        if (auto device = link::ResolvePortName(number, folder))
            return link::PortOrigin{*device, false, std::nullopt};
        return std::nullopt;
    };
}

PortProbeResult ProbePorts() {
    SystemPortDevices devices;
    return ProbePorts(SystemPortResolver(), devices);
}

} // namespace vorix
