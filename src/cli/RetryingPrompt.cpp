#include "cli/RetryingPrompt.h"

namespace vorix::cli {

link::PromptAnswer RetryingPrompt::ask(const std::string& text, link::PromptButtons buttons) {
    if (buttons == link::PromptButtons::RetryCancel && used_ < retries_) {
        ++used_;
        return link::PromptAnswer::Retry;
    }
    // A plain message ends the run as surely as Cancel does: both make it a failure.
    failure_ = text;
    return buttons == link::PromptButtons::Ok ? link::PromptAnswer::Ok : link::PromptAnswer::Cancel;
}

} // namespace vorix::cli
