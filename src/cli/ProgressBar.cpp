#include "cli/ProgressBar.h"

#include <algorithm>
#include <cmath>

namespace vorix::cli {

std::string ProgressBarText(std::string_view caption, double fraction, std::string_view label, int width) {
    width = std::max(width, 0);
    const double clamped = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    const int filled = std::min(width, static_cast<int>(std::floor(clamped * width)));
    std::string line;
    if (!caption.empty())
        line.append(caption).append(" ");
    line += '[';
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(width - filled), '.');
    line += ']';
    if (!label.empty())
        line.append(" ").append(label);
    return line;
}

} // namespace vorix::cli
