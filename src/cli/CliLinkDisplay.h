#pragma once
// The programming dialog as a terminal line: a progress bar on stderr and the run's result.

#include <functional>
#include <ostream>
#include <string>

#include "image/AppState.h"
#include "link/LinkDisplay.h"

namespace vorix::cli {

/// Draws the caption, the bar and the "Complete:" label on one line of `bar`, redrawn in place,
/// once the run has really started (the caption is set after the port opened); draws nothing
/// when `bar` is null. Keeps the result text and notices the end of run. The texts follow
/// state.language at the moment they are drawn.
class CliLinkDisplay final : public link::LinkDisplay {
public:
    /// state must outlive the display.
    CliLinkDisplay(std::ostream* bar, const AppState& state) : bar_(bar), state_(state) {}

    /// Called once, when the session closes the dialog at its end of run.
    std::function<void()> onClose;

    void setCaption(link::LinkCaption caption) override;
    void resetProgress() override;
    void setProgress(double fraction) override;
    void showResult(link::LinkResult result) override;
    void enableControls() override {}
    void focusStartButton(bool) override {}
    void refreshMainWindow() override {}
    void closeDialog() override;

    /// "Read Data OK" or "Write Data OK" after success; empty otherwise.
    const std::string& result() const { return result_; }
    bool closed() const { return closed_; }

private:
    void draw();

    std::ostream* bar_;
    const AppState& state_;
    std::string caption_;
    std::string label_;
    double fraction_ = 0.0;
    int drawnWidth_ = 0; // terminal columns of the last drawing
    bool drawn_ = false;
    bool closed_ = false;
    std::string result_;
};

} // namespace vorix::cli
