#include "link/PortNames.h"

#include <array>
#include <string_view>
#include <system_error>

namespace vorix::link {

namespace {

// The default device families, each a run of 32 consecutive port numbers.
struct DeviceFamily {
    int firstPort;
    int lastPort;
    std::string_view prefix;
};

constexpr std::array<DeviceFamily, 3> kDeviceFamilies{{
    {1, 32, "/dev/ttyS"},
    {33, 64, "/dev/ttyUSB"},
    {65, 96, "/dev/ttyACM"},
}};

} // namespace

std::string PortLinkName(int number) { return "com" + std::to_string(number); }

std::optional<std::string> DefaultDevicePath(int number) {
    for (const DeviceFamily& family : kDeviceFamilies) {
        if (number >= family.firstPort && number <= family.lastPort)
            return std::string(family.prefix) + std::to_string(number - family.firstPort);
    }
    return std::nullopt;
}

std::optional<std::string> LinkedDevicePath(int number, const std::filesystem::path& portsFolder) {
    namespace fs = std::filesystem;
    if (!IsPortNumber(number) || portsFolder.empty())
        return std::nullopt;
    const fs::path link = portsFolder / PortLinkName(number);
    std::error_code error;
    if (!fs::is_symlink(link, error))
        return std::nullopt;
    fs::path target = fs::read_symlink(link, error);
    if (error)
        return std::nullopt;
    if (target.is_relative())
        target = portsFolder / target;
    // Resolved, the same device reached through a link and directly shares one lock file.
    const fs::path resolved = fs::canonical(target, error);
    return (error ? target.lexically_normal() : resolved).string();
}

std::string PortLabel(int number, const std::string& device, const std::string& link) {
    std::string where = device.empty() ? std::string("no device") : device;
    if (!link.empty())
        where = link + " -> " + where;
    return "COM" + std::to_string(number) + " (" + where + ")";
}

std::string DescribePort(int number, const std::filesystem::path& portsFolder, PortNaming naming) {
    const std::optional<std::string> device = ResolvePortName(number, portsFolder, naming);
    const bool linked = naming == PortNaming::Posix && LinkedDevicePath(number, portsFolder).has_value();
    return PortLabel(number, device.value_or(std::string()),
                     linked ? (portsFolder / PortLinkName(number)).string() : std::string());
}

std::optional<std::string> ResolvePortName(int number, const std::filesystem::path& portsFolder,
                                           PortNaming naming) {
    if (!IsPortNumber(number))
        return std::nullopt;
    if (naming == PortNaming::Windows)
        return "COM" + std::to_string(number);
    if (auto linked = LinkedDevicePath(number, portsFolder))
        return linked;
    return DefaultDevicePath(number);
}

} // namespace vorix::link
