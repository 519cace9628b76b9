#include "cli/CliLinkDisplay.h"

#include "cli/ProgressBar.h"

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
    // Each redraw is at least as long as the one before (the percentage only grows), so a
    // carriage return is enough to replace it.
    *bar_ << '\r' << ProgressBarText(caption_, fraction_, label_) << std::flush;
    drawn_ = true;
}

} // namespace vorix::cli
