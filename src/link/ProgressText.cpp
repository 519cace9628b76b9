#include "link/ProgressText.h"

#include <cmath>

namespace vorix::link {

double ProgressFraction(int addrHigh, int addrLow, int endHigh, int endLow) {
    const double end = endHigh * 256.0 + endLow;
    if (end <= 0)
        return 1.0;
    const double p = (addrHigh * 256.0 + addrLow) / end;
    return p > 1.0 ? 1.0 : p;
}

std::string PercentText(double p) {
    // The fractions of a run are multiples of 1/128, exact in binary, so p * 100 has no error
    // that could move a half across the rounding edge.
    const long percent = static_cast<long>(std::floor(p * 100.0 + 0.5));
    return (percent == 0 ? std::string() : std::to_string(percent)) + "%";
}

} // namespace vorix::link
