#pragma once
// One run of the programming dialog with nobody at the keyboard: a prompt that answers by a retry
// budget and a display that draws on the terminal, for the link session of the run.

#include <functional>
#include <ostream>
#include <string>
#include <utility>

#include "cli/CliLinkDisplay.h"
#include "cli/LinkService.h"
#include "cli/RetryingPrompt.h"
#include "image/AppState.h"
#include "link/LinkSession.h"

namespace vorix::cli {

/// The prompt and display of one dialog. The host creates the session on them, forwards its
/// port's events and its timer's ticks and runs its event loop until ended(); state must
/// outlive the run.
class LinkRun {
public:
    /// state.readMode chooses a read (into state.image, on success only) or a write of it.
    /// `progress` is where the bar is drawn, null for none.
    LinkRun(const AppState& state, int retries, std::ostream* progress);

    link::Prompt& prompt() { return prompt_; }
    link::LinkDisplay& display() { return display_; }

    /// Loads the dialog of session, made on prompt() and display(), and presses its Read or
    /// Write button.
    void start(link::LinkSession& session);

    /// Called once, at the end of run, from inside the session's last step.
    void setOnEnded(std::function<void()> onEnded) { display_.onClose = std::move(onEnded); }
    /// The end of run has closed the dialog.
    bool ended() const { return display_.closed(); }
    /// Success once the whole image went over ("Read Data OK" or "Write Data OK"), else the prompt's
    /// text that ended the run and the Retry answers given; the host adds the device and the reason.
    Result<void, LinkFailure> result() const;

private:
    const AppState& state_;
    RetryingPrompt prompt_;
    CliLinkDisplay display_;
};

} // namespace vorix::cli
