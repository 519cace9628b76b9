#include "editing/Startup.h"

#include <limits>

#include "image/DecimalText.h"

namespace vorix {

std::string DecimalSeparatorFrom(std::string_view formattedHalf) {
    return formattedHalf.find('.') != std::string_view::npos ? "." : ",";
}

std::int16_t PortNumberFromSetting(std::string_view text) {
    if (text.empty())
        return 1;
    // The stored text is read with "." whatever the user's number format.
    const LeadingNumber number = ReadLeadingNumber(text, ".");
    if (number.overflow)
        return 0;
    const double rounded = RoundHalfEven(number.value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(rounded);
}

std::string VersionLabel(int major, int minor, int revision) {
    return std::to_string(major) + "." + std::to_string(minor) + std::to_string(revision);
}

std::string ProgramVersionLabel() {
    return VersionLabel(VORIX_VERSION_MAJOR, VORIX_VERSION_MINOR, VORIX_VERSION_REVISION);
}

std::string ProgramVersion() {
    return std::to_string(VORIX_VERSION_MAJOR) + "." + std::to_string(VORIX_VERSION_MINOR) + "." +
           std::to_string(VORIX_VERSION_REVISION);
}

} // namespace vorix
