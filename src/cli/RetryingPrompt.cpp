#include "cli/RetryingPrompt.h"

#include "link/LinkTexts.h"

namespace vorix::cli {

link::PromptAnswer RetryingPrompt::ask(const link::PromptQuestion& question) {
    const link::PromptButtons buttons = question.buttons();
    if (buttons == link::PromptButtons::RetryCancel && used_ < retries_) {
        ++used_;
        return link::PromptAnswer::Retry;
    }
    // A plain message ends the run as surely as Cancel does: both make it a failure.
    failure_ = PromptText(question, state_.language);
    return buttons == link::PromptButtons::Ok ? link::PromptAnswer::Ok : link::PromptAnswer::Cancel;
}

} // namespace vorix::cli
