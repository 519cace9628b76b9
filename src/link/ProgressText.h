#pragma once
// The progress of a transfer as a fraction and as a percentage.

#include <string>

namespace vorix::link {

/// (AddrHigh*256 + AddrLow) / (EndHigh*256 + EndLow), at most 1; 1 when the end is not positive.
double ProgressFraction(int addrHigh, int addrLow, int endHigh, int endLow);

/// p as a whole percentage, halves rounded up, no leading zeros and no digit at all for 0:
/// "%" for 0, "13%" for 0.125, "100%" for 1.
std::string PercentText(double p);

} // namespace vorix::link
