#pragma once
// The programming dialog's prompt for a program nobody watches: it answers in the user's place.

#include <optional>
#include <string>

#include "image/AppState.h"
#include "link/LinkInterfaces.h"

namespace vorix::cli {

/// Answers "Retry" to the first `retries` Retry/Cancel prompts of a run and "Cancel" to the next,
/// and "OK" to a plain message. The text of the prompt that ended the run, in the language of
/// state.language when it was asked, is kept as its failure.
class RetryingPrompt final : public link::Prompt {
public:
    /// state must outlive the prompt.
    RetryingPrompt(int retries, const AppState& state) : retries_(retries), state_(state) {}

    link::PromptAnswer ask(const link::PromptQuestion& question) override;

    /// The text of the prompt that was answered with Cancel or OK; nothing while none was.
    const std::optional<std::string>& failure() const { return failure_; }
    /// How many times Retry has been answered.
    int retriesUsed() const { return used_; }

private:
    int retries_;
    const AppState& state_;
    int used_ = 0;
    std::optional<std::string> failure_;
};

} // namespace vorix::cli
