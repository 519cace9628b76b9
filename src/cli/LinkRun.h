#pragma once
// One run of the programming dialog with nobody at the keyboard: its link session, a prompt that
// answers by a retry budget and a display that draws on the terminal.

#include <functional>
#include <ostream>
#include <string>
#include <utility>

#include "cli/CliLinkDisplay.h"
#include "cli/RetryingPrompt.h"
#include "image/AppState.h"
#include "link/LinkInterfaces.h"
#include "link/LinkSession.h"

namespace vorix::cli {

struct LinkRunResult {
    bool ok = false;     // the whole image went over: "Read Data OK" or "Write Data OK"
    std::string failure; // the prompt's text that ended a failed run
    int retriesUsed = 0; // Retry answers given during the run
};

/// The session, prompt and display of one dialog. The host forwards the port's receive events
/// and the timer's ticks and runs its event loop until ended(); the references must outlive it.
class LinkRun {
public:
    /// state.ReadMode chooses a read (into state.image, on success only) or a write of it.
    /// `progress` is where the bar is drawn, null for none.
    LinkRun(AppState& state, link::SerialPort& port, link::Timer& timer, int retries, std::ostream* progress);

    /// Loads the dialog and presses its Read or Write button.
    void start();
    void onSerialEvent(int kind) { session_.onSerialEvent(kind); }
    void onTimerTick() { session_.onTimerTick(); }

    /// Called once, at the end of run, from inside the session's last step.
    void setOnEnded(std::function<void()> onEnded) { display_.onClose = std::move(onEnded); }
    /// The end of run has closed the dialog.
    bool ended() const { return display_.closed(); }
    LinkRunResult result() const;

private:
    AppState& state_;
    RetryingPrompt prompt_;
    CliLinkDisplay display_;
    link::LinkSession session_;
};

} // namespace vorix::cli
