#include "cli/CliLinkDisplay.h"

#include <algorithm>

#include "cli/ProgressBar.h"
#include "editing/TableFormat.h"
#include "link/LinkTexts.h"

namespace vorix::cli {

void CliLinkDisplay::setCaption(link::LinkCaption caption) {
    caption_ = CaptionText(caption, state_.language);
    draw();
}

void CliLinkDisplay::resetProgress() {
    // The dialog loading: the port may not open yet, so nothing is drawn.
    fraction_ = 0.0;
}

void CliLinkDisplay::setProgress(double fraction) {
    fraction_ = fraction;
    label_ = CompleteLabel(fraction, state_.language);
    draw();
}

void CliLinkDisplay::showResult(link::LinkResult result) {
    result_ = ResultText(result, state_.language);
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
