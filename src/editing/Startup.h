#pragma once
// The start-up values the main window derives from the settings and the user's number format.

#include <cstdint>
#include <string>
#include <string_view>

namespace vorix {

/// "." when the user's text for the number 0.5 contains ".", otherwise ",".
std::string DecimalSeparatorFrom(std::string_view formattedHalf);

/// The port number from the stored ComPort text: 1 when empty; otherwise the leading number read
/// with "." as decimal point and rounded (half to even), 0 without one ("3abc" 3, "abc" 0). A
/// number outside the signed 16-bit range gives 0, which names no port.
std::int16_t PortNumberFromSetting(std::string_view text);

/// Major, ".", minor and revision with nothing between the last two: 1.1 revision 2 gives "1.12".
std::string VersionLabel(int major, int minor, int revision);

/// The label of this build's own version (from the project version).
std::string ProgramVersionLabel();

/// This build's version with a dot between each part ("1.1.2"), as each program's --version prints it
/// after the program's name.
std::string ProgramVersion();

} // namespace vorix
