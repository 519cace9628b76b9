#pragma once
// What the system knows of the device behind a port, and the words the port list gives it.

#include <optional>
#include <string>

#include "image/Language.h"

namespace vorix::link {

/// The system's record of one serial device (what a USB adapter reports of itself).
struct PortHardware {
    std::string device;       ///< the device path the record belongs to
    std::string description;  ///< "FT232R USB UART"; may be empty
    std::string manufacturer; ///< "FTDI"; may be empty
    std::string serialNumber; ///< "A50285BI"; may be empty
    bool usb = false;         ///< reached over USB (it has a vendor identifier)
    friend bool operator==(const PortHardware&, const PortHardware&) = default;
};

/// Where COMn's device comes from, as far as the list needs to tell.
struct PortOrigin {
    std::string device;                   ///< the device that is opened
    bool linked = false;                  ///< the ports folder's link "comN" leads to it
    std::optional<PortHardware> hardware; ///< the system's record of the device, when it has one
    friend bool operator==(const PortOrigin&, const PortOrigin&) = default;
};

/// What the list shows after "COMn": a link's target (the device); a USB adapter's description followed by
/// its manufacturer and serial number in parentheses (the missing ones left out, "USB serial adapter" without
/// a description); "serial port on the board" for a board device; empty when nothing is known.
std::string DescribePortOrigin(const PortOrigin& origin, Language language);

/// The list's item: "COM33 — FT232R USB UART (FTDI, A50285BI)", or "COM33" alone when nothing
/// is known of its device.
std::string PortItemText(int number, const PortOrigin& origin, Language language);

/// The number after "COM" at the start of an item's text, whatever follows it; 0 when there is none.
int PortNumberOfItemText(std::string_view item);

} // namespace vorix::link
