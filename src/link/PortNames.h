#pragma once
// Which device stands behind the port number COMn that the user chose.

#include <filesystem>
#include <optional>
#include <string>

namespace vorix::link {

/// Port numbers the tool offers: COM1 to COM99.
inline constexpr int kFirstPortNumber = 1;
inline constexpr int kLastPortNumber = 99;

/// Windows names its ports "COMn" itself; other systems need a device path.
enum class PortNaming { Windows, Posix };

/// The naming of the system the tool was built for.
constexpr PortNaming NativePortNaming() {
#ifdef _WIN32
    return PortNaming::Windows;
#else
    return PortNaming::Posix;
#endif
}

/// True for 1..99.
constexpr bool IsPortNumber(int number) { return number >= kFirstPortNumber && number <= kLastPortNumber; }

/// The name of the per-user link for COMn inside the ports folder: "com3" for 3.
std::string PortLinkName(int number);

/// The fixed device of COMn when no link overrides it: COM1..32 /dev/ttyS0..31, COM33..64
/// /dev/ttyUSB0..31, COM65..96 /dev/ttyACM0..31; nothing for any other number.
std::optional<std::string> DefaultDevicePath(int number);

/// The device that a link "comN" in portsFolder points at (relative targets are taken from the
/// folder, existing targets fully resolved); nothing when there is no such symbolic link.
std::optional<std::string> LinkedDevicePath(int number, const std::filesystem::path& portsFolder);

/// COMn as messages name it, with the device behind it: "COM7 (/dev/pts/3)", "COM99 (no device)"
/// when device is empty, and with the link that leads to the device when there is one:
/// "COM3 (/home/ann/.config/Talvry/Vorix/ports/com3 -> /dev/ttyUSB0)".
std::string PortLabel(int number, const std::string& device, const std::string& link = {});

/// PortLabel of COMn as ResolvePortName finds its device, naming the folder's link "comN" when
/// that is what leads there.
std::string DescribePort(int number, const std::filesystem::path& portsFolder,
                         PortNaming naming = NativePortNaming());

/// COMn as the system opens it: "COMn" on Windows; elsewhere the folder's link "comN" when there
/// is one, else the default device. Nothing for numbers outside 1..99 or without a device.
std::optional<std::string> ResolvePortName(int number, const std::filesystem::path& portsFolder,
                                           PortNaming naming = NativePortNaming());

} // namespace vorix::link
