#include "link/PortHardware.h"

#include <charconv>
#include <string_view>

#include "link/PortNames.h"
#include "texts/InterfaceTexts.h"

namespace vorix::link {

namespace {

constexpr std::string_view kItemPrefix = "COM";
constexpr std::string_view kSeparator = " \u2014 ";
constexpr std::string_view kBoardPrefix = "/dev/ttyS";

std::string usbText(const PortHardware& hardware, Language language) {
    std::string text = hardware.description.empty() ? std::string(Text(TextId::PortUsbAdapter, language))
                                                    : hardware.description;
    std::string details = hardware.manufacturer;
    if (!hardware.serialNumber.empty())
        details += (details.empty() ? "" : ", ") + hardware.serialNumber;
    if (!details.empty())
        text += " (" + details + ")";
    return text;
}

} // namespace

std::string DescribePortOrigin(const PortOrigin& origin, Language language) {
    if (origin.linked)
        return origin.device;
    if (origin.hardware && origin.hardware->usb)
        return usbText(*origin.hardware, language);
    // A board's UART has no vendor to report; the system names it ttySn.
    if (origin.device.starts_with(kBoardPrefix))
        return std::string(Text(TextId::PortOnTheBoard, language));
    if (origin.hardware && !origin.hardware->description.empty())
        return origin.hardware->description;
    return {};
}

std::string PortItemText(int number, const PortOrigin& origin, Language language) {
    std::string item = std::string(kItemPrefix) + std::to_string(number);
    const std::string description = DescribePortOrigin(origin, language);
    if (!description.empty())
        item.append(kSeparator).append(description);
    return item;
}

int PortNumberOfItemText(std::string_view item) {
    if (!item.starts_with(kItemPrefix))
        return 0;
    const char* first = item.data() + kItemPrefix.size();
    int number = 0;
    const auto [stop, error] = std::from_chars(first, item.data() + item.size(), number);
    if (error != std::errc() || stop == first || !IsPortNumber(number))
        return 0;
    return number;
}

} // namespace vorix::link
