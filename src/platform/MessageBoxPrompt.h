#pragma once
// The link's prompt as one of the tool's message boxes.

#include "image/AppState.h"
#include "link/LinkInterfaces.h"
#include "platform/MessageBoxes.h"

namespace vorix {

/// A link::Prompt shown as a message box titled "Vorix" with the critical icon, OK or Retry and
/// Cancel, in the words of PromptText. A box closed any other way answers Cancel, so the run ends
/// rather than retrying.
class MessageBoxPrompt final : public link::Prompt {
public:
    /// Both must outlive the prompt; the texts follow state.language at the moment of asking.
    MessageBoxPrompt(MessageBoxes& boxes, const AppState& state) : boxes_(boxes), state_(state) {}

    link::PromptAnswer ask(const link::PromptQuestion& question) override;

private:
    MessageBoxes& boxes_;
    const AppState& state_;
};

} // namespace vorix
