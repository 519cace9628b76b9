#include "cli/CliLinkDisplay.h"

#include <algorithm>

#include "cli/ProgressBar.h"
#include "cli/TableFormat.h"

namespace vorix::cli {

void CliLinkDisplay::setCaption(const std::string& text) {
    caption_ = text;
    draw();
}

void CliLinkDisplay::setProgress(double fraction) {
    // The label that follows at once redraws; drawing here too would show the old percentage.
    fraction_ = fraction;
}

void CliLinkDisplay::setProgressLabel(const std::string& text) {
    label_ = text;
    draw();
}

void CliLinkDisplay::closeDialog() {
    if (closed_)
        return;
    closed_ = true;
    if (drawn_)
        *bar_ << '\n' << std::flush; // whatever is written next starts on a line of its own
    if (onClose)
        onClose();
}

void CliLinkDisplay::draw() {
    if (bar_ == nullptr || closed_)
        return;
    // A restart draws the label of 0% again, shorter than the last one: blanks cover the columns
    // the earlier drawing took beyond the new end.
    const std::string line = ProgressBarText(caption_, fraction_, label_);
    const int width = DisplayWidth(line);
    const auto stale = static_cast<std::size_t>(std::max(drawnWidth_ - width, 0));
    *bar_ << '\r' << line << std::string(stale, ' ') << std::flush;
    drawnWidth_ = width;
    drawn_ = true;
}

} // namespace vorix::cli
