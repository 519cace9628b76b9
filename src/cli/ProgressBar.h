#pragma once
// The programming dialog's progress bar as one line of terminal text.

#include <string>
#include <string_view>

namespace vorix::cli {

/// Characters between the brackets of the bar.
inline constexpr int kProgressBarWidth = 30;

/// "caption [#########.....................] label": `fraction` (clamped to 0..1) of the width
/// filled, rounded down so that only a finished transfer shows a full bar. No caption, no
/// caption and its space.
std::string ProgressBarText(std::string_view caption, double fraction, std::string_view label,
                            int width = kProgressBarWidth);

} // namespace vorix::cli
