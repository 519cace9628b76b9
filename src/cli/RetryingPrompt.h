#pragma once
// The programming dialog's prompt for a program nobody watches: it answers in the user's place.

#include <optional>
#include <string>

#include "link/LinkInterfaces.h"

namespace vorix::cli {

/// Answers "Retry" to the first `retries` Retry/Cancel prompts of a run and "Cancel" to the next,
/// and "OK" to a plain message. The text of the prompt that ended the run is kept as its failure.
class RetryingPrompt final : public link::Prompt {
public:
    explicit RetryingPrompt(int retries) : retries_(retries) {}

    link::PromptAnswer ask(const std::string& text, link::PromptButtons buttons) override;

    /// The text of the prompt that was answered with Cancel or OK; nothing while none was.
    const std::optional<std::string>& failure() const { return failure_; }
    /// How many times Retry has been answered.
    int retriesUsed() const { return used_; }

private:
    int retries_;
    int used_ = 0;
    std::optional<std::string> failure_;
};

} // namespace vorix::cli
